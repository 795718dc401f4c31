#include "TempDir.h"

#include <QFile>

#include <stdexcept>

TempDir::TempDir() {
    if (!dir_.isValid()) {
        throw std::runtime_error("cannot make a temporary folder");
    }
}

QString TempDir::file(const QString& name) const {
    return dir_.filePath(name);
}

QString TempDir::write(const QString& name, const QByteArray& bytes) const {
    const QString path = file(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
    return path;
}
