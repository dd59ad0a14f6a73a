#include "platform/colors.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPalette>

namespace platform {

QColor to_qcolor(std::int64_t bgr) {
    const auto v = static_cast<std::uint32_t>(bgr);
    if (v & 0x80000000u) {
        const QPalette pal = QGuiApplication::palette();
        switch (v & 0xFF) {
            case 0x12:
                return pal.color(QPalette::ButtonText);
            case 0x05:
                return pal.color(QPalette::Base);
            case 0x08:
                return pal.color(QPalette::Text);
            case 0x0D:
                return pal.color(QPalette::Highlight);
            case 0x0E:
                return pal.color(QPalette::HighlightedText);
            default:
                return pal.color(QPalette::Button);
        }
    }
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
}

std::int32_t from_qcolor(const QColor& c) {
    return rgb(c.red(), c.green(), c.blue());
}

}  // namespace platform
