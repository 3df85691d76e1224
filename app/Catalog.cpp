#include "Catalog.h"

#include <array>
#include <utility>

#include "platform/Platform.h"
#include "windows/WindowSlots.h"

namespace morvish {

namespace {

struct Entry {
    Text text;
    std::string_view japanese;
    std::string_view english;
};

// In the order of the enumeration.
constexpr Entry kEntries[] = {
    {Text::MenuFile, "ファイル(&F)", "&File"},
    {Text::MenuAddSkinDirectory, "スキンディレクトリの追加(&A)", "&Add Skin Folder..."},
    {Text::MenuDownloadSkin, "スキンファイルのダウンロード(&D)", "&Download Skin Files"},
    {Text::MenuAddSkinSite, "スキンサイトの追加(&S)", "Add Skin &Site"},
    {Text::MenuSetting, "設定(&O)", "Set &Game Folder..."},
    {Text::MenuExit, "終了(&X)", "E&xit"},
    {Text::MenuLanguage, "言語(&L)", "&Language"},
    {Text::MenuJapanese, "日本語(&J)", "日本語 (&Japanese)"},
    {Text::MenuEnglish, "English (&E)", "&English"},
    {Text::MenuHelp, "ヘルプ(&H)", "&Help"},
    {Text::MenuAbout, "このソフトについて(&A)", "&About Morvish"},
    {Text::MenuRootNode, "POPUP ルートノード用", "POPUP root node"},
    {Text::MenuSubDirRefresh, "ディレクトリの更新(&R)", "&Rescan Folder"},
    {Text::MenuRemoveRootDir, "ディレクトリの削除(&D)", "Remove from &List"},
    {Text::MenuSkinNode, "POPUP スキンルート用", "POPUP skin node"},
    {Text::MenuAddSkinToRO, "このスキンをＲＯのスキンに加える(&I)", "&Install into the Game"},
    {Text::MenuSetToROSkin, "このスキンをＲＯのスキンに設定(&S)", "&Set as the Game's Skin"},
    {Text::MenuExportPicture, "画像の保存(&P)...", "Save &Picture as PNG..."},
    {Text::MenuCopyPicture, "画像のコピー(&C)", "&Copy Picture"},
    {Text::MenuView, "表示(&V)", "&View"},
    {Text::MenuZoomIn, "拡大(&I)", "Zoom &In"},
    {Text::MenuZoomOut, "縮小(&O)", "Zoom &Out"},
    {Text::MenuZoom1, "×１(&1)", "×&1"},
    {Text::MenuZoom2, "×２(&2)", "×&2"},
    {Text::MenuZoom3, "×３(&3)", "×&3"},
    {Text::MenuZoom4, "×４(&4)", "×&4"},
    {Text::MenuCheckSkin, "スキンのチェック(&K)...", "Chec&k Skin..."},
    {Text::ExportTitle, "画像の保存", "Save Picture"},
    {Text::ExportDone, "画像を保存しました: {0}", "Picture saved: {0}"},
    {Text::CopyDone, "画像をクリップボードにコピーしました", "Picture copied to the clipboard"},
    {Text::CopyFailed, "画像をクリップボードにコピーできませんでした",
     "The picture could not be copied to the clipboard"},
    {Text::NothingToExport, "ウィンドウを選択して下さい", "Choose a window first"},
    {Text::CheckTitle, "スキンのチェック: {0}", "Skin Check: {0}"},
    {Text::NoSkinSelected, "スキンを選択して下さい", "Choose a skin first"},
    {Text::SurfaceLayerTitle, "DirectX初期化エラー", "Display Error"},
    {Text::SurfaceLayerText, "DirectXの初期化に失敗しました", "The display could not be set up."},
    {Text::AboutTitle, "バージョン情報", "About Morvish"},
    {Text::AboutText, "Morvish ver {0}", "Morvish ver {0}"},
    {Text::RemoveRootTitle, "スキンディレクトリの削除", "Remove Skin Folder"},
    {Text::RemoveRootText, "このディレクトリをスキンリストから外しますか？\n\n{0}",
     "Take this folder off the skin list?\n\n{0}\n\nNothing on disk is deleted."},
    {Text::GameFolderTitle, "ＲＯディレクトリエラー", "Game Folder Error"},
    {Text::GameFolderNotSet, "ＲＯのディレクトリが設定されていません",
     "The game folder has not been set. Choose it with File > Set Game Folder."},
    {Text::GameFolderNotFound, "ＲＯのディレクトリがみつかりません\n\n{0}",
     "The game folder cannot be found:\n\n{0}"},
    {Text::AddRootPrompt, "スキン(ディレクトリ)の親ディレクトリを選択して下さい",
     "Choose the folder that holds your skin folders"},
    {Text::GameFolderPrompt, "RanarokOnlineのディレクトリを選択して下さい",
     "Choose the Ragnarok Online folder"},
    {Text::InstallFailedTitle, "スキンのコピーエラー", "Skin Copy Error"},
    {Text::InstallPartlyFailed,
     "スキンの一部をＲＯのスキンディレクトリにコピーできませんでした。\n"
     "{0} 個のファイルはコピーしました。\n\n{1}",
     "Part of the skin could not be copied into the game's skin folder.\n"
     "{0} files were copied.\n\n{1}"},
    {Text::InstallNothingCopied,
     "スキンをＲＯのスキンディレクトリにコピーできませんでした。\n\n{0}",
     "The skin could not be copied into the game's skin folder.\n\n{0}"},
    {Text::InstallRefused,
     "スキン「{0}」の名前には区切り文字 (/ \\ :) または「.」「..」が含まれているため、"
     "ＲＯのスキンディレクトリにはコピーできません。フォルダ名を変えてください。",
     "The skin \"{0}\" cannot be copied into the game's skin folder: its name holds a "
     "separator (/ \\ :) or is \".\" or \"..\", which would lead out of that folder. "
     "Rename the folder first."},
    {Text::InstallProgressTitle, "スキン「{0}」をコピーしています", "Copying the skin \"{0}\""},
    {Text::InstallProgressText, "{0} / {1} 個のファイル", "{0} of {1} files"},
    {Text::InstallCancelButton, "中止", "Cancel"},
    {Text::SaveFailedTitle, "設定の保存エラー", "Settings Not Saved"},
    {Text::SaveFailedText, "設定を保存できませんでした。\n\n{0}",
     "The settings could not be saved.\n\n{0}"},
    {Text::MoreFailures, "ほか {0} 件", "and {0} more"},
    {Text::StatusShowing, "{0} — {1}", "{0} — {1}"},
    {Text::StatusScreenshot, "{0} — {1}", "{0} — {1}"},
    {Text::StatusGameFolder, "ＲＯ: {0}", "Game: {0}"},
    {Text::StatusNoGameFolder, "ＲＯ: 未設定", "Game: not set"},
    {Text::StatusInstalled, "{0} 個のファイルを {1} にコピーしました", "Copied {0} files to {1}"},
    {Text::StatusInstallCancelled,
     "コピーを中止しました ({0} / {1} 個のファイルを {2} にコピー済み)",
     "Copy cancelled: {0} of {1} files were copied to {2}"},
#ifdef _WIN32
    {Text::MissingJapaneseFont,
     "日本語のサンプル文字のフォント (MS Pゴシックなど) がないため、文字を描きません。"
     "Windows の設定で「日本語補助フォント」を追加してください。",
     "No Japanese sample font (MS PGothic or another) is installed, so texts are left out: "
     "add the optional Windows feature Japanese Supplemental Fonts."},
    {Text::MissingEnglishFont,
     "英語のサンプル文字のフォント Arial がないため、文字を描きません。"
     "arial.ttf を Windows の Fonts フォルダに戻してください。",
     "The English sample font Arial is not installed, so texts are left out: restore arial.ttf "
     "to the Windows Fonts folder."},
#else
    {Text::MissingJapaneseFont,
     "日本語のサンプル文字のフォント (IPAPGothic) がないため、文字を描きません。"
     "パッケージ fonts-ipafont-gothic をインストールしてください。",
     "The Japanese sample font IPAPGothic is not installed, so texts are left out: install the "
     "package fonts-ipafont-gothic."},
    {Text::MissingEnglishFont,
     "英語のサンプル文字のフォント (Liberation Sans) がないため、文字を描きません。"
     "パッケージ fonts-liberation をインストールしてください。",
     "The English sample font Liberation Sans is not installed, so texts are left out: install "
     "the package fonts-liberation."},
#endif
};

// Every text has its entry, at the place of its number.
constexpr bool EntriesInOrder() {
    for (std::size_t i = 0; i < std::size(kEntries); ++i) {
        if (static_cast<std::size_t>(kEntries[i].text) != i) return false;
    }
    return static_cast<std::size_t>(Text::MissingEnglishFont) + 1 == std::size(kEntries);
}
static_assert(EntriesInOrder());

constexpr std::array<std::string_view, 12> kEnglishKinds = {"All windows", "Basic information",
                                                            "Message box", "Status",
                                                            "Options",     "Items",
                                                            "Equipment",   "Chat",
                                                            "Party",       "Skills",
                                                            "Trade",       "Others"};

}  // namespace

std::string_view LanguageCode(Language language) {
    return language == Language::English ? "en" : "ja";
}

Language LanguageFromCode(std::string_view code) {
    return code == "en" ? Language::English : Language::Japanese;
}

std::string_view Tr(Text text, Language language) {
    const Entry& entry = kEntries[static_cast<std::size_t>(text)];
    return language == Language::English ? entry.english : entry.japanese;
}

std::string Format(Text text, Language language,
                   std::initializer_list<std::string_view> arguments) {
    const std::string_view pattern = Tr(text, language);
    std::string formatted;
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        const bool placeholder = pattern[at] == '{' && at + 2 < pattern.size() &&
                                 pattern[at + 2] == '}' && pattern[at + 1] >= '0' &&
                                 pattern[at + 1] <= '9';
        const std::size_t index = placeholder ? std::size_t(pattern[at + 1] - '0') : 0;
        if (placeholder && index < arguments.size()) {
            formatted += *(arguments.begin() + index);
            at += 2;
        } else {
            formatted += pattern[at];
        }
    }
    return formatted;
}

namespace {

// The system's reason for a failed read or write, as a Japanese phrase; the system's own words
// for the rare ones without one.
std::string SystemReason(std::error_code code) {
    struct Reason {
        std::errc condition;
        std::string_view japanese;
    };
    static constexpr Reason kReasons[] = {
        {std::errc::no_such_file_or_directory, "ファイルまたはフォルダがありません"},
        {std::errc::permission_denied, "アクセスが許可されていません"},
        {std::errc::operation_not_permitted, "アクセスが許可されていません"},
        {std::errc::no_space_on_device, "ディスクの空きがありません"},
        {std::errc::read_only_file_system, "読み取り専用のドライブです"},
        {std::errc::file_too_large, "ファイルが大きすぎます"},
        {std::errc::is_a_directory, "フォルダです"},
        {std::errc::not_a_directory, "フォルダではありません"},
        {std::errc::too_many_symbolic_link_levels, "リンクが循環しています"},
        {std::errc::filename_too_long, "名前が長すぎます"},
        {std::errc::file_exists, "同じ名前のものがすでにあります"},
        {std::errc::io_error, "ディスクの読み書きに失敗しました"},
        {std::errc::device_or_resource_busy, "ほかのプログラムが使用中です"},
        {std::errc::text_file_busy, "ほかのプログラムが使用中です"},
        {std::errc::directory_not_empty, "フォルダが空ではありません"},
    };
    for (const Reason& reason : kReasons) {
        if (code == reason.condition) return std::string(reason.japanese);
    }
    return "エラー " + std::to_string(code.value()) + ": " + code.message();
}

std::string Mebibytes(std::int64_t bytes) {
    constexpr std::int64_t kMebibyte = 1024 * 1024;
    return std::to_string((bytes + kMebibyte - 1) / kMebibyte) + " MiB";
}

std::string JapaneseReason(const Error& error) {
    const auto number = [&](std::size_t i) {
        return i < error.numbers.size() ? std::to_string(error.numbers[i]) : std::string("?");
    };
    switch (error.kind) {
        case ErrorKind::CannotRead:
            return "読み込めません (" + SystemReason(error.code) + ")";
        case ErrorKind::CannotWrite:
            return "書き込めません (" + SystemReason(error.code) + ")";
        case ErrorKind::NotAFile:
            return "通常のファイルではありません (フォルダ、パイプ、デバイスなど)";
        case ErrorKind::FileTooLarge:
            return "ファイルが大きすぎます (上限は " +
                   Mebibytes(error.numbers.size() > 1 ? error.numbers[1] : 0) + ")";
        case ErrorKind::EmptyFile:
            return "ファイルが空です (0 バイト)";
        case ErrorKind::NotBitmap:
            return "BMP ファイルではありません";
        case ErrorKind::BitmapTruncated:
            return "BMP ファイルが途中で切れています";
        case ErrorKind::BitmapUnsupported:
            return "この種類の BMP ファイルには対応していません";
        case ErrorKind::BitmapDamaged:
            return "BMP ファイルが壊れています";
        case ErrorKind::PictureTooLarge:
            return "画像が大きすぎます (" + number(0) + " × " + number(1) +
                   " ピクセル、一辺の上限は " + number(2) + " ピクセル)";
        case ErrorKind::PictureUnreadable:
            return "画像として読み込めません";
        case ErrorKind::LinkLeadsOutside:
            return "スキンのフォルダの外を指すリンクのため、コピーしません";
        case ErrorKind::LinkInGame:
            return "リンクのため、書き込みません";
        case ErrorKind::Other:
            break;
    }
    return {};
}

}  // namespace

std::string Describe(const Error& error, Language language) {
    const std::string reason = JapaneseReason(error);
    if (language == Language::English || reason.empty()) return error.message;
    if (error.file.empty()) return reason;
    return platform::DisplayText(error.file) + ": " + reason;
}

std::string_view WindowKindLabel(int slot, Language language) {
    if (slot < 1 || slot > kSlotCount) return {};
    return language == Language::English ? kEnglishKinds[std::size_t(slot - 1)]
                                         : kWindowSlots[std::size_t(slot - 1)].label;
}

}  // namespace morvish
