#include "frmMain.h"

#include <windowsx.h>

#include <objbase.h>
#include <uxtheme.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "Dialogs.h"
#include "PictureFile.h"
#include "platform/WindowsApi.h"
#include "render/clsDirectDraw.h"

namespace fs = std::filesystem;

namespace morvish::win32 {

namespace {

constexpr wchar_t kMainClass[] = L"MorvishMain";
constexpr wchar_t kSplitterClass[] = L"MorvishSplitter";
constexpr wchar_t kCaption[] = L"Morvish for Ragnarok Online";

enum ControlId : int { kTreeId = 1, kSplitterId, kPaneId, kStatusId };
// Menu commands are numbered from here on, in the order of the Command enumeration.
constexpr UINT kCommandBase = 100;
constexpr UINT kCommandCount = UINT(Command::CheckSkin) + 1;

UINT CommandId(Command command) {
    return kCommandBase + UINT(command);
}

bool IsCommandId(UINT id) {
    return id >= kCommandBase && id < kCommandBase + kCommandCount;
}

// A shortcut of the menu tables ("Ctrl+Q", "F5", "Delete") as an accelerator; key 0 when the text
// names no key this program knows.
ACCEL Accelerator(std::string_view shortcut, UINT id) {
    ACCEL accel{FVIRTKEY, 0, WORD(id)};
    while (!shortcut.empty()) {
        // "Ctrl++": the key after the last separator is the plus key itself.
        if (shortcut == "+") {
            accel.key = VK_OEM_PLUS;
            break;
        }
        const std::size_t plus = shortcut.find('+');
        const std::string_view part = shortcut.substr(0, plus);
        shortcut = plus == std::string_view::npos ? std::string_view() : shortcut.substr(plus + 1);
        if (part == "Ctrl") {
            accel.fVirt |= FCONTROL;
        } else if (part == "Shift") {
            accel.fVirt |= FSHIFT;
        } else if (part == "Alt") {
            accel.fVirt |= FALT;
        } else if (part == "-") {
            accel.key = VK_OEM_MINUS;
        } else if (part == "Delete") {
            accel.key = VK_DELETE;
        } else if (part.size() >= 2 && part[0] == 'F') {
            accel.key = WORD(VK_F1 + std::stoi(std::string(part.substr(1))) - 1);
        } else if (part.size() == 1) {
            accel.key = WORD(part[0]);
        }
    }
    return accel;
}

std::wstring MenuText(Text text, std::string_view shortcut, Language language) {
    std::wstring caption = platform::Utf8ToWide(Tr(text, language));
    if (!shortcut.empty()) caption += L"\t" + platform::Utf8ToWide(shortcut);
    return caption;
}

frmMain* FormOf(HWND window) {
    return reinterpret_cast<frmMain*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

void RegisterClasses() {
    static const bool registered = [] {
        const HINSTANCE instance = ::GetModuleHandleW(nullptr);
        WNDCLASSEXW main{};
        main.cbSize = sizeof main;
        main.lpfnWndProc = DefWindowProcW;
        main.hInstance = instance;
        main.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(1));
        main.hIconSm = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                       ::GetSystemMetrics(SM_CXSMICON),
                                                       ::GetSystemMetrics(SM_CYSMICON), 0));
        main.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        main.lpszClassName = kMainClass;
        ::RegisterClassExW(&main);

        WNDCLASSEXW splitter{};
        splitter.cbSize = sizeof splitter;
        splitter.lpfnWndProc = DefWindowProcW;
        splitter.hInstance = instance;
        splitter.hCursor = ::LoadCursorW(nullptr, IDC_SIZEWE);
        splitter.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        splitter.lpszClassName = kSplitterClass;
        ::RegisterClassExW(&splitter);
        return true;
    }();
    (void)registered;
}

}  // namespace

frmMain::frmMain(SettingsFolder settings) {
    RegisterClasses();
    window_ = ::CreateWindowExW(0, kMainClass, kCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                                nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    CreateControls();
    logic_ = std::make_unique<MainController>(*this, std::move(settings), MORVISH_VERSION);
    folderWatcher_ = std::make_unique<FolderWatcher>(*logic_, window_);
    logic_->SetFolderWatch(folderWatcher_.get());
    CreateMenus();
    SetFonts(::GetDpiForWindow(window_));
    // Messages reach the form only now that everything it forwards them to exists.
    ::SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
    ResizeClientArea(kDesignClientWidth, kDesignClientHeight);
}

frmMain::~frmMain() {
    StopWatching();
    logic_.reset();
    if (shortcuts_ != nullptr) ::DestroyAcceleratorTable(shortcuts_);
    for (const auto& [name, menu] : menus_) {
        // The menu bar's own submenus go with the window; the context menus are this form's.
        if (name == RootNodeMenu().name || name == SkinNodeMenu().name) ::DestroyMenu(menu);
    }
    if (::IsWindow(window_)) ::DestroyWindow(window_);
    if (font_ != nullptr) ::DeleteObject(font_);
    if (treeMarks_ != nullptr) ::ImageList_Destroy(treeMarks_);
}

void frmMain::CreateControls() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    tree_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS |
                                  TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                              0, 0, 0, 0, window_, reinterpret_cast<HMENU>(INT_PTR(kTreeId)),
                              instance, nullptr);
    ::SetWindowTheme(tree_, L"Explorer", nullptr);
    ::SendMessageW(tree_, TVM_SETEXTENDEDSTYLE, TVS_EX_DOUBLEBUFFER, TVS_EX_DOUBLEBUFFER);
    ::SetWindowSubclass(tree_, &TreeProcedure, 1, reinterpret_cast<DWORD_PTR>(this));

    splitter_ =
        ::CreateWindowExW(0, kSplitterClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window_,
                          reinterpret_cast<HMENU>(INT_PTR(kSplitterId)), instance, nullptr);
    ::SetWindowLongPtrW(splitter_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrW(splitter_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SplitterProcedure));

    pane_ = std::make_unique<PreviewPaneWindow>(window_, kPaneId);
    status_ = ::CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0,
                                0, 0, 0, window_, reinterpret_cast<HMENU>(INT_PTR(kStatusId)),
                                instance, nullptr);
    ApplyLayout(ControlLayout{});

    pane_->MouseDown = [this](int Button, int X, int Y) {
        logic_->picShowSkin_MouseDown(Button, X, Y);
    };
    pane_->MouseMove = [this](int Button, int X, int Y) {
        logic_->picShowSkin_MouseMove(Button, X, Y);
    };
    pane_->MouseUp = [this](int Button, int X, int Y) {
        logic_->picShowSkin_MouseUp(Button, X, Y);
    };
    pane_->DblClick = [this] { logic_->picShowSkin_DblClick(); };
}

HMENU frmMain::BuildMenu(const MenuDefinition& definition) {
    const HMENU menu = ::CreatePopupMenu();
    menus_[definition.name] = menu;
    const Language language = logic_->CurrentLanguage();
    for (const MenuEntry& entry : definition.entries) {
        if (!entry.command) {
            ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const UINT id = CommandId(*entry.command);
        ::AppendMenuW(menu, MF_STRING | (entry.enabled ? MF_ENABLED : MF_GRAYED), id,
                      MenuText(entry.caption, entry.shortcut, language).c_str());
        captions_.push_back({menu, id, false, entry.caption, entry.shortcut});
        if (*entry.command == Command::LanguageJapanese ||
            *entry.command == Command::LanguageEnglish ||
            (*entry.command >= Command::Zoom1 && *entry.command <= Command::Zoom4)) {
            // The languages and the zooms are each a choice of one: checked with a dot.
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE;
            info.fType = MFT_RADIOCHECK;
            ::SetMenuItemInfoW(menu, id, FALSE, &info);
        }
    }
    return menu;
}

void frmMain::CreateMenus() {
    menuBar_ = ::CreateMenu();
    UINT position = 0;
    for (const MenuDefinition& definition : MenuBar()) {
        const HMENU menu = BuildMenu(definition);
        ::AppendMenuW(menuBar_, MF_POPUP, reinterpret_cast<UINT_PTR>(menu),
                      MenuText(definition.caption, {}, logic_->CurrentLanguage()).c_str());
        captions_.push_back({menuBar_, position++, true, definition.caption, {}});
    }
    // The context menus are never shown in the menu bar.
    BuildMenu(RootNodeMenu());
    BuildMenu(SkinNodeMenu());
    ::SetMenu(window_, menuBar_);

    // The keys of every menu, the context menus' too, work from anywhere in the window.
    std::vector<const MenuDefinition*> definitions{&RootNodeMenu(), &SkinNodeMenu()};
    for (const MenuDefinition& definition : MenuBar()) definitions.push_back(&definition);
    std::vector<ACCEL> accelerators;
    for (const MenuDefinition* definition : definitions) {
        for (const MenuEntry& entry : definition->entries) {
            if (entry.command && !entry.shortcut.empty()) {
                accelerators.push_back(Accelerator(entry.shortcut, CommandId(*entry.command)));
            }
        }
    }
    std::erase_if(accelerators, [](const ACCEL& accel) { return accel.key == 0; });
    // Plus and minus work from the number pad too, and plus with Shift as well: on Japanese
    // keyboards "+" is Shift with the key that bears it.
    const std::size_t typed = accelerators.size();
    for (std::size_t k = 0; k < typed; ++k) {
        ACCEL pad = accelerators[k];
        if (pad.key != VK_OEM_PLUS && pad.key != VK_OEM_MINUS) continue;
        if (pad.key == VK_OEM_PLUS) {
            ACCEL shifted = pad;
            shifted.fVirt |= FSHIFT;
            accelerators.push_back(shifted);
        }
        pad.key = pad.key == VK_OEM_PLUS ? VK_ADD : VK_SUBTRACT;
        accelerators.push_back(pad);
    }
    if (!accelerators.empty()) {
        shortcuts_ = ::CreateAcceleratorTableW(accelerators.data(), int(accelerators.size()));
    }
}

void frmMain::SetFonts(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
    const HFONT font = ::CreateFontIndirectW(&metrics.lfMessageFont);
    for (HWND control : {tree_, status_}) {
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    if (font_ != nullptr) ::DeleteObject(font_);
    font_ = font;
    SetTreeMarks(dpi);
}

void frmMain::SetTreeMarks(UINT dpi) {
    const int width = ::GetSystemMetricsForDpi(SM_CXSMICON, dpi);
    const int height = ::GetSystemMetricsForDpi(SM_CYSMICON, dpi);
    // The system's warning sign at the small icon size; the image list scales it to the size of
    // this DPI. (The shell's stock icon of the same sign is blank under Wine.)
    HICON warning = nullptr;
    if (FAILED(::LoadIconMetric(nullptr, IDI_WARNING, LIM_SMALL, &warning))) return;
    const HIMAGELIST marks = ::ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 2, 0);
    // State image 0 means "no image", so the list's first image is never shown.
    ::ImageList_AddIcon(marks, warning);
    ::ImageList_AddIcon(marks, warning);
    ::DestroyIcon(warning);
    TreeView_SetImageList(tree_, marks, TVSIL_STATE);
    if (treeMarks_ != nullptr) ::ImageList_Destroy(treeMarks_);
    treeMarks_ = marks;
}

void frmMain::ResizeClientArea(int width, int height) {
    // The frame, the menu bar and the status bar as they are now make up the difference.
    ::RECT outer{};
    ::RECT inner{};
    ::GetWindowRect(window_, &outer);
    ::GetClientRect(window_, &inner);
    const WindowSize client = ClientSize();
    const int extraWidth = (outer.right - outer.left) - client.width;
    const int extraHeight = (outer.bottom - outer.top) - client.height;
    ::SetWindowPos(window_, nullptr, 0, 0, width + extraWidth, height + extraHeight,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool frmMain::TranslateShortcut(MSG& message) {
    // Only in the main window: in the report window Ctrl+C copies the selected text.
    if (message.hwnd != nullptr && ::GetAncestor(message.hwnd, GA_ROOT) != window_) return false;
    return shortcuts_ != nullptr && ::TranslateAcceleratorW(window_, shortcuts_, &message) != 0;
}

// ---- Messages -------------------------------------------------------------------------------

LRESULT CALLBACK frmMain::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    frmMain* form = FormOf(window);
    if (form == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
    return form->Handle(message, wParam, lParam);
}

void frmMain::StopWatching() {
    if (folderWatcher_ == nullptr) return;
    // The logic must not tell the watch anything while it is taken apart.
    logic_->SetFolderWatch(nullptr);
    folderWatcher_.reset();
}

LRESULT frmMain::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (folderWatcher_ != nullptr && folderWatcher_->Handle(message, wParam)) return 0;
    switch (message) {
        case WM_SIZE:
            LayOutStatusBar();
            logic_->Form_Resize();
            return 0;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ACTIVATE:
            // The keys reach the tree whenever the window becomes the active one.
            if (LOWORD(wParam) != WA_INACTIVE) {
                ::SetFocus(tree_);
                return 0;
            }
            break;
        case WM_SETFOCUS:
            ::SetFocus(tree_);
            return 0;
        case WM_COMMAND:
            if (lParam == 0 && IsCommandId(LOWORD(wParam))) {
                logic_->Run(Command(LOWORD(wParam) - kCommandBase));
                return 0;
            }
            break;
        case WM_NOTIFY:
            return Notify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_DPICHANGED: {
            SetFonts(HIWORD(wParam));
            const auto* suggested = reinterpret_cast<const ::RECT*>(lParam);
            ::SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                           suggested->right - suggested->left, suggested->bottom - suggested->top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_ENDSESSION:
            // Windows ends the program without closing its window: the settings are saved now.
            if (wParam) logic_->SaveSetting();
            return 0;
        case WM_CLOSE:
            logic_->SaveSetting();
            closed_ = true;
            ::DestroyWindow(window_);
            return 0;
        case WM_DESTROY:
            // The worker thread and its handles end with the window whose messages they use.
            StopWatching();
            ::PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

void frmMain::Paint() {
    PAINTSTRUCT paint{};
    const HDC dc = ::BeginPaint(window_, &paint);
    // The etched separator under the menu bar: grey at y 0, white at y 1.
    const std::pair<int, COLORREF> lines[] = {{0, 0x808080}, {1, 0xFFFFFF}};
    for (const auto& [y, colour] : lines) {
        const HBRUSH brush = ::CreateSolidBrush(colour);
        const ::RECT line{0, y, linSplitEnd_, y + 1};
        ::FillRect(dc, &line, brush);
        ::DeleteObject(brush);
    }
    ::EndPaint(window_, &paint);
}

LRESULT CALLBACK frmMain::SplitterProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    frmMain* form = FormOf(window);
    switch (message) {
        case WM_LBUTTONDOWN:
            // The splitter follows the pointer also where the pointer runs ahead of it.
            ::SetCapture(window);
            return 0;
        case WM_LBUTTONUP:
            ::ReleaseCapture();
            // The splitter takes no focus of its own: the keys go on reaching the tree.
            ::SetFocus(form->tree_);
            return 0;
        case WM_MOUSEMOVE:
            form->logic_->cntForResize_MouseMove(ButtonMask(wParam), GET_X_LPARAM(lParam),
                                                 GET_Y_LPARAM(lParam));
            return 0;
        default:
            return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

// ---- The skin tree's events -------------------------------------------------------------------

LRESULT CALLBACK frmMain::TreeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR /*id*/, DWORD_PTR self) {
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(window, &TreeProcedure, 1);
        return ::DefSubclassProc(window, message, wParam, lParam);
    }
    return reinterpret_cast<frmMain*>(self)->TreeMessage(message, wParam, lParam);
}

LRESULT frmMain::TreeMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK: {
            // The tree reports its click while it still holds the button: the press is known
            // first.
            pressed_ = ItemAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            const bool left = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
            const bool right = message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK;
            logic_->tvwSelectSkin_MouseDown(left ? 1 : right ? 2 : 4);
            if (message == WM_MBUTTONDOWN) ::SetFocus(tree_);
            break;
        }
        case WM_MBUTTONUP: {
            // The tree has no click of its own for the middle button.
            const HTREEITEM item = ItemAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            if (item != nullptr && item == pressed_) logic_->tvwSelectSkin_NodeClick(NodeOf(item));
            pressed_ = nullptr;
            return 0;
        }
        case WM_CONTEXTMENU:
            // The menu key; a right click opens its menu through its click.
            if (lParam == -1) logic_->tvwSelectSkin_ContextMenuKey();
            return 0;
        case WM_SYSKEYDOWN:
            // Shift+F10 opens the selected node's menu here, also where the system would take
            // F10 for the menu bar.
            if (wParam == VK_F10 && (::GetKeyState(VK_SHIFT) & 0x8000) != 0) {
                logic_->tvwSelectSkin_ContextMenuKey();
                return 0;
            }
            break;
        case WM_KEYDOWN:
            if (wParam == VK_RETURN) {
                logic_->tvwSelectSkin_Enter(SelectedNode());
                return 0;
            }
            [[fallthrough]];
        case WM_CHAR: {
            if (message == WM_CHAR && wParam == L'\r') return 0;
            // Arrows, Home, End, pages and typing the start of a label all move the selection.
            const NodeId before = SelectedNode();
            const LRESULT result = ::DefSubclassProc(tree_, message, wParam, lParam);
            const NodeId after = SelectedNode();
            if (after != kNoNode && after != before) logic_->tvwSelectSkin_KeyboardSelect(after);
            return result;
        }
        default:
            break;
    }
    return ::DefSubclassProc(tree_, message, wParam, lParam);
}

LRESULT frmMain::Notify(const NMHDR& header) {
    if (header.hwndFrom != tree_) return 0;
    switch (header.code) {
        case NM_CLICK:
        case NM_DBLCLK:
        case NM_RCLICK: {
            // A click is a press and a release on the same node, not on its expand button.
            const HTREEITEM item = ItemUnderPointer();
            const bool clicked = item != nullptr && item == pressed_;
            pressed_ = nullptr;
            if (clicked) logic_->tvwSelectSkin_NodeClick(NodeOf(item));
            // The right click's menu is opened by the click, not by the tree's default.
            return header.code == NM_RCLICK ? TRUE : FALSE;
        }
        default:
            return 0;
    }
}

HTREEITEM frmMain::ItemAt(POINT point) const {
    TVHITTESTINFO hit{};
    hit.pt = point;
    const auto item = reinterpret_cast<HTREEITEM>(
        ::SendMessageW(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & TVHT_ONITEM) != 0 ? item : nullptr;
}

HTREEITEM frmMain::ItemUnderPointer() const {
    POINT point{};
    ::GetCursorPos(&point);
    ::ScreenToClient(tree_, &point);
    return ItemAt(point);
}

HTREEITEM frmMain::Item(NodeId node) const {
    const auto found = items_.find(node);
    return found == items_.end() ? nullptr : found->second;
}

NodeId frmMain::NodeOf(HTREEITEM item) const {
    if (item == nullptr) return kNoNode;
    TVITEMW info{};
    info.mask = TVIF_PARAM | TVIF_HANDLE;
    info.hItem = item;
    if (!::SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info))) return kNoNode;
    return NodeId(info.lParam);
}

// ---- The window ---------------------------------------------------------------------------------

void frmMain::ShowWindow() {
    ::ShowWindow(window_, SW_SHOWNORMAL);
    ::UpdateWindow(window_);
    ::SetFocus(tree_);
}

void frmMain::CloseWindow() {
    ::PostMessageW(window_, WM_CLOSE, 0, 0);
}

WindowSize frmMain::ClientSize() const {
    ::RECT client{};
    ::GetClientRect(window_, &client);
    ::RECT status{};
    if (::IsWindowVisible(status_)) ::GetWindowRect(status_, &status);
    const int height = client.bottom - (status.bottom - status.top);
    return WindowSize{client.right, std::max(height, 0)};
}

void frmMain::ApplyLayout(const ControlLayout& layout) {
    HDWP moves = ::BeginDeferWindowPos(3);
    const auto place = [&moves](HWND control, const ControlRect& rect) {
        if (moves != nullptr) {
            // Every control draws itself anew where it lands: its old pixels would be stale.
            moves = ::DeferWindowPos(moves, control, nullptr, rect.Left, rect.Top, rect.Width,
                                     rect.Height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
        }
    };
    place(tree_, layout.tvwSelectSkin);
    place(splitter_, layout.cntForResize);
    place(pane_->Handle(), layout.picShowSkin);
    if (moves != nullptr) ::EndDeferWindowPos(moves);
    if (layout.linSplitEnd != linSplitEnd_) {
        linSplitEnd_ = layout.linSplitEnd;
        ::RECT lines{0, 0, std::max(linSplitEnd_, 0) + 1, 2};
        ::GetClientRect(window_, &lines);
        lines.bottom = 2;
        ::InvalidateRect(window_, &lines, TRUE);
    }
}

WindowPlacement frmMain::Placement() const {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ::GetWindowPlacement(window_, &placement);
    WindowState state = WindowState::Normal;
    if (::IsIconic(window_)) {
        state = WindowState::Minimised;
    } else if (::IsZoomed(window_)) {
        state = WindowState::Maximised;
    }
    // The restored size, also when the window is maximised or minimised now.
    const ::RECT& restored = placement.rcNormalPosition;
    return WindowPlacement{
        state, WindowSize{restored.right - restored.left, restored.bottom - restored.top}};
}

void frmMain::Place(const WindowPlacement& placement) {
    WINDOWPLACEMENT current{};
    current.length = sizeof current;
    ::GetWindowPlacement(window_, &current);
    current.rcNormalPosition.right = current.rcNormalPosition.left + placement.restored.width;
    current.rcNormalPosition.bottom = current.rcNormalPosition.top + placement.restored.height;
    current.flags = 0;
    switch (placement.state) {
        case WindowState::Minimised:
            current.showCmd = SW_SHOWMINIMIZED;
            break;
        case WindowState::Maximised:
            current.showCmd = SW_SHOWMAXIMIZED;
            break;
        case WindowState::Normal:
            current.showCmd = SW_SHOWNORMAL;
            break;
    }
    ::SetWindowPlacement(window_, &current);
}

WindowSize frmMain::AvailableScreen() const {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
    return WindowSize{monitor.rcWork.right - monitor.rcWork.left,
                      monitor.rcWork.bottom - monitor.rcWork.top};
}

// ---- The skin tree ------------------------------------------------------------------------------

void frmMain::AddTreeNode(NodeId id, const SkinTree::Node& node) {
    std::wstring text = platform::Utf8ToWide(node.text);
    TVINSERTSTRUCTW insert{};
    const HTREEITEM parent = Item(node.parent);
    insert.hParent = parent != nullptr ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
    insert.item.pszText = text.data();
    insert.item.lParam = LPARAM(id);
    // Roots open, so that their skins show at once.
    insert.item.stateMask = TVIS_EXPANDED;
    insert.item.state = node.kind == NodeKind::Root ? TVIS_EXPANDED : 0;
    const auto item = reinterpret_cast<HTREEITEM>(
        ::SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    if (item != nullptr) items_[id] = item;
}

void frmMain::RemoveTreeNode(NodeId id) {
    const auto found = items_.find(id);
    if (found == items_.end()) return;
    if (pressed_ == found->second) pressed_ = nullptr;
    ::SendMessageW(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(found->second));
    items_.erase(found);
}

NodeId frmMain::SelectedNode() const {
    return NodeOf(TreeView_GetSelection(tree_));
}

void frmMain::SelectTreeNode(NodeId id) {
    TreeView_SelectItem(tree_, Item(id));
}

void frmMain::SetTreeNodeText(NodeId id, const std::string& text) {
    const HTREEITEM item = Item(id);
    if (item == nullptr) return;
    std::wstring wide = platform::Utf8ToWide(text);
    TVITEMW info{};
    info.mask = TVIF_TEXT | TVIF_HANDLE;
    info.hItem = item;
    info.pszText = wide.data();
    ::SendMessageW(tree_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&info));
}

void frmMain::ExpandTreeNode(NodeId id) {
    if (const HTREEITEM item = Item(id)) TreeView_Expand(tree_, item, TVE_EXPAND);
}

void frmMain::MarkTreeNode(NodeId id, bool problem) {
    const HTREEITEM item = Item(id);
    if (item == nullptr) return;
    TVITEMW info{};
    info.mask = TVIF_STATE | TVIF_HANDLE;
    info.hItem = item;
    info.stateMask = TVIS_STATEIMAGEMASK;
    info.state = INDEXTOSTATEIMAGEMASK(problem ? 1 : 0);
    ::SendMessageW(tree_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&info));
}

// ---- The preview pane ---------------------------------------------------------------------------

PreviewPane& frmMain::Pane() {
    return *pane_;
}

Result<void> frmMain::ShowPictureFile(const fs::path& file) {
    Result<Bitmap> picture = ReadPictureFile(file);
    if (!picture) return std::unexpected(picture.error());
    pane_->ShowPicture(std::move(*picture));
    return {};
}

void frmMain::ClearPreview() {
    pane_->ShowPicture(Bitmap{});
}

// ---- Messages -----------------------------------------------------------------------------------

void frmMain::LayOutStatusBar() {
    ::SendMessageW(status_, WM_SIZE, 0, 0);
    ::RECT client{};
    ::GetClientRect(window_, &client);
    // The lasting fields as wide as their texts, the message taking the rest.
    const HDC dc = ::GetDC(status_);
    const HGDIOBJ previous = ::SelectObject(dc, font_);
    const auto widthOf = [dc](const std::string& text) {
        if (text.empty()) return 0;
        const std::wstring wide = platform::Utf8ToWide(text);
        SIZE size{};
        ::GetTextExtentPoint32W(dc, wide.c_str(), int(wide.size()), &size);
        return int(size.cx) + 16;
    };
    const int grip = ::GetSystemMetrics(SM_CXVSCROLL);
    const int game = widthOf(gameFolderField_) + grip;
    const int shown = widthOf(shownField_);
    ::SelectObject(dc, previous);
    ::ReleaseDC(status_, dc);
    const int right = client.right;
    int edges[3] = {std::max(right - game - shown, right / 3), std::max(right - game, right / 2),
                    -1};
    edges[1] = std::max(edges[1], edges[0]);
    ::SendMessageW(status_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
}

void frmMain::ShowStatus(const std::string& text) {
    ::SendMessageW(status_, SB_SETTEXTW, 0,
                   reinterpret_cast<LPARAM>(platform::Utf8ToWide(text).c_str()));
}

void frmMain::ShowStatusFields(const std::string& shown, const std::string& gameFolder) {
    shownField_ = shown;
    gameFolderField_ = gameFolder;
    LayOutStatusBar();
    ::SendMessageW(status_, SB_SETTEXTW, 1,
                   reinterpret_cast<LPARAM>(platform::Utf8ToWide(shown).c_str()));
    ::SendMessageW(status_, SB_SETTEXTW, 2,
                   reinterpret_cast<LPARAM>(platform::Utf8ToWide(gameFolder).c_str()));
}

void frmMain::ApplyLanguage(Language language) {
    for (const Caption& caption : captions_) {
        const std::wstring text = MenuText(caption.text, caption.shortcut, language);
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING;
        info.dwTypeData = const_cast<wchar_t*>(text.c_str());
        ::SetMenuItemInfoW(caption.menu, caption.item, caption.byPosition, &info);
    }
    constexpr std::pair<std::string_view, Command> kChoices[] = {
        {"mnuLanguage", Command::LanguageJapanese},
        {"mnuLanguage", Command::LanguageEnglish},
        {"mnuView", Command::Zoom1},
        {"mnuView", Command::Zoom2},
        {"mnuView", Command::Zoom3},
        {"mnuView", Command::Zoom4},
    };
    for (const auto& [name, command] : kChoices) {
        const auto found = menus_.find(name);
        const HMENU menu = found != menus_.end() ? found->second : nullptr;
        if (menu != nullptr) {
            ::CheckMenuItem(
                menu, CommandId(command),
                MF_BYCOMMAND | (logic_->IsChecked(command) ? MF_CHECKED : MF_UNCHECKED));
        }
    }
    if (menuBar_ != nullptr) ::DrawMenuBar(window_);
}

void frmMain::ShowMessage(const Message& message) {
    ShowMessageBox(::IsWindowVisible(window_) ? window_ : nullptr, message);
}

bool frmMain::AskYesNo(const Message& message) {
    return AskYesNoBox(window_, message);
}

std::string frmMain::BrowseForFolder(std::string_view prompt, const fs::path& start) {
    return ChooseFolder(window_, prompt, start);
}

void frmMain::OpenContextMenu(const MenuDefinition& menu, MenuPlace place) {
    const auto found = menus_.find(menu.name);
    if (found == menus_.end()) return;
    POINT at{};
    ::GetCursorPos(&at);
    if (place == MenuPlace::AtSelectedNode) {
        if (const HTREEITEM item = TreeView_GetSelection(tree_)) {
            ::RECT label{};
            if (TreeView_GetItemRect(tree_, item, &label, TRUE)) {
                at = POINT{label.left, label.bottom};
                ::ClientToScreen(tree_, &at);
            }
        }
    }
    const UINT chosen = UINT(::TrackPopupMenuEx(
        found->second, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y,
        window_, nullptr));
    if (IsCommandId(chosen)) logic_->Run(Command(chosen - kCommandBase));
}

std::filesystem::path frmMain::AskSavePath(std::string_view title, const std::string& name) {
    return ChooseSavePath(window_, title, name);
}

bool frmMain::CopyPicture(const Bitmap& picture) {
    return CopyToClipboard(window_, picture);
}

void frmMain::ShowReport(std::string_view title, const std::string& text) {
    if (report_ == nullptr) report_ = std::make_unique<ReportWindow>(window_);
    report_->Show(title, text);
}

void frmMain::RunWithProgress(const std::string& title, InstallProgress& progress,
                              const std::function<void()>& work) {
    // How long the work may take before the progress window shows, and how often it is looked at.
    constexpr auto kMoment = std::chrono::milliseconds(400);
    constexpr DWORD kPollMs = 30;
    const Language language = logic_->CurrentLanguage();
    std::atomic<bool> done{false};
    const DWORD thread = ::GetCurrentThreadId();
    std::thread worker([&] {
        work();
        done = true;
        ::PostThreadMessageW(thread, WM_NULL, 0, 0);
    });

    // The window keeps painting but takes no input while the work runs.
    ::EnableWindow(window_, FALSE);
    const auto started = std::chrono::steady_clock::now();
    std::unique_ptr<ProgressWindow> shown;
    bool quit = false;
    int quitCode = 0;
    while (!done) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quit = true;
                quitCode = int(message.wParam);
                continue;
            }
            if (shown != nullptr && ::IsDialogMessageW(shown->Handle(), &message)) continue;
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        if (shown == nullptr && std::chrono::steady_clock::now() - started >= kMoment) {
            shown = std::make_unique<ProgressWindow>(
                window_, platform::WideToUtf8(kCaption),
                std::string(Tr(Text::InstallCancelButton, language)), font_, progress.cancel);
        }
        if (shown != nullptr) {
            const int total = int(progress.total.load());
            const int copied = int(progress.copied.load());
            shown->Show(title + "\n" +
                            Format(Text::InstallProgressText, language,
                                   {std::to_string(copied), std::to_string(total)}),
                        copied, total);
        }
    }
    worker.join();
    ::EnableWindow(window_, TRUE);
    shown.reset();
    ::SetActiveWindow(window_);
    if (quit) ::PostQuitMessage(quitCode);
}

// ---- Start-up -----------------------------------------------------------------------------------

int Main() {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const INITCOMMONCONTROLSEX controls{
        sizeof(INITCOMMONCONTROLSEX), ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
    int code = 1;
    {
        frmMain form(SettingsFolder::ForThisProgram());
        // The native window exists before the window is shown.
        const bool started = form.Logic().StartUp([&] {
            return gDirectDraw.ClassInitialize(reinterpret_cast<std::uintptr_t>(form.Handle()));
        });
        if (started) {
            MSG message;
            while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
                if (form.TranslateShortcut(message)) continue;
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
            code = int(message.wParam);
        }
    }
    ::CoUninitialize();
    return code;
}

}  // namespace morvish::win32
