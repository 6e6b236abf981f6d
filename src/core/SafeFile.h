// Whole-file reads, and replacing a file's content so that a failure keeps the old file.
#pragma once

#include <string>
#include <string_view>

namespace zorva {

// Writes the content to a new file beside the target and renames it over the target. The
// replaced file keeps its permissions; a link is followed, not replaced. On failure the old
// file is untouched, nothing is left behind, and `error` holds the reason.
bool ReplaceFileContents(const std::string& path, std::string_view content, std::string& error);

// Appends the file's bytes to `content`; false when it cannot be opened or read.
bool ReadFileContents(const std::string& path, std::string& content);

} // namespace zorva
