#pragma once
// Where the settings file "Quorel.ini" and the skin root list "SkinDir.txt" live. They lie beside
// the executable. When that folder cannot be written (an installed program), both live in the
// user's configuration folder instead and are read from there when they exist there; a skin root
// list installed with the program serves when there is no list of the user's own.

#include <string>
#include <string_view>

#include "render/Types.h"

namespace morvish {

inline constexpr std::string_view kSettingsFileName = "Quorel.ini";
inline constexpr std::string_view kSkinRootListName = "SkinDir.txt";

class SettingsFolder {
  public:
    // `programDir`: the executable's folder; `configDir`: the user's configuration folder for
    // this program; `installedDir`: the read-only folder of files installed with the program.
    SettingsFolder(std::string programDir, bool programDirWritable, std::string configDir,
                   std::string installedDir);

    // The folders of the running program: its executable's folder, writable unless it is the
    // installed program folder or the user may not write there; $XDG_CONFIG_HOME/morvish or
    // ~/.config/morvish; the installed share folder.
    static SettingsFolder ForThisProgram();

    // The file to read a settings file from: the user's copy, else the one beside the executable;
    // empty when neither exists.
    std::string ReadPath(std::string_view name) const;
    // The skin root list installed with the program, or empty when there is none.
    std::string InstalledPath(std::string_view name) const;
    // The file to write a settings file to. Creates the configuration folder when that is where
    // the files go; the error names the folder that could not be created.
    Result<std::string> WritePath(std::string_view name) const;

    bool ProgramDirWritable() const { return programDirWritable_; }

  private:
    std::string programDir_;
    bool programDirWritable_;
    std::string configDir_;
    std::string installedDir_;
};

// $XDG_CONFIG_HOME/morvish when that variable holds an absolute path, else ~/.config/morvish.
std::string UserConfigDirectory();

}  // namespace morvish
