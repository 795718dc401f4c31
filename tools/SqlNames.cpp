#include "SqlNames.h"

#include "GbkCodec.h"

namespace {

bool isIdentifierByte(unsigned char b) {
    return b >= 0x80 || (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') ||
           (b >= '0' && b <= '9') || b == '_';
}

} // namespace

bool canStandBare(const QString& name) {
    QByteArray bytes;
    try {
        bytes = gbk::encode(name);
    } catch (const gbk::GbkError&) {
        return false;
    }
    if (bytes.isEmpty() || (bytes[0] >= '0' && bytes[0] <= '9')) {
        return false;
    }
    for (char c : bytes) {
        if (!isIdentifierByte(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}
