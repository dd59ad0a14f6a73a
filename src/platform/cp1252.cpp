#include "platform/cp1252.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace cp1252 {

namespace {
// The five bytes that code page 1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) pass through as the C1 controls of the same value, so every byte
// survives a round trip through the screen.
bool undefined_byte(unsigned char c) {
    return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
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

std::string from_qt(const QString& s) {
    std::string out;
    out.reserve(static_cast<std::size_t>(s.size()));
    QStringEncoder enc("windows-1252");
    for (QChar ch : s) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF) ||
            (u <= 0xFF && undefined_byte(static_cast<unsigned char>(u)))) {
            out += static_cast<char>(u);
            continue;
        }
        const QByteArray b = enc.encode(QStringView(&ch, 1));
        out += (enc.hasError() || b.size() != 1) ? '?' : b[0];
        if (enc.hasError()) enc.resetState();
    }
    return out;
}

std::string cp(std::string_view utf8) {
    return from_qt(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

}  // namespace cp1252
