#pragma once

#include <cstddef>
#include <string>

namespace csv {

// What a failure to open the file is called.
enum class OpenFailure {
    CannotOpen, // "Cannot open file <path>"
    NotFound,   // "File <path> not found"
};

// Reads a whole file into memory, before anything is cut. Throws core::Error with the path:
// the file cannot be opened (or is a folder) as `failure` says; the file is too large for
// this program or for the memory left; reading fails.
std::string readWholeFile(const std::string& path, OpenFailure failure);

// The largest file readWholeFile takes: row and column numbers must stay within int.
inline constexpr size_t kMaxFileBytes = (size_t{1} << 31) - 64;

// Reads the start of a file: at least enough for `lines` lines of either mode, at most
// maxBytes (less at the end of the file). Throws core::Error "Cannot open file <path>".
std::string readHead(const std::string& path, int lines, size_t maxBytes);

// The length of the longest fixed-width line of a file, read piece by piece. Throws
// core::Error when the file cannot be opened or read.
size_t longestFixedLine(const std::string& path);

} // namespace csv
