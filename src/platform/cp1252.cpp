#include "platform/cp1252.h"

#include <QStringDecoder>
#include <algorithm>
#include <array>

namespace cp1252 {

namespace {
// The five bytes that code page 1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) pass through as the C1 controls of the same value, so every byte
// survives a round trip through the screen.
bool undefined_byte(unsigned char c) {
    return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

// The characters of bytes 0x80 to 0x9F, as the decoder reads them, for the
// way back. A table, not an encoder run character by character: Qt's encoder
// keeps its error state across a reset, so after one character the code page
// cannot hold, every later one outside Latin-1 would come out as "?" too.
const std::array<char16_t, 32>& plage_haute() {
    static const std::array<char16_t, 32> t = [] {
        std::array<char16_t, 32> r{};
        QStringDecoder dec("windows-1252");
        for (std::size_t b = 0; b < r.size(); ++b) {
            const char octet = static_cast<char>(0x80 + b);
            const QString c = dec.decode(QByteArrayView(&octet, 1));
            // Undefined bytes are passed through before the table is looked at;
            // 0 never reaches it either.
            r[b] = !undefined_byte(static_cast<unsigned char>(octet)) && c.size() == 1 ? c[0].unicode() : 0;
        }
        return r;
    }();
    return t;
}
}  // namespace

QString to_qt(std::string_view bytes) {
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    QStringDecoder dec("windows-1252");
    std::size_t start = 0;
    for (std::size_t i = 0; i <= bytes.size(); ++i) {
        if (i == bytes.size() || undefined_byte(static_cast<unsigned char>(bytes[i]))) {
            if (i > start)
                out += dec.decode(QByteArrayView(bytes.data() + start, static_cast<qsizetype>(i - start)));
            if (i < bytes.size()) out += QChar(static_cast<unsigned char>(bytes[i]));
            start = i + 1;
        }
    }
    return out;
}

std::string from_qt(const QString& typed) {
    // A keyboard or an input method may give an accent as a letter followed by
    // its combining mark; composed first, it becomes the code page's own
    // letter. Text that came from bytes (names read from disk, files) is never
    // changed by it: no character of the code page composes with another.
    const QString s = typed.normalized(QString::NormalizationForm_C);
    std::string out;
    out.reserve(static_cast<std::size_t>(s.size()));
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t u = s[i].unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF) ||
            (u <= 0xFF && undefined_byte(static_cast<unsigned char>(u)))) {
            out += static_cast<char>(u);
            continue;
        }
        const auto& haut = plage_haute();
        const auto b = std::find(haut.begin(), haut.end(), u);
        out += b != haut.end() ? static_cast<char>(0x80 + (b - haut.begin())) : '?';
        // A character beyond the 16-bit range is one character: one "?".
        if (QChar::isHighSurrogate(u) && i + 1 < s.size() && s[i + 1].isLowSurrogate()) ++i;
    }
    return out;
}

std::string cp(std::string_view utf8) {
    return from_qt(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

}  // namespace cp1252
