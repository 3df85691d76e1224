#pragma once
// Where the settings file "Quorel.ini" and the skin root list "SkinDir.txt" live. They lie beside
// the executable. When that folder cannot be written (an installed program), both live in the
// user's settings folder instead and are read from there when they exist there; a skin root list
// installed with the program serves when there is no list of the user's own.

#include <filesystem>
#include <string_view>

#include "render/Types.h"

namespace morvish {

inline constexpr std::string_view kSettingsFileName = "Quorel.ini";
inline constexpr std::string_view kSkinRootListName = "SkinDir.txt";

class SettingsFolder {
  public:
    // `programDir`: the executable's folder; `configDir`: the user's settings folder for this
    // program; `installedDir`: the read-only folder of files installed with the program.
    SettingsFolder(std::filesystem::path programDir, bool programDirWritable,
                   std::filesystem::path configDir, std::filesystem::path installedDir);

    // The folders of the running program: its executable's folder, writable unless it is the
    // installed program folder or the user may not write there; the user's settings folder; the
    // installed share folder.
    static SettingsFolder ForThisProgram();

    // The file to read a settings file from: the user's copy, else the one beside the executable;
    // empty when neither exists. An entry counts even when it is not a readable file, so that it
    // is reported rather than overwritten.
    std::filesystem::path ReadPath(std::string_view name) const;
    // The skin root list installed with the program, or empty when there is none.
    std::filesystem::path InstalledPath(std::string_view name) const;
    // The file to write a settings file to. Creates the user's settings folder when that is where
    // the files go; the error names the folder that could not be created.
    Result<std::filesystem::path> WritePath(std::string_view name) const;

    bool ProgramDirWritable() const { return programDirWritable_; }

  private:
    std::filesystem::path programDir_;
    bool programDirWritable_;
    std::filesystem::path configDir_;
    std::filesystem::path installedDir_;
};

}  // namespace morvish
