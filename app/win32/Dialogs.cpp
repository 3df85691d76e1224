#include "Dialogs.h"

#include <commctrl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "platform/WindowsApi.h"

namespace morvish::win32 {

namespace {

UINT IconFlag(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return MB_ICONINFORMATION;
        case MessageIcon::Warning:
            return MB_ICONWARNING;
        case MessageIcon::Critical:
            return MB_ICONERROR;
        case MessageIcon::Question:
            return MB_ICONQUESTION;
        case MessageIcon::None:
            break;
    }
    return 0;
}

// The older folder dialog, where the item dialog cannot be made.
std::string BrowseForFolderClassic(HWND owner, std::string_view prompt) {
    const std::wstring title = platform::Utf8ToWide(prompt);
    BROWSEINFOW browse{};
    browse.hwndOwner = owner;
    browse.lpszTitle = title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE item = ::SHBrowseForFolderW(&browse);
    if (item == nullptr) return {};
    std::wstring path(32768, L'\0');
    const bool named =
        ::SHGetPathFromIDListEx(item, path.data(), DWORD(path.size()), GPFIDL_DEFAULT);
    ::CoTaskMemFree(item);
    if (!named) return {};
    path.resize(path.find(L'\0'));
    return platform::WideToUtf8(path);
}

constexpr wchar_t kProgressClass[] = L"MorvishProgress";
constexpr int kMargin = 12;
constexpr int kWidth = 420;

}  // namespace

void ShowMessageBox(HWND owner, const Message& message) {
    ::MessageBoxW(owner, platform::Utf8ToWide(message.text).c_str(),
                  platform::Utf8ToWide(message.title).c_str(), MB_OK | IconFlag(message.icon));
}

bool AskYesNoBox(HWND owner, const Message& message) {
    return ::MessageBoxW(owner, platform::Utf8ToWide(message.text).c_str(),
                         platform::Utf8ToWide(message.title).c_str(),
                         MB_YESNO | MB_DEFBUTTON1 | IconFlag(message.icon)) != IDNO;
}

std::string ChooseFolder(HWND owner, std::string_view prompt, const std::filesystem::path& start) {
    IFileOpenDialog* dialog = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IFileOpenDialog, reinterpret_cast<void**>(&dialog)))) {
        return BrowseForFolderClassic(owner, prompt);
    }
    std::string chosen;
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
    dialog->SetTitle(platform::Utf8ToWide(prompt).c_str());
    IShellItem* folder = nullptr;
    if (!start.empty() &&
        SUCCEEDED(::SHCreateItemFromParsingName(start.c_str(), nullptr, IID_IShellItem,
                                                reinterpret_cast<void**>(&folder)))) {
        dialog->SetFolder(folder);
        folder->Release();
    }
    IShellItem* result = nullptr;
    if (SUCCEEDED(dialog->Show(owner)) && SUCCEEDED(dialog->GetResult(&result))) {
        wchar_t* path = nullptr;
        if (SUCCEEDED(result->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
            chosen = platform::WideToUtf8(path);
            ::CoTaskMemFree(path);
        }
        result->Release();
    }
    dialog->Release();
    return chosen;
}

ProgressWindow::ProgressWindow(HWND owner, const std::string& title, const std::string& cancel,
                               HFONT font, std::atomic<bool>& cancelled)
    : cancelled_(cancelled) {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &ProgressWindow::Procedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kProgressClass;
        return ::RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;

    // Sizes follow the height of the dialog font's line.
    const HDC screen = ::GetDC(nullptr);
    const HGDIOBJ previous = ::SelectObject(screen, font);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(screen, &metrics);
    ::SelectObject(screen, previous);
    ::ReleaseDC(nullptr, screen);
    const int line = metrics.tmHeight;
    const int labelHeight = 2 * line;
    const int barHeight = line;
    const int buttonWidth = 7 * metrics.tmAveCharWidth + 40;
    const int buttonHeight = line + 10;
    const int clientHeight = kMargin + labelHeight + 8 + barHeight + 12 + buttonHeight + kMargin;

    const DWORD style = WS_POPUP | WS_CAPTION | WS_BORDER;
    ::RECT outer{0, 0, kWidth, clientHeight};
    ::AdjustWindowRectEx(&outer, style, FALSE, WS_EX_DLGMODALFRAME);
    // Centred on the owner.
    ::RECT owned{};
    ::GetWindowRect(owner, &owned);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    const int left = (owned.left + owned.right - width) / 2;
    const int top = (owned.top + owned.bottom - height) / 2;
    window_ = ::CreateWindowExW(WS_EX_DLGMODALFRAME, kProgressClass,
                                platform::Utf8ToWide(title).c_str(), style, left, top, width,
                                height, owner, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    label_ = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                               kMargin, kMargin, kWidth - 2 * kMargin, labelHeight, window_,
                               nullptr, instance, nullptr);
    bar_ = ::CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, kMargin,
                             kMargin + labelHeight + 8, kWidth - 2 * kMargin, barHeight, window_,
                             nullptr, instance, nullptr);
    button_ = ::CreateWindowExW(
        0, L"BUTTON", platform::Utf8ToWide(cancel).c_str(),
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, kWidth - kMargin - buttonWidth,
        clientHeight - kMargin - buttonHeight, buttonWidth, buttonHeight, window_,
        reinterpret_cast<HMENU>(INT_PTR(IDCANCEL)), instance, nullptr);
    for (HWND control : {label_, button_}) {
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    ::ShowWindow(window_, SW_SHOW);
    ::SetFocus(button_);
}

ProgressWindow::~ProgressWindow() {
    ::DestroyWindow(window_);
}

void ProgressWindow::Show(const std::string& text, int done, int total) {
    if (text != shown_) {
        shown_ = text;
        ::SetWindowTextW(label_, platform::Utf8ToWide(text).c_str());
    }
    ::SendMessageW(bar_, PBM_SETRANGE32, 0, total > 0 ? total : 1);
    ::SendMessageW(bar_, PBM_SETPOS, WPARAM(done), 0);
}

LRESULT CALLBACK ProgressWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    auto* progress = reinterpret_cast<ProgressWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (progress != nullptr) {
        // The button, Esc, Enter and the close command all cancel.
        const bool cancel = (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) ||
                            (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) ||
                            message == WM_CLOSE;
        if (cancel) {
            progress->cancelled_ = true;
            ::EnableWindow(progress->button_, FALSE);
            return 0;
        }
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace morvish::win32
