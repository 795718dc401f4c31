#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary folder for one test, removed with it.
class TempDir {
public:
    TempDir();
    QString path() const { return dir_.path(); }
    // Full path of `name` inside the folder.
    QString file(const QString& name) const;
    // Writes `bytes` to `name` inside the folder and returns the full path.
    QString write(const QString& name, const QByteArray& bytes) const;

private:
    QTemporaryDir dir_;
};
