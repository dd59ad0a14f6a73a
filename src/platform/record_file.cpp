#include "platform/record_file.h"

namespace platform {

namespace {
// The open record files, chained through the files themselves. The head is a
// plain pointer set before any code runs and never destroyed: record files
// that live in statics close themselves while the program ends, in whatever
// order exit() destroys them, and must find the chain still there.
constinit record_file* first_open = nullptr;
}  // namespace

record_file::~record_file() {
    close();
}

bool record_file::open(const std::filesystem::path& path) {
    close();
    // "r+b" keeps existing contents; create the file first when it is missing.
    file_ = std::fopen(path.c_str(), "r+b");
    if (!file_) {
        std::FILE* created = std::fopen(path.c_str(), "ab");
        if (created) std::fclose(created);
        file_ = std::fopen(path.c_str(), "r+b");
    }
    if (!file_) return false;
    next_open_ = first_open;
    if (first_open) first_open->previous_open_ = this;
    first_open = this;
    return true;
}

void record_file::close() {
    if (!file_) return;
    std::fclose(file_);
    file_ = nullptr;
    if (previous_open_)
        previous_open_->next_open_ = next_open_;
    else
        first_open = next_open_;
    if (next_open_) next_open_->previous_open_ = previous_open_;
    previous_open_ = next_open_ = nullptr;
}

long long record_file::length() const {
    if (!file_) return 0;
    std::fflush(file_);
    if (std::fseek(file_, 0, SEEK_END) != 0) return 0;
    return std::ftell(file_);
}

bool record_file::exists(long n) const {
    return n >= 1 && static_cast<long long>(n) * static_cast<long long>(reclen_) <= length();
}

std::string record_file::read(long n) const {
    std::string rec(reclen_, ' ');
    if (!file_ || n < 1 || !exists(n)) return rec;
    if (std::fseek(file_, static_cast<long>((n - 1) * static_cast<long>(reclen_)), SEEK_SET) != 0) return rec;
    const std::size_t got = std::fread(rec.data(), 1, reclen_, file_);
    if (got != reclen_) return std::string(reclen_, ' ');
    return rec;
}

bool record_file::write(long n, std::string_view data) {
    std::string rec(data.substr(0, reclen_));
    rec.resize(reclen_, ' ');
    return write_block(n, rec);
}

bool record_file::write_block(long first, std::string_view data) {
    if (!file_ || first < 1) return false;
    std::string block(data);
    if (block.size() % reclen_) block.resize(block.size() + reclen_ - block.size() % reclen_, ' ');
    const long long end = length();
    const long long pos = static_cast<long long>(first - 1) * static_cast<long long>(reclen_);
    if (pos > end) {
        if (std::fseek(file_, 0, SEEK_END) != 0) return false;
        const std::string blanks(static_cast<std::size_t>(pos - end), ' ');
        if (std::fwrite(blanks.data(), 1, blanks.size(), file_) != blanks.size()) return false;
    }
    if (std::fseek(file_, static_cast<long>(pos), SEEK_SET) != 0) return false;
    if (std::fwrite(block.data(), 1, block.size(), file_) != block.size()) return false;
    return std::fflush(file_) == 0;
}

void record_file::close_all() {
    while (first_open) first_open->close();
}

}  // namespace platform
