#include "SampleDataWriter.h"

#include "ProductGenerator.h"
#include "VdbWriter.h"

#include <QDir>
#include <QFile>

namespace {

void putInPlace(const QString& temporary, const QString& target) {
    QFile::remove(target);
    if (!QFile::rename(temporary, target)) {
        QFile::remove(temporary);
        throw VdbWriteError("cannot write " + target.toStdString());
    }
}

void writeDatabase(const SampleCatalogue& catalogue, const QString& path) {
    VdbWriter writer(path);
    for (const KindPlan& kind : catalogue.kinds()) {
        writer.createTable(kind.table, kind.columns());
        generateProducts(kind, [&](qint64 id, const QStringList& values) {
            writer.insertRow(kind.table, id, values);
        });
    }
    writer.finish();
}

} // namespace

void writeSampleData(const SampleCatalogue& catalogue, const QString& folder) {
    const QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("."))) {
        throw VdbWriteError("cannot make the folder " + folder.toStdString());
    }
    const QString database = dir.filePath(QString::fromLatin1(kDatabaseFileName));
    const QString categories = dir.filePath(QString::fromLatin1(kCategoryFileName));
    const QString suffix = QStringLiteral(".part");

    try {
        writeDatabase(catalogue, database + suffix);
        writeCategoryFile(categories + suffix, catalogue.categoryLines());
    } catch (...) {
        QFile::remove(database + suffix);
        QFile::remove(categories + suffix);
        throw;
    }
    putInPlace(database + suffix, database);
    putInPlace(categories + suffix, categories);
}
