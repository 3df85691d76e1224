#pragma once
// The message boxes and dialog prompts of the desktop program, as data in the interface's
// language: the front ends show them as they are.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "Catalog.h"

namespace morvish {

enum class MessageIcon { None, Information, Warning, Critical, Question };

struct Message {
    MessageIcon icon = MessageIcon::None;
    std::string title;
    std::string text;
    friend bool operator==(const Message&, const Message&) = default;
};

namespace messages {

// Start-up when the surface layer cannot be set up.
Message SurfaceLayerFailed(Language language);
// The About box.
Message About(std::string_view version, Language language);
// The question before a root is taken off the list.
Message RemoveRootQuestion(const std::filesystem::path& root, Language language);
// The install without a usable game folder.
Message GameFolderNotSet(Language language);
Message GameFolderNotFound(const std::filesystem::path& folder, Language language);
// An install that copied only part of a skin (`copied` files) or nothing; each failure names a
// file and a reason.
Message InstallFailed(std::size_t copied, const std::vector<Error>& failures, Language language);
// An install refused because the skin's name could take the copy out of the game's skin folder.
Message InstallRefused(const std::filesystem::path& name, Language language);
// Settings that could not be saved at exit.
Message SaveFailed(const std::vector<Error>& failures, Language language);

// Failures one to a line, at most twenty; the rest are counted.
std::string FailureList(const std::vector<Error>& failures, Language language);

}  // namespace messages

}  // namespace morvish
