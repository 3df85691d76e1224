#pragma once
// The modal parts of the Win32 program: message boxes, the folder dialog and the window that
// shows an install's progress.

#include <atomic>
#include <filesystem>
#include <string>
#include <string_view>

#include "app/Messages.h"
#include "platform/WindowsApi.h"
#include "render/Bitmap.h"

namespace morvish::win32 {

// A message box with an OK button.
void ShowMessageBox(HWND owner, const Message& message);
// A message box with Yes and No buttons; true unless the answer was No.
bool AskYesNoBox(HWND owner, const Message& message);
// The folder dialog with `prompt` as its title, opening at `start`; the chosen folder as UTF-8
// text, empty when cancelled or when the choice has no file-system path.
std::string ChooseFolder(HWND owner, std::string_view prompt, const std::filesystem::path& start);

// The save dialog titled `title` for a PNG file, proposing `name` in the folder last used; the
// chosen path, empty when cancelled.
std::filesystem::path ChooseSavePath(HWND owner, std::string_view title, const std::string& name);
// Puts `picture` on the clipboard as a device-independent bitmap; false when the clipboard could
// not be opened or the memory not had.
bool CopyToClipboard(HWND owner, const Bitmap& picture);

// A resizable window owned by the main window that shows a report of plain text lines, read-only
// and in a fixed-width face, so that its columns line up and it can be selected and copied. It
// hides when closed and shows again with the next report.
class ReportWindow {
  public:
    explicit ReportWindow(HWND owner);
    ~ReportWindow();
    ReportWindow(const ReportWindow&) = delete;
    ReportWindow& operator=(const ReportWindow&) = delete;

    HWND Handle() const { return window_; }
    void Show(std::string_view title, const std::string& text);

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void SetFont(UINT dpi);

    HWND window_ = nullptr;
    HWND edit_ = nullptr;
    HFONT font_ = nullptr;
};

// A small window owned by the main window with a text, a progress bar and a cancel button.
class ProgressWindow {
  public:
    ProgressWindow(HWND owner, const std::string& title, const std::string& cancel, HFONT font,
                   std::atomic<bool>& cancelled);
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    HWND Handle() const { return window_; }
    void Show(const std::string& text, int done, int total);

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    HWND label_ = nullptr;
    HWND bar_ = nullptr;
    HWND button_ = nullptr;
    std::atomic<bool>& cancelled_;
    std::string shown_;
};

}  // namespace morvish::win32
