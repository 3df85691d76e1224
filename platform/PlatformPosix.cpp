// The platform layer on Linux and other POSIX systems.
#include <fcntl.h>
#include <iconv.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#if defined(__linux__)
#include <sys/inotify.h>
#include <sys/vfs.h>
#endif

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>

#include "Platform.h"
#include "PlatformShared.h"

namespace morvish::platform {

namespace {

constexpr std::string_view kProgramFolderName = "morvish";
constexpr std::size_t kCopyChunk = 64 * 1024;
// Links are followed this many times at most when a file is written through a link.
constexpr int kLinkHops = 40;
// Attempts at a free temporary name before giving up.
constexpr int kTemporaryNameAttempts = 100;

std::unexpected<Error> WriteFailure(const fs::path& path, int error = errno) {
    return Failure(ErrorKind::CannotWrite, path,
                   DisplayText(path) + ": cannot be written (" + std::strerror(error) + ")",
                   std::error_code(error, std::generic_category()));
}

// Closes a file descriptor when it goes out of scope.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    // Closes now, so that a failing close (the last chance to hear of a full disk) is seen.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(std::size_t(written));
    }
    return true;
}

std::unexpected<Error> ReadFailure(const fs::path& path, int error = errno) {
    return Failure(ErrorKind::CannotRead, path,
                   DisplayText(path) + ": cannot be read (" + std::strerror(error) + ")",
                   std::error_code(error, std::generic_category()));
}

// Opens a regular file for reading without blocking on a pipe or a device; the type is checked
// on the open descriptor. `size` receives the file's size.
Result<int> OpenRegularFile(const fs::path& path, std::uintmax_t& size) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return ReadFailure(path);
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        const int error = errno;
        ::close(fd);
        return ReadFailure(path, error);
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(fd);
        return Failure(ErrorKind::NotAFile, path, DisplayText(path) + ": not a regular file");
    }
    // Reads of a regular file never block; the flag only kept the open from waiting.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    size = std::uintmax_t(status.st_size);
    return fd;
}

// Reads `fd` to its end, handing every chunk to `take`; stops at the first failure.
template <class Take>
Result<void> ForEachChunk(int fd, const fs::path& path, Take take) {
    std::array<char, kCopyChunk> chunk;
    for (;;) {
        const ssize_t got = ::read(fd, chunk.data(), chunk.size());
        if (got < 0) {
            if (errno == EINTR) continue;
            return ReadFailure(path);
        }
        if (got == 0) return {};
        if (Result<void> taken = take(std::string_view(chunk.data(), std::size_t(got))); !taken) {
            return taken;
        }
    }
}

// The file a write to `path` lands in: the target of a link (followed to its end), else `path`.
Result<fs::path> WriteTarget(const fs::path& path) {
    fs::path target = path;
    for (int hop = 0; hop < kLinkHops; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(target, error)) return target;
        const fs::path next = fs::read_symlink(target, error);
        if (error) return WriteFailure(target, error.value());
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return WriteFailure(path, ELOOP);
}

// Creates a new file with a name of its own beside `target` (short, so that it fits wherever the
// target's name fits) and returns its descriptor and name. Failures name the target.
Result<std::pair<int, fs::path>> CreateTemporaryBeside(const fs::path& target) {
    constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        // Fresh randomness for every name: a generator kept between calls would be shared by
        // threads saving at once, and copied into a forked process, which then makes the same
        // names as its parent.
        std::random_device random;
        std::uint64_t bits = (std::uint64_t(random()) << 32) | random();
        std::string name = ".morvish-";
        for (int i = 0; i < 6; ++i, bits /= kLetters.size()) {
            name.push_back(kLetters[bits % kLetters.size()]);
        }
        const fs::path temporary = folder / name;
        const int fd =
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) return std::pair{fd, temporary};
        if (errno != EEXIST) return WriteFailure(target);
    }
    return WriteFailure(target, EEXIST);
}

// Writes the temporary file through `fill`, then renames it over `path`. On any failure the
// temporary file is removed and `path` is left untouched. `fill` returns the errno of a failed
// write, or the error of a failed read.
Result<void> ReplaceFile(const fs::path& path, TargetLink link,
                         const std::function<Result<void>(int fd, const fs::path& target)>& fill) {
    const Result<fs::path> target = link == TargetLink::kWriteThrough ? WriteTarget(path) : path;
    if (!target) return std::unexpected(target.error());

    struct stat existing {};
    const bool exists = ::lstat(target->c_str(), &existing) == 0;
    // A link that is replaced rather than followed gives no permissions to keep.
    const bool keepMode = exists && S_ISREG(existing.st_mode);
    if (exists && !keepMode && !(link == TargetLink::kReplace && S_ISLNK(existing.st_mode))) {
        return Failure(ErrorKind::NotAFile, *target,
                       DisplayText(*target) + ": cannot be written (not a regular file)");
    }

    Result<std::pair<int, fs::path>> created = CreateTemporaryBeside(*target);
    if (!created) return std::unexpected(created.error());
    FileDescriptor out(created->first);
    const fs::path temporary = created->second;

    Result<void> filled = fill(out.Get(), *target);
    if (filled && keepMode) {
        // The replacement keeps the owner of the file it replaces where that may be given (a
        // program run as root does not take over the user's files; others keep their own), then
        // its permissions, which a change of owner may have cleared.
        [[maybe_unused]] const int owned = ::fchown(out.Get(), existing.st_uid, existing.st_gid);
        if (::fchmod(out.Get(), existing.st_mode & 07777) != 0) filled = WriteFailure(*target);
    }
    if (filled && ::fsync(out.Get()) != 0) filled = WriteFailure(*target);
    if (filled && !out.Close()) filled = WriteFailure(*target);
    if (filled && ::rename(temporary.c_str(), target->c_str()) != 0) {
        filled = WriteFailure(*target);
    }
    if (!filled) {
        ::unlink(temporary.c_str());
        return filled;
    }

    // Make the rename itself durable; a folder that cannot be synced changes nothing above.
    const fs::path folder = target->parent_path().empty() ? fs::path(".") : target->parent_path();
    FileDescriptor directory(::open(folder.c_str(), O_RDONLY | O_CLOEXEC | O_DIRECTORY));
    if (directory.Valid()) ::fsync(directory.Get());
    return {};
}

}  // namespace

fs::path HomeDirectory() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
    if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr) {
        return user->pw_dir;
    }
    return "/tmp";
}

namespace {

// One name of a path for people: itself when it is UTF-8, else read as code page 932, else with
// every byte that is not ASCII replaced.
std::string DisplayComponent(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return std::string(bytes);
    if (std::optional<std::string> decoded = Cp932ToUtf8(bytes)) return *decoded;
    std::string shown;
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) < 0x80) {
            shown.push_back(c);
        } else {
            shown += "\xEF\xBF\xBD";
        }
    }
    return shown;
}

}  // namespace

fs::path ExecutableDirectory() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error) return fs::current_path(error);
    return self.parent_path();
}

fs::path UserSettingsDirectory() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    // Relative values of the variable are to be ignored.
    if (configHome != nullptr && configHome[0] == '/')
        return fs::path(configHome) / kProgramFolderName;
    return HomeDirectory() / ".config" / kProgramFolderName;
}

bool IsInProgramFilesFolder(const fs::path& /*folder*/) {
    return false;
}

bool MayWriteTo(const fs::path& folder) {
    return ::access(folder.c_str(), W_OK) == 0;
}

bool IsHidden(const fs::directory_entry& entry) {
    return entry.path().filename().native().starts_with('.');
}

Result<std::string> ReadRegularFile(const fs::path& path, std::uintmax_t limit) {
    std::uintmax_t size = 0;
    const Result<int> opened = OpenRegularFile(path, size);
    if (!opened) return std::unexpected(opened.error());
    FileDescriptor in(*opened);
    return ReadWhole(path, size, limit,
                     [&](auto take) { return ForEachChunk(in.Get(), path, take); });
}

Result<void> WriteFileAtomically(const fs::path& path, std::string_view contents) {
    return ReplaceFile(path, TargetLink::kWriteThrough,
                       [&](int fd, const fs::path& target) -> Result<void> {
                           if (!WriteAll(fd, contents)) return WriteFailure(target);
                           return {};
                       });
}

Result<void> CopyFileAtomically(const fs::path& source, const fs::path& target, TargetLink link) {
    std::uintmax_t size = 0;
    const Result<int> opened = OpenRegularFile(source, size);
    if (!opened) return std::unexpected(opened.error());
    FileDescriptor in(*opened);
    return ReplaceFile(target, link, [&](int fd, const fs::path& written) {
        return ForEachChunk(in.Get(), source, [&](std::string_view chunk) -> Result<void> {
            if (!WriteAll(fd, chunk)) return WriteFailure(written);
            return {};
        });
    });
}

// ---- Telling whether a file changed -------------------------------------------------------------

namespace {

std::int64_t Nanoseconds(const struct timespec& time) {
    return std::int64_t(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

#if defined(__linux__)
// File systems on which inotify reports every change, whoever makes it: those on a local disk
// and in memory. Network file systems report only the changes made on this machine, and a file
// system in user space (sshfs, a cloud drive, WSL's Windows drives) only those made through it,
// so their folders are never trusted to be quiet.
bool ReportsEveryChange(const fs::path& folder) {
    constexpr unsigned long kLocal[] = {
        0xEF53,      // ext2, ext3, ext4
        0x58465342,  // XFS
        0x9123683E,  // Btrfs
        0x01021994,  // tmpfs
        0xF2F52010,  // F2FS
        0x2FC12FC1,  // ZFS
        0x52654973,  // ReiserFS
        0x3153464A,  // JFS
        0x4D44,      // FAT
        0x2011BAB0,  // exFAT
        0x7366746E,  // NTFS (ntfs3)
        0x5346544E,  // NTFS (ntfs)
        0xCAFE4A11,  // bcachefs
    };
    struct statfs about {};
    if (::statfs(folder.c_str(), &about) != 0) return false;
    const auto type = static_cast<unsigned long>(about.f_type);
    return std::find(std::begin(kLocal), std::end(kLocal), type) != std::end(kLocal);
}

// Everything that changes what a folder holds or what its files contain.
constexpr std::uint32_t kFolderEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                        IN_MODIFY | IN_CLOSE_WRITE | IN_ATTRIB | IN_DELETE_SELF |
                                        IN_MOVE_SELF | IN_ONLYDIR;
#endif

}  // namespace

std::optional<FileIdentity> IdentityOf(const fs::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return std::nullopt;
    FileIdentity identity;
    identity.kind = S_ISREG(status.st_mode)   ? FileIdentity::Kind::File
                    : S_ISDIR(status.st_mode) ? FileIdentity::Kind::Folder
                                              : FileIdentity::Kind::Other;
    identity.device = std::uint64_t(status.st_dev);
    identity.inode = std::uint64_t(status.st_ino);
    identity.size = std::uint64_t(status.st_size);
    identity.modified = Nanoseconds(status.st_mtim);
    identity.changed = Nanoseconds(status.st_ctim);
    identity.links = std::uint64_t(status.st_nlink);
    return identity;
}

bool IsLink(const fs::path& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

std::int64_t FileClockNow() {
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return Nanoseconds(now);
}

void YieldThisThreadToOthers() {
#if defined(__linux__)
    // On Linux each thread has a niceness of its own; raising it needs no privilege.
    constexpr int kMoreNiceness = 10;
    constexpr int kNicest = 19;
    const auto thread = id_t(::gettid());
    errno = 0;
    const int now = ::getpriority(PRIO_PROCESS, thread);
    if (errno == 0)
        (void)::setpriority(PRIO_PROCESS, thread, std::min(now + kMoreNiceness, kNicest));
#endif
}

#if defined(__linux__)

FolderChanges::FolderChanges() : handle_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

FolderChanges::~FolderChanges() {
    if (handle_ >= 0) ::close(handle_);
}

std::optional<int> FolderChanges::Watch(const fs::path& folder) {
    if (handle_ < 0 || !ReportsEveryChange(folder)) return std::nullopt;
    const int watch = ::inotify_add_watch(handle_, folder.c_str(), kFolderEvents);
    if (watch < 0) return std::nullopt;
    const auto known = std::find_if(counts_.begin(), counts_.end(),
                                    [&](const auto& count) { return count.first == watch; });
    if (known != counts_.end()) {
        ++known->second;
    } else {
        counts_.emplace_back(watch, 1);
    }
    return watch;
}

void FolderChanges::Unwatch(int watch) {
    const auto known = std::find_if(counts_.begin(), counts_.end(),
                                    [&](const auto& count) { return count.first == watch; });
    if (known == counts_.end() || --known->second > 0) return;
    counts_.erase(known);
    ::inotify_rm_watch(handle_, watch);
}

FolderChanges::Seen FolderChanges::Collect() {
    Seen seen;
    if (handle_ < 0) return seen;
    const auto note = [](std::vector<int>& list, int watch) {
        if (std::find(list.begin(), list.end(), watch) == list.end()) list.push_back(watch);
    };
    alignas(inotify_event) std::array<char, 16 * 1024> buffer;
    for (;;) {
        const ssize_t got = ::read(handle_, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;  // EAGAIN: nothing more
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + at);
            at += ssize_t(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                seen.lost = true;
                continue;
            }
            note(seen.changed, event->wd);
            if (event->mask & IN_IGNORED) {
                note(seen.ended, event->wd);
                std::erase_if(counts_, [&](const auto& count) { return count.first == event->wd; });
            }
        }
    }
    return seen;
}

#else

FolderChanges::FolderChanges() = default;
FolderChanges::~FolderChanges() = default;
std::optional<int> FolderChanges::Watch(const fs::path&) {
    return std::nullopt;
}
void FolderChanges::Unwatch(int) {}
FolderChanges::Seen FolderChanges::Collect() {
    return {};
}

#endif

fs::path PathFromUtf8(std::string_view text) {
    return fs::path(std::string(text));
}

std::string PathToUtf8(const fs::path& path) {
    return path.native();
}

std::string DisplayText(const fs::path& path) {
    const std::string& bytes = path.native();
    if (IsValidUtf8(bytes)) return bytes;
    std::string shown;
    std::size_t at = 0;
    while (at <= bytes.size()) {
        const std::size_t slash = std::min(bytes.find('/', at), bytes.size());
        shown += DisplayComponent(std::string_view(bytes).substr(at, slash - at));
        if (slash == bytes.size()) break;
        shown.push_back('/');
        at = slash + 1;
    }
    return shown;
}

std::optional<std::string> Cp932ToUtf8(std::string_view bytes) {
    const iconv_t converter = ::iconv_open("UTF-8", "CP932");
    if (converter == iconv_t(-1)) return std::nullopt;
    std::string in(bytes);
    // Every code page 932 character of one or two bytes takes at most three bytes of UTF-8.
    std::string out(in.size() * 3, '\0');
    char* from = in.data();
    std::size_t fromLeft = in.size();
    char* to = out.data();
    std::size_t toLeft = out.size();
    const std::size_t converted = ::iconv(converter, &from, &fromLeft, &to, &toLeft);
    ::iconv_close(converter);
    if (converted == std::size_t(-1) || fromLeft != 0) return std::nullopt;
    out.resize(out.size() - toLeft);
    return out;
}

}  // namespace morvish::platform
