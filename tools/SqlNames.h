#pragma once

#include <QString>

// Table and column names go into the program's statements bare, without quotes, as GBK
// bytes. Such a name must read as one identifier: ASCII letters, digits and "_", and
// double-byte characters whose both bytes are at least 0x80; it must not start with a
// digit. A GBK character whose second byte is ASCII punctuation (for example the one
// encoded 83 7C, whose second byte is "|") would end the identifier in the middle.
bool canStandBare(const QString& name);
