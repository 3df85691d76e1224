#pragma once
// Every text the desktop program shows in a message box or a dialog, as data: the front ends show
// them as they are.

#include <string>
#include <string_view>
#include <vector>

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
Message SurfaceLayerFailed();
// The About box.
Message About(std::string_view version);
// The question before a root is taken off the list.
Message RemoveRootQuestion();
// The install without a usable game folder.
Message GameFolderNotSet();
Message GameFolderNotFound();
// An install that copied only part of a skin, or refused it; each line names a file and a reason.
Message InstallFailed(const std::vector<std::string>& failures);
// Settings that could not be saved at exit.
Message SaveFailed(const std::vector<std::string>& failures);

// The prompts of the two folder dialogs.
std::string_view AddRootPrompt();
std::string_view GameFolderPrompt();

}  // namespace messages

}  // namespace morvish
