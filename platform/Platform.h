#pragma once
// What differs between the systems Morvish runs on, behind one interface: where the program and
// the user's settings live, whether a folder may be written, hidden entries, whole-file reads and
// atomic replacement, whether a file has changed, and the conversion between paths and the UTF-8
// text that settings files, messages and the tree show.
//
// Paths are std::filesystem::path everywhere inside the program. A path becomes text, or text a
// path, only through the functions below: on Linux a path is the file system's own bytes (a name
// need not be UTF-8: archives unpacked from Japanese systems give Shift-JIS names), on Windows it
// is UTF-16 and its text is UTF-8.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "render/Types.h"

namespace morvish::platform {

namespace fs = std::filesystem;

// ---- Folders ------------------------------------------------------------------------------------

// The folder that holds the running executable.
fs::path ExecutableDirectory();

// The user's own settings folder for this program: $XDG_CONFIG_HOME/morvish or ~/.config/morvish
// on Linux, %APPDATA%\Morvish on Windows. Not created here.
fs::path UserSettingsDirectory();

// The user's home folder, where folder dialogs open when there is nothing better.
fs::path HomeDirectory();

// True when the current user may create files in `folder`.
bool MayWriteTo(const fs::path& folder);

// True when `folder` lies in the system's folder of installed programs ("Program Files" on
// Windows, for 64-bit and 32-bit programs alike). Programs installed there keep their folder clean
// even where the user could write to it. Never on Linux, whose installed folders the build names.
bool IsInProgramFilesFolder(const fs::path& folder);

// True when a folder entry is one a listing leaves out: a name starting with "." on Linux, the
// hidden or system attribute on Windows.
bool IsHidden(const fs::directory_entry& entry);

// ---- Files --------------------------------------------------------------------------------------

// Files larger than this are refused by ReadRegularFile unless the caller gives a limit.
inline constexpr std::uintmax_t kDefaultReadLimit = std::uintmax_t(256) * 1024 * 1024;

// The whole content of a regular file. The file is opened first (without waiting on a pipe or a
// device) and what it is and how large it is are checked on the open file, so nothing swapped in
// between a check and the open is read. The error names the file and the reason.
Result<std::string> ReadRegularFile(const fs::path& path, std::uintmax_t limit = kDefaultReadLimit);

// What a replacing write does when the target's own name is a link.
enum class TargetLink {
    // The file the link leads to is replaced: a settings file kept elsewhere stays where it is.
    kWriteThrough,
    // The link itself is replaced by the new file, so nothing outside the target's folder is
    // written (a copy into a folder that others may have filled).
    kReplace,
};

// Replaces (or creates) `path` with `contents`: written beside it under a temporary name, flushed
// and renamed over it, so the file holds either its old or its new content whatever happens. A
// link is written through to its target; an existing file keeps its permissions (and its owner,
// where the user may give it). A target that is neither a regular file nor a link (a folder, a
// pipe, a device) is refused and left alone.
Result<void> WriteFileAtomically(const fs::path& path, std::string_view contents);

// Replaces (or creates) `target` with a copy of the regular file `source`, as above; `link` says
// whether a link at `target` is written through or replaced.
Result<void> CopyFileAtomically(const fs::path& source, const fs::path& target,
                                TargetLink link = TargetLink::kWriteThrough);

// ---- Telling whether a file changed -------------------------------------------------------------

// What tells one state of a file or folder from another without reading it: where it lives (the
// device and inode on Linux, the volume and file index on Windows), its size, and the times of
// its last change of content and of its entry, at the file system's full resolution. A file
// written anew under the same name (written elsewhere and renamed over it) is another file; one
// rewritten in place changes its times. Only a rewrite within one tick of the file system's clock
// can leave the identity as it was, which is why a file whose times are close to the moment it
// was read is not trusted (see the picture cache).
struct FileIdentity {
    enum class Kind : std::uint8_t { File, Folder, Other };
    Kind kind = Kind::Other;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modified = 0;  // content, nanoseconds since 1970
    std::int64_t changed = 0;  // content or entry (the inode's change time), nanoseconds since 1970
    std::uint64_t links = 0;   // names the file has (hard links)

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// The identity of what `path` names, links followed; nothing when there is nothing there.
std::optional<FileIdentity> IdentityOf(const fs::path& path);

// True when `path` itself is a symbolic link.
bool IsLink(const fs::path& path);

// Now, on the clock of FileIdentity's times (nanoseconds since 1970).
std::int64_t FileClockNow();

// Asks the system to give the calling thread the processor (and, where it can, the disk) only
// when the others leave it: for work in the background that must not slow what the user sees.
void YieldThisThreadToOthers();

// Tells, without waiting, which watched folders have seen a change since it was last asked: an
// entry made, removed or renamed, or a file in the folder written or its attributes changed, from
// any program. It only counts as reliable where the system reports every such change: folders on
// a local disk. On Linux it is inotify; where there is no such report, Watch gives nothing and
// callers look at the files themselves.
class FolderChanges {
  public:
    FolderChanges();
    ~FolderChanges();
    FolderChanges(const FolderChanges&) = delete;
    FolderChanges& operator=(const FolderChanges&) = delete;

    // Starts watching `folder` (links followed) and returns the watch. Nothing when its changes
    // would not all be reported: a network or user-space file system, or no watch left to give.
    // The same folder watched twice gives the same watch, which ends with its last Unwatch.
    std::optional<int> Watch(const fs::path& folder);
    void Unwatch(int watch);

    struct Seen {
        std::vector<int> changed;  // watches whose folders changed, each once
        std::vector<int> ended;    // watches the system ended (their folders were removed)
        bool lost = false;         // reports were lost: any watched folder may have changed
    };
    // What has happened since the last call.
    Seen Collect();

  private:
    int handle_ = -1;
    std::vector<std::pair<int, int>> counts_;  // watch, number of Watch calls not yet undone
};

// ---- Text at the edges --------------------------------------------------------------------------

// A path from UTF-8 text (a settings line, a command-line argument, a dialog's answer). On Linux
// the bytes are taken as they are, so a name that is not UTF-8 survives.
fs::path PathFromUtf8(std::string_view text);

// The text of a path for files the program writes and reads back (SkinDir.txt): UTF-8 on Windows,
// the name's own bytes on Linux, so that reading the text back gives the same path.
std::string PathToUtf8(const fs::path& path);

// The text of a path for people (the tree, messages): valid UTF-8 always. A name that is not
// UTF-8 is read as Shift-JIS (code page 932); bytes that are neither become U+FFFD.
std::string DisplayText(const fs::path& path);

// Shift-JIS (code page 932) bytes as UTF-8; nothing when the bytes are not valid code page 932.
std::optional<std::string> Cp932ToUtf8(std::string_view bytes);

// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or values past
// U+10FFFF).
constexpr bool IsValidUtf8(std::string_view bytes) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[at++]);
        if (lead < 0x80) continue;
        int trailing = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            trailing = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            trailing = 2;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            trailing = 3;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        for (int i = 0; i < trailing; ++i, ++at) {
            if (at >= bytes.size()) return false;
            const auto next = static_cast<unsigned char>(bytes[at]);
            if (next < low || next > high) return false;
            low = 0x80;
            high = 0xBF;
        }
    }
    return true;
}

}  // namespace morvish::platform
