// The largest catalogue the format allows: 21 servers, 121 families of 300
// articles, 999 tables, written as "wvelmorin.wdo" (plus "velmorin.wdo").
#pragma once

#include <filesystem>
#include <string>

namespace bench {
// Writes the catalogue files into `folder`; returns the bytes of wvelmorin.wdo.
std::string write_largest_catalogue(const std::filesystem::path& folder);
// A fresh temporary folder, removed at exit.
std::filesystem::path temporary_folder(const std::string& tag);
}  // namespace bench
