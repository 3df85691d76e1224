#pragma once
// The skin check: every bitmap the windows of a skin read, per window kind, with what it is for
// and whether it is there, readable and of a size that fits; and the files of the skin that no
// window reads. The windows are asked, not described again here: each is built and drawn once
// while the check listens to what it reads (SkinReadLog.h).

#include <filesystem>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "Types.h"
#include "clsTessarymInterface.h"

namespace morvish {

enum class FileState {
    Present,
    Missing,
    Unreadable,
};

// One bitmap a window reads.
struct CheckedFile {
    std::string name;     // relative to the skin folder, folders separated by "/"
    std::string purpose;  // what the window uses it for ("map menu button, lit")
    FileState state = FileState::Missing;
    std::string reason;  // for Unreadable: why ("not a BMP file")
    int width = 0;       // for Present: the picture's size
    int height = 0;
    std::string caseOnly;  // the name on disk when it matches only ignoring case, else empty
    int cutRight = 0;      // pixels past the right edge of what it is drawn on
    int cutBottom = 0;     // pixels past the bottom edge
    int gapRight = 0;      // for a window background: pixels it leaves uncovered at the right
    int gapBottom = 0;     // and at the bottom
};

// The bitmaps of one window kind, in the order the window first asks for them.
struct KindCheck {
    int slot = 0;
    std::string_view kind;   // "basic"
    std::string_view label;  // "基本情報ウィンドウ"
    int width = 0;           // the window's size as first shown
    int height = 0;
    std::vector<CheckedFile> files;
};

// A bitmap in the skin folder that no window reads.
struct UnusedFile {
    std::string name;     // relative, "/"-separated
    std::string nearest;  // the expected name it most likely misspells, or empty
};

struct SkinCheck {
    std::filesystem::path skin;
    std::vector<CheckedFile> shared;  // read for every window: the colour chip
    std::vector<KindCheck> kinds;     // slots 2 to 12; the all-windows view reads nothing itself
    std::vector<UnusedFile> unused;   // sorted by name

    // Counts over distinct file names.
    int FilesRead() const;
    int Count(FileState state) const;
    int CutOff() const;
    int Gaps() const;
    int CaseOnly() const;
    // True when a file is missing or unreadable: the skin will not look as its artist meant.
    bool HasProblems() const {
        return Count(FileState::Missing) + Count(FileState::Unreadable) > 0;
    }
};

// Checks the skin in `skinDir` with the windows of `slots`. Reading a file of the skin never
// fails the check; it is reported as unreadable. The check may run on any thread, beside the
// drawing of the preview; it draws no text. Once `stop` is asked, it ends soon with what it has
// found so far, which is not the whole answer.
SkinCheck CheckSkin(const std::filesystem::path& skinDir, const WindowSlotTable& slots,
                    std::stop_token stop = {});

// The check as plain text and as JSON, each in a fixed order and wording.
std::string SkinCheckText(const SkinCheck& check);
std::string SkinCheckJson(const SkinCheck& check);

// The number of single-letter edits (insert, delete, change, swap of neighbours) between two
// names, ignoring ASCII case.
int NameDistance(std::string_view a, std::string_view b);

}  // namespace morvish
