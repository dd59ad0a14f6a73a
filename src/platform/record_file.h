// A random-access file of fixed-length records on a handle of its own.
// Records are numbered from 1; a record past the end reads as unset (blanks),
// never as whatever was read before; writing past the end extends the file.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

class record_file {
  public:
    explicit record_file(std::size_t record_length) : reclen_(record_length) {}
    ~record_file();
    record_file(const record_file&) = delete;
    record_file& operator=(const record_file&) = delete;

    // Opens for reading and writing, creating an empty file when missing.
    // Closes the handle first when it is open. False when it cannot be opened.
    bool open(const std::filesystem::path& path);
    void close();
    bool is_open() const { return file_ != nullptr; }
    std::size_t record_length() const { return reclen_; }

    // Exactly record_length() bytes; blanks when the record lies past the end
    // or the file is not open.
    std::string read(long n) const;
    // Whether record n lies wholly inside the file.
    bool exists(long n) const;
    // data is cut or padded with blanks to the record length. False on failure.
    bool write(long n, std::string_view data);
    // Writes consecutive whole records from record `first` on in one go
    // (data is padded with blanks to a whole number of records).
    bool write_block(long first, std::string_view data);
    // Length of the file in bytes (0 when not open).
    long long length() const;

    // Closes every record file of the program (before it ends).
    static void close_all();

  private:
    std::size_t reclen_;
    std::FILE* file_ = nullptr;
    // Neighbours in the chain of open record files (close_all).
    record_file* previous_open_ = nullptr;
    record_file* next_open_ = nullptr;
};

// Writes record n (from 1) of a file of fixed-length records once, without
// keeping it open or joining the chain of open record files, so that a folder
// on another machine can be written from any thread. The other records and
// any bytes past them are kept; a file shorter than the record's place is
// extended with blanks; data is cut or padded with blanks to the length.
// In place where the file system allows it; where it refuses to open an
// existing file for writing in place (GVfs's FUSE folder refuses it), the
// file is read, the record set in it, and the whole put back under its name,
// unless the record already holds the data: then nothing is written.
// False when neither way worked.
bool write_record_once(const std::filesystem::path& path, std::size_t record_length, long n,
                       std::string_view data);
// The two ways, on their own.
bool write_record_in_place(const std::filesystem::path& path, std::size_t record_length, long n,
                           std::string_view data);
// With keep_when_unchanged, a file whose record already holds the data is
// left as it is.
bool write_record_whole(const std::filesystem::path& path, std::size_t record_length, long n,
                        std::string_view data, bool keep_when_unchanged = false);

}  // namespace platform
