#include "GbkCodec.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace gbk {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// One converter per direction and thread, opened on first use.
class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) {
            throw GbkError(std::string("iconv cannot convert from ") + from + " to " + to);
        }
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    iconv_t get() {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr); // reset shift state
        return handle_;
    }

private:
    iconv_t handle_;
};

Converter& decoder() {
    thread_local Converter c("UTF-16LE", "CP936");
    return c;
}

Converter& encoder() {
    thread_local Converter c("CP936", "UTF-16LE");
    return c;
}

bool isAscii(const char* data, qsizetype size) {
    for (qsizetype i = 0; i < size; ++i) {
        if (static_cast<unsigned char>(data[i]) >= 0x80) {
            return false;
        }
    }
    return true;
}

bool isEscape(char16_t c) {
    return c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF;
}

// The message for the character at `at` that GBK cannot represent, naming its code
// point (that of the whole pair when it is a surrogate pair).
std::string unwritable(const char16_t* units, qsizetype count, qsizetype at) {
    char32_t code = units[at];
    qsizetype length = 1;
    if (QChar::isHighSurrogate(units[at]) && at + 1 < count &&
        QChar::isLowSurrogate(units[at + 1])) {
        code = QChar::surrogateToUcs4(units[at], units[at + 1]);
        length = 2;
    }
    const QString character = QString::fromUtf16(units + at, length);
    const QString hex = QStringLiteral("%1").arg(uint(code), 4, 16, QLatin1Char('0')).toUpper();
    return (QStringLiteral("the character \"") + character + QStringLiteral("\" (U+") + hex +
            QStringLiteral(") cannot be written in GBK"))
        .toStdString();
}

} // namespace

int charLength(const unsigned char* data, qsizetype available) {
    if (available >= 2 && data[0] >= 0x81 && data[0] <= 0xFE && data[1] >= 0x40 &&
        data[1] <= 0xFE && data[1] != 0x7F) {
        return 2;
    }
    return 1;
}

QString decode(const char* data, qsizetype size) {
    if (size <= 0) {
        return QString();
    }
    if (isAscii(data, size)) {
        return QString::fromLatin1(data, size);
    }
    QString out(size, Qt::Uninitialized); // never more UTF-16 units than bytes
    iconv_t cd = decoder().get();
    char* in = const_cast<char*>(data);
    size_t inLeft = static_cast<size_t>(size);
    char* outPtr = reinterpret_cast<char*>(out.data());
    size_t outLeft = static_cast<size_t>(size) * 2;
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1)) {
            break;
        }
        if (errno != EILSEQ && errno != EINVAL) {
            throw GbkError("GBK text could not be decoded");
        }
        // Not a GBK character here: keep the byte as an escape and go on after it.
        const auto byte = static_cast<unsigned char>(*in);
        const char16_t escape = byte < 0x80 ? char16_t(byte) : char16_t(kEscapeBase + byte);
        std::memcpy(outPtr, &escape, 2);
        outPtr += 2;
        outLeft -= 2;
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.truncate((reinterpret_cast<QChar*>(outPtr) - out.constData()));
    return out;
}

QString decode(const QByteArray& bytes) {
    return decode(bytes.constData(), bytes.size());
}

QByteArray encode(const QString& text) {
    if (text.isEmpty()) {
        return QByteArray();
    }
    QByteArray out;
    out.reserve(text.size() * 2);
    const char16_t* units = reinterpret_cast<const char16_t*>(text.utf16());
    const qsizetype count = text.size();
    qsizetype start = 0;
    while (start < count) {
        if (isEscape(units[start])) {
            out.append(char(units[start] - kEscapeBase));
            ++start;
            continue;
        }
        qsizetype end = start;
        while (end < count && !isEscape(units[end])) {
            ++end;
        }
        iconv_t cd = encoder().get();
        char* in = reinterpret_cast<char*>(const_cast<char16_t*>(units + start));
        size_t inLeft = static_cast<size_t>(end - start) * 2;
        const qsizetype before = out.size();
        out.resize(before + (end - start) * 4 + 4);
        char* outPtr = out.data() + before;
        size_t outLeft = static_cast<size_t>(out.size() - before);
        if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
            const qsizetype at = start + (reinterpret_cast<char16_t*>(in) - (units + start));
            throw GbkError(unwritable(units, count, at));
        }
        out.resize(outPtr - out.constData());
        start = end;
    }
    return out;
}

} // namespace gbk
