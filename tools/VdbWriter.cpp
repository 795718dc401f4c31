#include "VdbWriter.h"

#include "GbkCodec.h"
#include "ParamDb.h"

#include <QFile>

#include <sqlite3.h>

VdbWriter::VdbWriter(const QString& path) {
    QFile::remove(path);
    if (sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        throw VdbWriteError("cannot create " + path.toStdString() + ": " + message);
    }
    exec(QStringLiteral("PRAGMA journal_mode=OFF"));
    exec(QStringLiteral("PRAGMA synchronous=OFF"));
    exec(QStringLiteral("BEGIN"));
}

VdbWriter::~VdbWriter() {
    try {
        finish();
    } catch (const std::exception&) {
        // A destructor must not throw; callers that care call finish() themselves.
    }
}

void VdbWriter::check(int rc, const char* what) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        throw VdbWriteError(std::string(what) + ": " + sqlite3_errmsg(db_));
    }
}

void VdbWriter::exec(const QString& sql) {
    const QByteArray bytes = gbk::encode(sql);
    check(sqlite3_exec(db_, bytes.constData(), nullptr, nullptr, nullptr), "statement failed");
}

void VdbWriter::createTable(const QString& table, const QStringList& columns) {
    QString sql = QStringLiteral("CREATE TABLE %1 (\"id\" INTEGER PRIMARY KEY")
                      .arg(ParamDb::quoteIdentifier(table));
    for (const QString& c : columns) {
        sql += QStringLiteral(", %1 TEXT").arg(ParamDb::quoteIdentifier(c));
    }
    sql += QLatin1Char(')');
    exec(sql);
}

void VdbWriter::insertRow(const QString& table, qint64 id, const QStringList& values) {
    if (insert_ == nullptr || insertTable_ != table ||
        sqlite3_bind_parameter_count(insert_) != values.size() + 1) {
        sqlite3_finalize(insert_);
        insert_ = nullptr;
        QString sql =
            QStringLiteral("INSERT INTO %1 VALUES (?").arg(ParamDb::quoteIdentifier(table));
        for (qsizetype i = 0; i < values.size(); ++i) {
            sql += QStringLiteral(", ?");
        }
        sql += QLatin1Char(')');
        const QByteArray bytes = gbk::encode(sql);
        check(sqlite3_prepare_v2(db_, bytes.constData(), int(bytes.size()), &insert_, nullptr),
              "cannot prepare insert");
        insertTable_ = table;
    }
    sqlite3_reset(insert_);
    sqlite3_bind_int64(insert_, 1, id);
    for (qsizetype i = 0; i < values.size(); ++i) {
        const QByteArray bytes = gbk::encode(values[i]);
        sqlite3_bind_text(insert_, int(i) + 2, bytes.constData(), int(bytes.size()),
                          SQLITE_TRANSIENT);
    }
    check(sqlite3_step(insert_), "cannot insert row");
}

void VdbWriter::finish() {
    if (finished_) {
        return;
    }
    finished_ = true;
    sqlite3_finalize(insert_);
    insert_ = nullptr;
    const int rc = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
    const std::string message = sqlite3_errmsg(db_);
    sqlite3_close(db_);
    db_ = nullptr;
    if (rc != SQLITE_OK) {
        throw VdbWriteError("cannot complete the database: " + message);
    }
}

void writeCategoryFile(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += gbk::encode(line);
        bytes += "\r\n";
    }
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        throw VdbWriteError("cannot write " + path.toStdString());
    }
}
