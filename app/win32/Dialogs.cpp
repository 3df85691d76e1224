#include "Dialogs.h"

#include <commctrl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstring>

#include "platform/Platform.h"
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
constexpr wchar_t kReportClass[] = L"MorvishReport";
// The report window's first size, in pixels at 96 dots per inch.
constexpr int kReportWidth = 900;
constexpr int kReportHeight = 600;
// The report's face: fixed-width, with Japanese characters for skin names.
constexpr wchar_t kReportFace[] = L"MS Gothic";
constexpr int kReportPoints = 10;
constexpr int kMargin = 12;
constexpr int kWidth = 420;

// Registers a window class of this program with the dialog face's background.
bool RegisterWindowClass(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    return ::RegisterClassExW(&windowClass) != 0;
}

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

std::filesystem::path ChooseSavePath(HWND owner, std::string_view title, const std::string& name) {
    IFileSaveDialog* dialog = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IFileSaveDialog, reinterpret_cast<void**>(&dialog)))) {
        return {};
    }
    std::filesystem::path chosen;
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_FORCEFILESYSTEM | FOS_OVERWRITEPROMPT | FOS_PATHMUSTEXIST);
    dialog->SetTitle(platform::Utf8ToWide(title).c_str());
    const COMDLG_FILTERSPEC types[] = {{L"PNG", L"*.png"}};
    dialog->SetFileTypes(1, types);
    dialog->SetDefaultExtension(L"png");
    dialog->SetFileName(platform::Utf8ToWide(name).c_str());
    IShellItem* result = nullptr;
    if (SUCCEEDED(dialog->Show(owner)) && SUCCEEDED(dialog->GetResult(&result))) {
        wchar_t* path = nullptr;
        if (SUCCEEDED(result->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
            chosen = platform::PathFromUtf8(platform::WideToUtf8(path));
            ::CoTaskMemFree(path);
        }
        result->Release();
    }
    dialog->Release();
    return chosen;
}

bool CopyToClipboard(HWND owner, const Bitmap& picture) {
    if (picture.width <= 0 || picture.height <= 0) return false;
    // 24 bits a pixel, rows from the bottom up, each padded to four bytes: the form every program
    // that pastes a bitmap reads, with no alpha channel for one to take as transparency.
    const std::size_t stride = (std::size_t(picture.width) * 3 + 3) & ~std::size_t(3);
    const std::size_t bytes = stride * std::size_t(picture.height);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = picture.width;
    header.biHeight = picture.height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = DWORD(bytes);
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, sizeof header + bytes);
    if (memory == nullptr) return false;
    auto* data = static_cast<unsigned char*>(::GlobalLock(memory));
    if (data == nullptr) {
        ::GlobalFree(memory);
        return false;
    }
    std::memcpy(data, &header, sizeof header);
    unsigned char* rows = data + sizeof header;
    for (int y = 0; y < picture.height; ++y) {
        unsigned char* row = rows + std::size_t(picture.height - 1 - y) * stride;
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t pixel = picture.At(x, y);  // 0x00RRGGBB
            row[3 * x] = static_cast<unsigned char>(pixel);
            row[3 * x + 1] = static_cast<unsigned char>(pixel >> 8);
            row[3 * x + 2] = static_cast<unsigned char>(pixel >> 16);
        }
        std::memset(row + 3 * std::size_t(picture.width), 0,
                    stride - 3 * std::size_t(picture.width));
    }
    ::GlobalUnlock(memory);
    if (!::OpenClipboard(owner)) {
        ::GlobalFree(memory);
        return false;
    }
    ::EmptyClipboard();
    // The clipboard owns the memory once it takes it.
    const bool taken = ::SetClipboardData(CF_DIB, memory) != nullptr;
    ::CloseClipboard();
    if (!taken) ::GlobalFree(memory);
    return taken;
}

ReportWindow::ReportWindow(HWND owner) {
    static const bool registered = RegisterWindowClass(kReportClass, &ReportWindow::Procedure);
    (void)registered;
    const UINT dpi = ::GetDpiForWindow(owner);
    const int width = ::MulDiv(kReportWidth, int(dpi), 96);
    const int height = ::MulDiv(kReportHeight, int(dpi), 96);
    window_ =
        ::CreateWindowExW(0, kReportClass, L"", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                          width, height, owner, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    edit_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                  ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL,
                              0, 0, 0, 0, window_, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    // A report of many skins is longer than an edit control's first limit of 32767 characters.
    ::SendMessageW(edit_, EM_SETLIMITTEXT, 0, 0);
    SetFont(dpi);
    ::RECT client{};
    ::GetClientRect(window_, &client);
    ::MoveWindow(edit_, 0, 0, client.right, client.bottom, FALSE);
}

ReportWindow::~ReportWindow() {
    if (::IsWindow(window_)) ::DestroyWindow(window_);
    if (font_ != nullptr) ::DeleteObject(font_);
}

void ReportWindow::SetFont(UINT dpi) {
    const HFONT font =
        ::CreateFontW(-::MulDiv(kReportPoints, int(dpi), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                      FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                      DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, kReportFace);
    ::SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (font_ != nullptr) ::DeleteObject(font_);
    font_ = font;
}

void ReportWindow::Show(std::string_view title, const std::string& text) {
    ::SetWindowTextW(window_, platform::Utf8ToWide(title).c_str());
    // The edit control breaks lines at CR LF only.
    std::string lines;
    lines.reserve(text.size() + text.size() / 32);
    for (const char c : text) {
        if (c == '\n') lines += '\r';
        lines += c;
    }
    ::SetWindowTextW(edit_, platform::Utf8ToWide(lines).c_str());
    ::ShowWindow(window_, ::IsWindowVisible(window_) ? SW_SHOW : SW_SHOWNORMAL);
    ::SetForegroundWindow(window_);
    ::SetFocus(edit_);
}

LRESULT CALLBACK ReportWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* report = reinterpret_cast<ReportWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (report != nullptr) {
        switch (message) {
            case WM_SIZE:
                ::MoveWindow(report->edit_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
                return 0;
            case WM_CLOSE:
                // Kept for the next report, at the size and place the user gave it.
                ::ShowWindow(window, SW_HIDE);
                return 0;
            case WM_DPICHANGED: {
                report->SetFont(HIWORD(wParam));
                const auto* suggested = reinterpret_cast<const ::RECT*>(lParam);
                ::SetWindowPos(window, nullptr, suggested->left, suggested->top,
                               suggested->right - suggested->left,
                               suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
                return 0;
            }
            default:
                break;
        }
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

ProgressWindow::ProgressWindow(HWND owner, const std::string& title, const std::string& cancel,
                               HFONT font, std::atomic<bool>& cancelled)
    : cancelled_(cancelled) {
    static const bool registered = RegisterWindowClass(kProgressClass, &ProgressWindow::Procedure);
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
