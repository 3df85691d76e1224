#pragma once
// Every text of the desktop program's own interface in the languages it speaks: menus, tree
// labels, dialogs, messages and the status line. Japanese is the program's own language; English
// is offered beside it. The sample texts inside the emulated windows are not here: they imitate
// the Japanese game whatever the interface's language.

#include <initializer_list>
#include <string>
#include <string_view>

#include "render/Types.h"

namespace morvish {

enum class Language { Japanese, English };

// The language's name as stored in the settings file ("ja", "en"), and back (Japanese for any
// other text).
std::string_view LanguageCode(Language language);
Language LanguageFromCode(std::string_view code);

enum class Text {
    // Menus, with their mnemonics.
    MenuFile,
    MenuAddSkinDirectory,
    MenuDownloadSkin,
    MenuAddSkinSite,
    MenuSetting,
    MenuExit,
    MenuLanguage,
    MenuJapanese,
    MenuEnglish,
    MenuHelp,
    MenuAbout,
    MenuRootNode,
    MenuSubDirRefresh,
    MenuRemoveRootDir,
    MenuSkinNode,
    MenuAddSkinToRO,
    MenuSetToROSkin,
    MenuExportPicture,
    MenuCopyPicture,
    MenuView,
    MenuZoomIn,
    MenuZoomOut,
    MenuZoom1,
    MenuZoom2,
    MenuZoom3,
    MenuZoom4,
    MenuCheckSkin,
    ExportTitle,      // the save dialog's title
    ExportDone,       // {0} the file written
    CopyDone,         // the status after a copy
    CopyFailed,       // the clipboard would not take the picture
    NothingToExport,  // no window picture on show
    CheckTitle,       // {0} the skin
    NoSkinSelected,   // the check without a skin node selected
    // Dialogs and message boxes.
    SurfaceLayerTitle,
    SurfaceLayerText,
    AboutTitle,
    AboutText,  // {0} the version
    RemoveRootTitle,
    RemoveRootText,  // {0} the folder
    GameFolderTitle,
    GameFolderNotSet,
    GameFolderNotFound,  // {0} the folder
    AddRootPrompt,
    GameFolderPrompt,
    InstallFailedTitle,
    InstallPartlyFailed,   // {0} files copied, {1} the failures
    InstallNothingCopied,  // {0} the failures
    InstallRefused,        // {0} the skin's name
    InstallProgressTitle,  // {0} the skin
    InstallProgressText,   // {0} files copied, {1} files in all
    InstallCancelButton,
    SaveFailedTitle,
    SaveFailedText,  // {0} the failures
    MoreFailures,    // {0} how many more
    // The status line.
    StatusShowing,     // {0} the skin, {1} the window kind
    StatusScreenshot,  // {0} the skin, {1} the file
    StatusGameFolder,  // {0} the folder
    StatusNoGameFolder,
    StatusInstalled,         // {0} files copied, {1} the folder
    StatusInstallCancelled,  // {0} files copied, {1} files in all, {2} the folder
    // The sample texts' faces missing, with what to install on this system.
    MissingJapaneseFont,
    MissingEnglishFont,
};

// The text in a language.
std::string_view Tr(Text text, Language language);

// The text with {0}, {1}, ... replaced by the arguments.
std::string Format(Text text, Language language, std::initializer_list<std::string_view> arguments);

// A failure as a sentence in the language: the file it names and the reason, told from the
// error's kind and details (in English, the error's own message).
std::string Describe(const Error& error, Language language);

// The tree label of a window kind (slot 1 to 12): the slot table's own in Japanese.
std::string_view WindowKindLabel(int slot, Language language);

}  // namespace morvish
