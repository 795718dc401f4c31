#pragma once

#include <QString>

// `path` with a "/" appended when it does not already end in one; "" gives "/".
QString AddTrailingSlash(const QString& path);

// The program's directory, ending in exactly one "/": where the data files lie.
const QString& AppDir();
void setAppDir(const QString& dir);
