#pragma once

#include <QByteArray>
#include <QString>

#include <stdexcept>

// Conversion between the program's Unicode text and the GBK (code page 936) bytes of
// the data files.
//
// Decoding never fails and never loses a byte: a byte that does not start a valid GBK
// character becomes the lone surrogate U+DC00 + byte ("surrogate escape"), and encoding
// turns such a surrogate back into the same byte. Encoding refuses, with GbkError,
// a character that GBK cannot represent, instead of dropping or replacing it.
namespace gbk {

class GbkError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

QString decode(const char* data, qsizetype size);
QString decode(const QByteArray& bytes);
QByteArray encode(const QString& text);

// Length in bytes of the GBK character starting at data[0] (1 or 2), given that
// `available` bytes remain. Used by code that walks GBK text character by character.
int charLength(const unsigned char* data, qsizetype available);

} // namespace gbk
