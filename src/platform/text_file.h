// Code page 1252 text files: lines ended by CR LF when written, CR LF or LF
// accepted when read. Files that another program or a later start relies on
// are written whole under a temporary name and renamed into place.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The lines of a text file, without their line ends; nullopt when it cannot be read.
std::optional<std::vector<std::string>> read_lines(const std::filesystem::path& path);
// The lines joined, each followed by CR LF.
std::string join_lines(const std::vector<std::string>& lines);

// Writes bytes to path atomically: a temporary file in the same folder under
// a name no reader picks up, flushed to disk, then renamed onto path.
// When replace is false an existing path is never replaced (false is returned).
bool write_file_atomic(const std::filesystem::path& path, const std::string& bytes, bool replace = true);
// Copies src onto dst the same way. False when src cannot be read or dst written.
bool copy_file_atomic(const std::filesystem::path& src, const std::filesystem::path& dst);
std::optional<std::string> read_file(const std::filesystem::path& path);
bool file_exists(const std::filesystem::path& path);

// The network-folder joining rule: exactly one "/" between folder and name.
std::string join_folder(const std::string& folder, const std::string& name);

}  // namespace platform
