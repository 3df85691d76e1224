#include "Messages.h"

namespace morvish::messages {

namespace {

// Failures listed in one message box at most; the rest are counted.
constexpr std::size_t kListedFailures = 20;

std::string FailureList(const std::vector<std::string>& failures) {
    std::string lines;
    for (std::size_t i = 0; i < failures.size() && i < kListedFailures; ++i) {
        if (i > 0) lines += '\n';
        lines += failures[i];
    }
    if (failures.size() > kListedFailures) {
        lines += "\nほか " + std::to_string(failures.size() - kListedFailures) + " 件";
    }
    return lines;
}

}  // namespace

Message SurfaceLayerFailed() {
    return {MessageIcon::Critical, "DirectX初期化エラー", "DirectXの初期化に失敗しました"};
}

Message About(std::string_view version) {
    return {MessageIcon::Information, "バージョン情報", "Morvish ver " + std::string(version)};
}

Message RemoveRootQuestion() {
    return {MessageIcon::Question, "スキンディレクトリの削除",
            "このディレクトリをスキンリストから外しますか？"};
}

Message GameFolderNotSet() {
    return {MessageIcon::Warning, "ＲＯディレクトリエラー",
            "ＲＯのディレクトリが設定されていません"};
}

Message GameFolderNotFound() {
    return {MessageIcon::Warning, "ＲＯディレクトリエラー", "ＲＯのディレクトリがみつかりません"};
}

Message InstallFailed(const std::vector<std::string>& failures) {
    return {MessageIcon::Warning, "スキンのコピーエラー",
            "スキンの一部をＲＯのスキンディレクトリにコピーできませんでした。\n\n" +
                FailureList(failures)};
}

Message SaveFailed(const std::vector<std::string>& failures) {
    return {MessageIcon::Warning, "設定の保存エラー",
            "設定を保存できませんでした。\n\n" + FailureList(failures)};
}

std::string_view AddRootPrompt() {
    return "スキン(ディレクトリ)の親ディレクトリを選択して下さい";
}

std::string_view GameFolderPrompt() {
    return "RanarokOnlineのディレクトリを選択して下さい";
}

}  // namespace morvish::messages
