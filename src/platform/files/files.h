#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace orvella {

// The whole content of a file; nullopt when it does not exist; an error when it exists
// and cannot be read.
Result<std::optional<std::string>> ReadWholeFile(const std::string& path);

// Writes `content` to a temporary file beside `path`, flushes it to the disk, renames it
// over `path` and syncs the folder, so a reader (and a power loss) sees either the old file
// or the new one, never a part. A link is kept: its target is replaced. On failure the
// old file is untouched and the error names `path`.
Status ReplaceFileAtomically(const std::string& path, std::string_view content);
// The same with the content made piece by piece: `produce` hands each piece to `write` in
// order, so a large file goes to the disk without standing in memory whole. A failure
// `produce` returns leaves the earlier file as it was and comes back unchanged.
using ContentProducer = std::function<Status(const std::function<void(std::string_view)>& write)>;
Status ReplaceFileAtomically(const std::string& path, const ContentProducer& produce);

// Whether the file's bytes hold `word` (ASCII, compared without regard to case) anywhere,
// read piece by piece; false when the file does not exist, an error when it cannot be read.
Result<bool> FileMentions(const std::string& path, std::string_view word);

// Creates `path` and its parents when missing.
Status EnsureDirectory(const std::string& path);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

// The text of errno, as the platform's error text.
std::string SystemErrorText(int error_number);

// "/a/b/c.txt" -> "/a/b/"; a path without separator gives "".
std::string ParentFolder(std::string_view path);

}  // namespace orvella
