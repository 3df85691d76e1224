#include "AtomicFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace morvish {

namespace {

constexpr std::size_t kCopyChunk = 64 * 1024;

std::unexpected<Error> SystemFailure(const std::string& path) {
    return Failure(path + ": " + std::strerror(errno));
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

// Reads `fd` to its end, handing every chunk to `take`; stops at the first failure.
template <class Take>
Result<void> ForEachChunk(int fd, const std::string& path, Take take) {
    std::array<char, kCopyChunk> chunk;
    for (;;) {
        const ssize_t got = ::read(fd, chunk.data(), chunk.size());
        if (got < 0) {
            if (errno == EINTR) continue;
            return SystemFailure(path);
        }
        if (got == 0) return {};
        if (Result<void> taken = take(std::string_view(chunk.data(), std::size_t(got))); !taken) {
            return taken;
        }
    }
}

// Writes the temporary file through `fill`, then renames it over `path`. On any failure the
// temporary file is removed and `path` is left untouched.
Result<void> ReplaceFile(
    const std::string& path,
    const std::function<Result<void>(int fd, const std::string& temporary)>& fill) {
    const std::string temporary = TemporaryPathFor(path);
    FileDescriptor out(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (!out.Valid()) return SystemFailure(temporary);

    Result<void> filled = fill(out.Get(), temporary);
    if (filled && ::fsync(out.Get()) != 0) filled = SystemFailure(temporary);
    if (filled && !out.Close()) filled = SystemFailure(temporary);
    if (filled && ::rename(temporary.c_str(), path.c_str()) != 0) filled = SystemFailure(path);
    if (!filled) {
        ::unlink(temporary.c_str());
        return filled;
    }

    // Make the rename itself durable; a folder that cannot be synced changes nothing above.
    const std::string folder = fs::path(path).parent_path().string();
    FileDescriptor directory(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_CLOEXEC));
    if (directory.Valid()) ::fsync(directory.Get());
    return {};
}

}  // namespace

std::string TemporaryPathFor(const std::string& path) {
    const fs::path target(path);
    return (target.parent_path() / ("." + target.filename().string() + ".tmp")).string();
}

Result<std::string> ReadWholeFile(const std::string& path) {
    FileDescriptor in(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!in.Valid()) return SystemFailure(path);
    std::string contents;
    Result<void> read = ForEachChunk(in.Get(), path, [&](std::string_view chunk) -> Result<void> {
        contents.append(chunk);
        return {};
    });
    if (!read) return std::unexpected(read.error());
    return contents;
}

Result<void> WriteFileAtomically(const std::string& path, std::string_view contents) {
    return ReplaceFile(path, [&](int fd, const std::string& temporary) -> Result<void> {
        if (!WriteAll(fd, contents)) return SystemFailure(temporary);
        return {};
    });
}

Result<void> CopyFileAtomically(const std::string& source, const std::string& target) {
    FileDescriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (!in.Valid()) return SystemFailure(source);
    return ReplaceFile(target, [&](int fd, const std::string& temporary) {
        return ForEachChunk(in.Get(), source, [&](std::string_view chunk) -> Result<void> {
            if (!WriteAll(fd, chunk)) return SystemFailure(temporary);
            return {};
        });
    });
}

}  // namespace morvish
