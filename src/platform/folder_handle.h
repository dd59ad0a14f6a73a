// A folder held open for a run of writes into it, so that every name is made
// in the very folder that was found at its path, never in whatever takes that
// path later (the empty mount point left when a share goes away).
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>

namespace platform {

class folder_handle {
  public:
    explicit folder_handle(const std::filesystem::path& folder);
    ~folder_handle();
    folder_handle(const folder_handle&) = delete;
    folder_handle& operator=(const folder_handle&) = delete;

    bool is_open() const { return fd_ >= 0; }
    const std::filesystem::path& path() const { return path_; }

    // True while the folder's path still leads to the folder held (same
    // device and inode): false once the share mounted there went away, even
    // lazily, or the folder was replaced.
    bool still_at_its_path() const;
    // The folder held, as its device and inode: the same folder at a later
    // opening only when they are the same.
    std::pair<dev_t, ino_t> identity() const { return {dev_, ino_}; }

    // Whether a name is there; nullopt when the folder cannot tell.
    std::optional<bool> has(const std::string& name) const;
    std::optional<std::string> read(const std::string& name) const;
    // True when both names are one file (a link).
    bool same_file(const std::string& a, const std::string& b) const;

    // Writes bytes to a new temporary file for `final_name` and flushes them:
    // the temporary name, or nullopt with nothing left behind.
    std::optional<std::string> write_temporary(const std::string& final_name, const std::string& bytes);

    enum class rename_result { done, taken, failed };
    // Puts `from` under `to` only when `to` is free, in one step where the
    // file system allows it.
    rename_result rename_no_replace(const std::string& from, const std::string& to);

    // Puts `from` under `to`, replacing what `to` held.
    bool rename_over(const std::string& from, const std::string& to);

    bool remove(const std::string& name);

    // Writes bytes to `name` in place (created or emptied first) and flushes
    // them: for a file whose readers take a partial one for no file at all.
    bool write_in_place(const std::string& name, const std::string& bytes);

    enum class flush_result { done, unsupported, failed };
    // Flushes the folder's entries. A folder that cannot flush them, or that
    // cannot even be opened to (one the tablet may write into but not list),
    // is one whose server keeps its entries itself: unsupported, not failed.
    flush_result flush();
    // What a folder's fsync failing with `error` (0: it worked) tells.
    static flush_result flush_answer(int error);

  private:
    std::filesystem::path path_;
    int fd_ = -1;
    bool listable_ = false;
    dev_t dev_ = 0;
    ino_t ino_ = 0;
};

}  // namespace platform
