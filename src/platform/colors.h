// Colours as the screens store them: 32-bit 0xBBGGRR numbers, with the two
// desktop system colours 0x8000000F (button face) and 0x80000012 (button text).
#pragma once

#include <QColor>
#include <cstdint>

namespace platform {

constexpr std::int32_t system_button_face = static_cast<std::int32_t>(0x8000000F);
constexpr std::int32_t system_button_text = static_cast<std::int32_t>(0x80000012);

QColor to_qcolor(std::int64_t bgr);
std::int32_t from_qcolor(const QColor& c);
constexpr std::int32_t rgb(int r, int g, int b) {
    return r | (g << 8) | (b << 16);
}

}  // namespace platform
