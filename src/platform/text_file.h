// Code page 1252 text files: lines ended by CR LF when written, CR LF or LF
// accepted when read. Files that another program or a later start relies on
// are written whole under a temporary name and renamed into place.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The lines of a text file, without their line ends; nullopt when it cannot be read.
std::optional<std::vector<std::string>> read_lines(const std::filesystem::path& path);
// The same lines of a text already read.
std::vector<std::string> split_lines(const std::string& bytes);
// The lines joined, each followed by CR LF.
std::string join_lines(const std::vector<std::string>& lines);

// Writes bytes to path atomically: a temporary file in the same folder under
// a name no reader picks up, flushed to disk, then renamed onto path, and the
// folder flushed so that the new name survives a power cut.
// When replace is false an existing path is never replaced (false is returned).
// When flush_folder is false the caller flushes the folder itself, and so
// learns whether that worked.
bool write_file_atomic(const std::filesystem::path& path, const std::string& bytes, bool replace = true,
                       bool flush_folder = true);
// Copies src onto dst the same way. False when src cannot be read or dst written.
bool copy_file_atomic(const std::filesystem::path& src, const std::filesystem::path& dst);
std::optional<std::string> read_file(const std::filesystem::path& path);
bool file_exists(const std::filesystem::path& path);

// Removes a file and flushes its folder, so that the removal survives a power
// cut. False when the file could not be removed or the folder not flushed.
bool remove_file_durably(const std::filesystem::path& path);
// Flushes a folder's entries (names created, renamed or removed) to disk.
bool sync_folder(const std::filesystem::path& folder);

// Temporary files of the atomic writes: ".<final name>.<tablet>~<pid>~<random>.part".
// The tablet part tells which tablet folder's program wrote it, so that a
// shared folder's leftovers can be told from another tablet's write in
// progress.
// This machine's share of it (12 hexadecimal digits), from its identity and
// its network device, read under `root`.
std::string machine_tag(const std::filesystem::path& root = "/");
// The tablet part of the names written for a tablet folder (12 hexadecimal
// digits): the machine's identity and network device joined by the folder's
// own identity (tablet_folder_identity), so that two tablet folders of one
// machine never share it, nor a folder and its copy, nor two clones of one
// image. The same at every start of that folder on that machine.
std::string tablet_tag(const std::filesystem::path& tablet_folder, const std::filesystem::path& root = "/");
// Names the tablet folder this program writes for, once at its start before
// any write: from then on its temporary names carry that folder's tag. A
// program that names none has a tag drawn for its run, which no other
// program's names carry.
void set_tablet_folder(const std::filesystem::path& folder);
bool is_temporary_name(const std::string& name);
bool is_own_temporary_name(const std::string& name);
// Removes what writes killed half-way left behind: in a folder of this tablet
// alone every temporary file; in a folder shared with other tablets only this
// tablet's own. Nothing else is touched. The number of files removed.
// Names in `spared` are kept whatever they are (a write whose outcome is
// still to be learnt from them).
int remove_temporary_leftovers(const std::filesystem::path& folder, bool shared,
                               const std::vector<std::string>& spared = {});

// Tests inject file-system failures: for each operation of the writes and
// removals above, the hook names the errno with which it fails (0: it runs).
// A write that fails with ENOSPC has written part of its bytes first, as a
// disk that fills up does. `stat` is a held folder's question whether a name
// is there: failed, the folder cannot tell (a share that does not answer).
enum class file_op { create, write, sync, rename, remove, sync_folder, stat };
using file_fault_hook = std::function<int(file_op, const std::filesystem::path&)>;
void set_file_fault_hook(file_fault_hook hook);
// For the writers of this layer: the errno the hook names for an operation
// (also set in errno), 0 when it runs.
int injected_fault(file_op op, const std::filesystem::path& path);
// Writes all bytes to an open file, under the hook's faults for `path`.
bool write_all(int fd, const std::string& bytes, const std::filesystem::path& path);
// A new temporary name for a write of `final_name`, in the form above.
std::string temporary_name(const std::string& final_name);

// The network-folder joining rule: exactly one "/" between folder and name.
std::string join_folder(const std::string& folder, const std::string& name);
// The one spelling of a folder that is kept and compared as text: absolute
// (from the current folder), without "." or empty parts and without a final
// "/", however it was written. Notes already on tablets hold their folder so
// spelt, and are known by it. ".." is taken away as text, not through the
// links it may cross. Empty for an empty folder.
std::string folder_spelling(const std::string& folder);

}  // namespace platform
