#include "shared/decimal_separator.h"

#include "platform/services.h"

namespace w_velmo_2 {

std::string lit_separateur() {
    return std::string(1, platform::runtime_decimal_separator());
}

}  // namespace w_velmo_2
