#include "AppDir.h"

namespace {
QString& appDirStorage() {
    static QString dir;
    return dir;
}
} // namespace

QString AddTrailingSlash(const QString& path) {
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

const QString& AppDir() {
    return appDirStorage();
}

void setAppDir(const QString& dir) {
    appDirStorage() = dir;
}
