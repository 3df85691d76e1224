#pragma once
// Reading and replacing whole files. A replaced file is written beside its target under a hidden
// temporary name, flushed to disk and then renamed over the target, so the target always holds
// either its old or its new content: a crash, a full disk or a failed copy never leaves half a
// file behind.

#include <string>
#include <string_view>

#include "render/Types.h"

namespace morvish {

// The whole content of a file, or an error naming the file and the reason.
Result<std::string> ReadWholeFile(const std::string& path);

// Replaces (or creates) `path` with `contents`.
Result<void> WriteFileAtomically(const std::string& path, std::string_view contents);

// Replaces (or creates) `target` with a copy of `source`.
Result<void> CopyFileAtomically(const std::string& source, const std::string& target);

// The temporary file a replacement of `path` is written to first: ".NAME.tmp" beside it.
std::string TemporaryPathFor(const std::string& path);

}  // namespace morvish
