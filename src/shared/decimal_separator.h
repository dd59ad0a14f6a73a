// The decimal separator check of every start.
#pragma once

#include <string>

namespace w_velmo_2 {
// The first character of the separator with which the runtime formats numbers.
std::string lit_separateur();
}  // namespace w_velmo_2
