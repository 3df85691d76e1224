#include "Messages.h"

#include "platform/Platform.h"

namespace morvish::messages {

namespace {

// Failures listed in one message box at most; the rest are counted.
constexpr std::size_t kListedFailures = 20;

}  // namespace

std::string FailureList(const std::vector<Error>& failures, Language language) {
    std::string lines;
    for (std::size_t i = 0; i < failures.size() && i < kListedFailures; ++i) {
        if (i > 0) lines += '\n';
        lines += Describe(failures[i], language);
    }
    if (failures.size() > kListedFailures) {
        lines += '\n';
        lines += Format(Text::MoreFailures, language,
                        {std::to_string(failures.size() - kListedFailures)});
    }
    return lines;
}

Message SurfaceLayerFailed(Language language) {
    return {MessageIcon::Critical, std::string(Tr(Text::SurfaceLayerTitle, language)),
            std::string(Tr(Text::SurfaceLayerText, language))};
}

Message About(std::string_view version, Language language) {
    return {MessageIcon::Information, std::string(Tr(Text::AboutTitle, language)),
            Format(Text::AboutText, language, {version})};
}

Message RemoveRootQuestion(const std::filesystem::path& root, Language language) {
    return {MessageIcon::Question, std::string(Tr(Text::RemoveRootTitle, language)),
            Format(Text::RemoveRootText, language, {platform::DisplayText(root)})};
}

Message GameFolderNotSet(Language language) {
    return {MessageIcon::Warning, std::string(Tr(Text::GameFolderTitle, language)),
            std::string(Tr(Text::GameFolderNotSet, language))};
}

Message GameFolderNotFound(const std::filesystem::path& folder, Language language) {
    return {MessageIcon::Warning, std::string(Tr(Text::GameFolderTitle, language)),
            Format(Text::GameFolderNotFound, language, {platform::DisplayText(folder)})};
}

Message InstallFailed(std::size_t copied, const std::vector<Error>& failures, Language language) {
    const std::string list = FailureList(failures, language);
    return {MessageIcon::Warning, std::string(Tr(Text::InstallFailedTitle, language)),
            copied == 0
                ? Format(Text::InstallNothingCopied, language, {list})
                : Format(Text::InstallPartlyFailed, language, {std::to_string(copied), list})};
}

Message InstallRefused(const std::filesystem::path& name, Language language) {
    return {MessageIcon::Warning, std::string(Tr(Text::InstallFailedTitle, language)),
            Format(Text::InstallRefused, language, {platform::DisplayText(name)})};
}

Message SaveFailed(const std::vector<Error>& failures, Language language) {
    return {MessageIcon::Warning, std::string(Tr(Text::SaveFailedTitle, language)),
            Format(Text::SaveFailedText, language, {FailureList(failures, language)})};
}

}  // namespace morvish::messages
