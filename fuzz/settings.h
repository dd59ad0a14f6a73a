// The settings file of a fuzz run: the input laid into "wfenzo42.wdo" from a
// given record on, the file opened as the program opens it.
#pragma once

#include <string_view>

namespace fuzz {

// Records before `first` are blank; record 2 holds a screen format unless
// the input itself covers it (the program asks for one on screen otherwise).
void open_settings(std::string_view records, long first);
void close_settings();

}  // namespace fuzz
