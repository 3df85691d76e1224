// The platform layer on Windows. Paths are UTF-16 and reach the system through the wide
// functions only; their text is UTF-8.
#include <array>
#include <cwchar>
#include <functional>
#include <random>

#include "Platform.h"
#include "PlatformShared.h"
#include "WindowsApi.h"

#include <shlobj.h>

namespace morvish::platform {

namespace {

constexpr std::wstring_view kProgramFolderName = L"Morvish";
constexpr DWORD kCopyChunk = 64 * 1024;
// Attempts at a free temporary name before giving up.
constexpr int kTemporaryNameAttempts = 100;
// What a replacement takes over from the file it replaces. A read-only file is replaced too (the
// game folder's skins are the user's own) and stays read-only.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED |
                                  FILE_ATTRIBUTE_READONLY;

// Closes a handle when it goes out of scope.
class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (Valid()) ::CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    // Gives the handle up without closing it.
    HANDLE Release() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle;
    }
    // Closes now, so that a failing close is seen.
    bool Close() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return ::CloseHandle(handle) != 0;
    }

  private:
    HANDLE handle_;
};

// The system's own sentence for an error code, in the user's language, without the closing
// period and line break.
std::string SystemMessage(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring message(buffer != nullptr ? buffer : L"", length);
    if (buffer != nullptr) ::LocalFree(buffer);
    while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' ||
                                message.back() == L' ' || message.back() == L'.')) {
        message.pop_back();
    }
    if (message.empty()) return "Windows error " + std::to_string(error);
    return WideToUtf8(message);
}

std::unexpected<Error> ReadFailure(const fs::path& path, DWORD error = ::GetLastError()) {
    return Failure(ErrorKind::CannotRead, path,
                   DisplayText(path) + ": cannot be read (" + SystemMessage(error) + ")",
                   std::error_code(int(error), std::system_category()));
}

std::unexpected<Error> WriteFailure(const fs::path& path, DWORD error = ::GetLastError()) {
    return Failure(ErrorKind::CannotWrite, path,
                   DisplayText(path) + ": cannot be written (" + SystemMessage(error) + ")",
                   std::error_code(int(error), std::system_category()));
}

// Opens a regular file for reading; what it is and its size are read from the open handle.
// Folders open too (FILE_FLAG_BACKUP_SEMANTICS), so that they are refused as not a regular file
// rather than with "access denied".
Result<HANDLE> OpenRegularFile(const fs::path& path, std::uintmax_t& size) {
    Handle file(::CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.Valid()) return ReadFailure(path);
    BY_HANDLE_FILE_INFORMATION information{};
    if (::GetFileType(file.Get()) != FILE_TYPE_DISK ||
        !::GetFileInformationByHandle(file.Get(), &information) ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return Failure(ErrorKind::NotAFile, path, DisplayText(path) + ": not a regular file");
    }
    size = (std::uintmax_t(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
    return file.Release();
}

// Reads `file` to its end, handing every chunk to `take`; stops at the first failure.
template <class Take>
Result<void> ForEachChunk(HANDLE file, const fs::path& path, Take take) {
    std::array<char, kCopyChunk> chunk;
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file, chunk.data(), kCopyChunk, &got, nullptr)) return ReadFailure(path);
        if (got == 0) return {};
        if (Result<void> taken = take(std::string_view(chunk.data(), got)); !taken) return taken;
    }
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD part = DWORD(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), part, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// A path the way people write it: "\\?\C:\x" as "C:\x", "\\?\UNC\server\share" as
// "\\server\share".
fs::path WithoutVerbatimPrefix(std::wstring path) {
    if (path.starts_with(L"\\\\?\\UNC\\")) return L"\\" + path.substr(7);
    if (path.starts_with(L"\\\\?\\")) return path.substr(4);
    return path;
}

// The file a write to `path` lands in: the final target of a symbolic link, else `path`.
Result<fs::path> WriteTarget(const fs::path& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        return path;
    }
    // Opening follows the link; the handle then knows the name of the file itself.
    Handle file(::CreateFileW(path.c_str(), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.Valid()) return WriteFailure(path);
    std::wstring final(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetFinalPathNameByHandleW(file.Get(), final.data(),
                                                         DWORD(final.size()), FILE_NAME_NORMALIZED);
        if (length == 0) return WriteFailure(path);
        if (length < final.size()) {
            final.resize(length);
            return WithoutVerbatimPrefix(std::move(final));
        }
        final.resize(length);
    }
}

// Creates a new file with a name of its own beside `target` and returns its handle and name.
// Failures name the target.
Result<std::pair<HANDLE, fs::path>> CreateTemporaryBeside(const fs::path& target) {
    constexpr std::wstring_view kLetters = L"abcdefghijklmnopqrstuvwxyz0123456789";
    const fs::path folder = target.parent_path().empty() ? fs::path(L".") : target.parent_path();
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        // Fresh randomness for every name: a generator kept between calls would be shared by
        // threads saving at once.
        std::random_device random;
        std::uint64_t bits = (std::uint64_t(random()) << 32) | random();
        std::wstring name = L".morvish-";
        for (int i = 0; i < 6; ++i, bits /= kLetters.size()) {
            name.push_back(kLetters[bits % kLetters.size()]);
        }
        name += L".tmp";
        const fs::path temporary = folder / name;
        const HANDLE file = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) return std::pair{file, temporary};
        if (::GetLastError() != ERROR_FILE_EXISTS) return WriteFailure(target);
    }
    return WriteFailure(target, ERROR_FILE_EXISTS);
}

// Puts the finished temporary file in the place of `target`: ReplaceFileW when there is a file to
// replace (it keeps that file's identity, security and attributes), else a write-through move.
// Some file systems (network shares among them) cannot replace; a write-through move over the
// old file is the fallback.
bool MoveIntoPlace(const fs::path& temporary, const fs::path& target, bool exists) {
    constexpr DWORD kMove = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (exists && ::ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                                 REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS,
                                 nullptr, nullptr)) {
        return true;
    }
    const DWORD replaceError = ::GetLastError();
    if (::MoveFileExW(temporary.c_str(), target.c_str(), kMove)) return true;
    if (exists) ::SetLastError(replaceError);
    return false;
}

// Writes the temporary file through `fill`, then moves it over `path`. On any failure the
// temporary file is removed and `path` is left untouched.
Result<void> ReplaceWith(const fs::path& path, TargetLink link,
                         const std::function<Result<void>(HANDLE, const fs::path&)>& fill) {
    const Result<fs::path> target =
        link == TargetLink::kWriteThrough ? WriteTarget(path) : Result<fs::path>(path);
    if (!target) return std::unexpected(target.error());

    const DWORD existing = ::GetFileAttributesW(target->c_str());
    const bool exists = existing != INVALID_FILE_ATTRIBUTES;
    if (exists && (existing & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return Failure(ErrorKind::NotAFile, *target,
                       DisplayText(*target) + ": cannot be written (not a regular file)");
    }

    Result<std::pair<HANDLE, fs::path>> created = CreateTemporaryBeside(*target);
    if (!created) return std::unexpected(created.error());
    Handle out(created->first);
    const fs::path temporary = created->second;

    Result<void> filled = fill(out.Get(), *target);
    if (filled && !::FlushFileBuffers(out.Get())) filled = WriteFailure(*target);
    if (filled && !out.Close()) filled = WriteFailure(*target);
    // A hidden settings file stays hidden, a read-only one read-only. The old file's read-only
    // flag is lifted for the move and put back when the move fails.
    const bool readOnly = exists && (existing & FILE_ATTRIBUTE_READONLY) != 0;
    if (filled && exists && (existing & kKeptAttributes) != 0 &&
        !::SetFileAttributesW(temporary.c_str(),
                              existing & kKeptAttributes & ~FILE_ATTRIBUTE_READONLY)) {
        filled = WriteFailure(*target);
    }
    if (filled && readOnly &&
        !::SetFileAttributesW(target->c_str(), existing & ~FILE_ATTRIBUTE_READONLY)) {
        filled = WriteFailure(*target);
    }
    if (filled && !MoveIntoPlace(temporary, *target, exists)) {
        filled = WriteFailure(*target);
        if (readOnly) ::SetFileAttributesW(target->c_str(), existing);
    }
    if (filled && readOnly) ::SetFileAttributesW(target->c_str(), existing & kKeptAttributes);
    if (!filled) {
        if (out.Valid()) out.Close();
        ::DeleteFileW(temporary.c_str());
    }
    return filled;
}

std::wstring EnvironmentVariable(const wchar_t* name) {
    const DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    const DWORD length = ::GetEnvironmentVariableW(name, value.data(), size);
    value.resize(length < size ? length : 0);
    return value;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view text) {
    if (text.empty()) return {};
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(std::size_t(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

std::string WideToUtf8(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0,
                                             nullptr, nullptr);
    std::string text(std::size_t(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), text.data(), length, nullptr,
                          nullptr);
    return text;
}

fs::path ExecutableDirectory() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, name.data(), DWORD(name.size()));
        if (length == 0) {
            std::error_code error;
            return fs::current_path(error);
        }
        if (length < name.size()) {
            name.resize(length);
            return fs::path(name).parent_path();
        }
        name.resize(name.size() * 2);
    }
}

fs::path HomeDirectory() {
    fs::path home = EnvironmentVariable(L"USERPROFILE");
    if (home.empty() || !home.is_absolute()) {
        wchar_t* known = nullptr;
        if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_Profile, 0, nullptr, &known))) home = known;
        ::CoTaskMemFree(known);
    }
    return home;
}

fs::path UserSettingsDirectory() {
    fs::path roaming = EnvironmentVariable(L"APPDATA");
    if (roaming.empty() || !roaming.is_absolute()) {
        wchar_t* known = nullptr;
        if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &known))) {
            roaming = known;
        }
        ::CoTaskMemFree(known);
    }
    return roaming / kProgramFolderName;
}

bool IsInProgramFilesFolder(const fs::path& folder) {
    const fs::path inside = folder.lexically_normal();
    for (const KNOWNFOLDERID& id : {FOLDERID_ProgramFiles, FOLDERID_ProgramFilesX86}) {
        wchar_t* known = nullptr;
        fs::path programs;
        if (SUCCEEDED(::SHGetKnownFolderPath(id, 0, nullptr, &known))) programs = known;
        ::CoTaskMemFree(known);
        if (programs.empty()) continue;
        // Compared name by name, ignoring case as Windows does.
        auto at = inside.begin();
        bool within = true;
        for (const fs::path& name : programs.lexically_normal()) {
            if (name.empty()) continue;
            if (at == inside.end() ||
                ::CompareStringOrdinal(at->c_str(), -1, name.c_str(), -1, TRUE) != CSTR_EQUAL) {
                within = false;
                break;
            }
            ++at;
        }
        if (within) return true;
    }
    return false;
}

bool MayWriteTo(const fs::path& folder) {
    // Access lists, read-only media and policies all decide; the only sure answer is to try.
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        std::random_device random;
        const fs::path probe = folder / (L".morvish-probe-" + std::to_wstring(random()));
        const HANDLE file = ::CreateFileW(
            probe.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
            FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            ::CloseHandle(file);
            return true;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    return false;
}

bool IsHidden(const fs::directory_entry& entry) {
    const DWORD attributes = ::GetFileAttributesW(entry.path().c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
}

Result<std::string> ReadRegularFile(const fs::path& path, std::uintmax_t limit) {
    std::uintmax_t size = 0;
    const Result<HANDLE> opened = OpenRegularFile(path, size);
    if (!opened) return std::unexpected(opened.error());
    Handle in(*opened);
    return ReadWhole(path, size, limit,
                     [&](auto take) { return ForEachChunk(in.Get(), path, take); });
}

Result<void> WriteFileAtomically(const fs::path& path, std::string_view contents) {
    return ReplaceWith(path, TargetLink::kWriteThrough,
                       [&](HANDLE file, const fs::path& target) -> Result<void> {
                           if (!WriteAll(file, contents)) return WriteFailure(target);
                           return {};
                       });
}

Result<void> CopyFileAtomically(const fs::path& source, const fs::path& target, TargetLink link) {
    std::uintmax_t size = 0;
    const Result<HANDLE> opened = OpenRegularFile(source, size);
    if (!opened) return std::unexpected(opened.error());
    Handle in(*opened);
    return ReplaceWith(target, link, [&](HANDLE file, const fs::path& written) {
        return ForEachChunk(in.Get(), source, [&](std::string_view chunk) -> Result<void> {
            if (!WriteAll(file, chunk)) return WriteFailure(written);
            return {};
        });
    });
}

// ---- Telling whether a file changed -------------------------------------------------------------

namespace {

// FILETIME and FILE_BASIC_INFO count 100-nanosecond ticks since 1601; FileIdentity counts
// nanoseconds since 1970.
constexpr std::int64_t kTicksFrom1601To1970 = 116'444'736'000'000'000;

std::int64_t NanosecondsSince1970(std::int64_t ticks) {
    return (ticks - kTicksFrom1601To1970) * 100;
}

}  // namespace

std::optional<FileIdentity> IdentityOf(const fs::path& path) {
    // No access is asked for, only the attributes; folders open with backup semantics, and links
    // are followed to what they name, as stat does.
    Handle file(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.Valid()) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION information{};
    FILE_BASIC_INFO times{};
    if (!::GetFileInformationByHandle(file.Get(), &information) ||
        !::GetFileInformationByHandleEx(file.Get(), FileBasicInfo, &times, sizeof times)) {
        return std::nullopt;
    }
    FileIdentity identity;
    if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        identity.kind = FileIdentity::Kind::Folder;
    } else if (::GetFileType(file.Get()) == FILE_TYPE_DISK) {
        identity.kind = FileIdentity::Kind::File;
    }
    identity.device = information.dwVolumeSerialNumber;
    identity.inode = (std::uint64_t(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    identity.size = (std::uint64_t(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
    // The times at the file system's own resolution (100 ns on NTFS): the last write of the
    // content, and the last change of the content or of the entry (a rename, new attributes).
    identity.modified = NanosecondsSince1970(times.LastWriteTime.QuadPart);
    identity.changed = NanosecondsSince1970(times.ChangeTime.QuadPart);
    identity.links = information.nNumberOfLinks;
    return identity;
}

bool IsLink(const fs::path& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

std::int64_t FileClockNow() {
    FILETIME now{};
    ::GetSystemTimePreciseAsFileTime(&now);
    return NanosecondsSince1970(
        std::int64_t((std::uint64_t(now.dwHighDateTime) << 32) | now.dwLowDateTime));
}

void YieldThisThreadToOthers() {
    // The background mode lowers the thread's disk and memory priority too; where it is not
    // known, the lowest priority of the processor alone.
    const HANDLE thread = ::GetCurrentThread();
    if (!::SetThreadPriority(thread, THREAD_MODE_BACKGROUND_BEGIN)) {
        (void)::SetThreadPriority(thread, THREAD_PRIORITY_LOWEST);
    }
}

// The desktop program watches the shown skin itself; here no folder vouches for its files, so the
// picture cache looks at every file at every redraw.
FolderChanges::FolderChanges() = default;
FolderChanges::~FolderChanges() = default;
std::optional<int> FolderChanges::Watch(const fs::path&) {
    return std::nullopt;
}
void FolderChanges::Unwatch(int) {}
FolderChanges::Seen FolderChanges::Collect() {
    return {};
}

fs::path PathFromUtf8(std::string_view text) {
    return fs::path(Utf8ToWide(text));
}

std::string PathToUtf8(const fs::path& path) {
    return WideToUtf8(path.native());
}

std::string DisplayText(const fs::path& path) {
    return WideToUtf8(path.native());
}

std::optional<std::string> Cp932ToUtf8(std::string_view bytes) {
    if (bytes.empty()) return std::string();
    const int length = ::MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(),
                                             int(bytes.size()), nullptr, 0);
    if (length == 0) return std::nullopt;
    std::wstring wide(std::size_t(length), L'\0');
    ::MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()), wide.data(),
                          length);
    return WideToUtf8(wide);
}

}  // namespace morvish::platform
