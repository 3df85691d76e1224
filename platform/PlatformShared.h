#pragma once
// What both platform sources share: the messages they give in the same words, and the reading of
// a whole file once it is open.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "Platform.h"

namespace morvish::platform {

// A size limit as people write it: "256 MiB" rather than "268435456".
inline std::string LimitText(std::uintmax_t limit) {
    constexpr std::uintmax_t kMebibyte = 1024 * 1024;
    if (limit >= kMebibyte && limit % kMebibyte == 0)
        return std::to_string(limit / kMebibyte) + " MiB";
    return std::to_string(limit) + " bytes";
}

// A file refused by ReadRegularFile for its size: the size when it is known before reading, else
// only the limit (the file grew while it was read).
inline std::unexpected<Error> TooLarge(const std::filesystem::path& path, std::uintmax_t limit,
                                       std::optional<std::uintmax_t> size = std::nullopt) {
    const std::string found = size ? std::to_string(*size) + " bytes; " : std::string();
    return Failure(ErrorKind::FileTooLarge, path,
                   DisplayText(path) + ": file is too large (" + found + "the limit is " +
                       LimitText(limit) + ")",
                   {}, {std::int64_t(size.value_or(0)), std::int64_t(limit)});
}

// The whole content of an open file of `size` bytes, read chunk by chunk through `forEachChunk`
// (which hands each chunk to the function it is given and stops at the first failure), refused
// when it is or grows larger than `limit`.
template <class ForEachChunk>
Result<std::string> ReadWhole(const std::filesystem::path& path, std::uintmax_t size,
                              std::uintmax_t limit, ForEachChunk forEachChunk) {
    if (size > limit) return TooLarge(path, limit, size);
    std::string contents;
    contents.reserve(std::size_t(size));
    Result<void> read = forEachChunk([&](std::string_view chunk) -> Result<void> {
        // The file may have grown since its size was read.
        if (contents.size() + chunk.size() > limit) return TooLarge(path, limit);
        contents.append(chunk);
        return {};
    });
    if (!read) return std::unexpected(read.error());
    return contents;
}

}  // namespace morvish::platform
