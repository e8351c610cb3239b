#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace orvella {

// The whole content of a file; nullopt when it does not exist; an error when it exists
// and cannot be read.
Result<std::optional<std::string>> ReadWholeFile(const std::string& path);

// Writes `content` to a temporary file beside `path`, flushes it to the disk and renames it
// over `path`, so a reader sees either the old file or the new one, never a part. On failure
// the old file is untouched and the error names `path`.
Status ReplaceFileAtomically(const std::string& path, std::string_view content);

// Creates `path` and its parents when missing.
Status EnsureDirectory(const std::string& path);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

// The text of errno, as the platform's error text.
std::string SystemErrorText(int error_number);

// "/a/b/c.txt" -> "/a/b/"; a path without separator gives "".
std::string ParentFolder(std::string_view path);

}  // namespace orvella
