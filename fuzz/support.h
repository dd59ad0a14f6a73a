// What every fuzz target shares: a folder of the run's own, which is also the
// current folder (the programs keep their record files there), and the input
// as text or as the lines a reader of files would see.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

// Created at the first call, removed at exit.
const std::filesystem::path& folder();

// The folder is the current one while this lives (the programs keep their
// files in the current folder); libFuzzer's own relative paths need the
// previous one back between inputs.
class in_folder {
  public:
    in_folder();
    ~in_folder();
    in_folder(const in_folder&) = delete;
    in_folder& operator=(const in_folder&) = delete;

  private:
    std::filesystem::path previous_;
};

// The bytes written to `name` in the folder (replacing it); its path.
std::filesystem::path write(const std::string& name, std::string_view bytes);

// The bytes as text, and as the lines of a text file holding them.
std::string text(const std::uint8_t* data, std::size_t size);
std::vector<std::string> lines(std::string_view bytes);

// Stops the run as a finding when a property of the readers does not hold.
void check(bool ok, const char* what);

}  // namespace fuzz
