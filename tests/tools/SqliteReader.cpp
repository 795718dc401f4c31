#include "SqliteReader.h"

#include <sqlite3.h>

#include <stdexcept>

SqliteReader::SqliteReader(const QString& path) {
    if (sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db_);
        throw std::runtime_error("cannot open " + path.toStdString());
    }
}

SqliteReader::~SqliteReader() {
    sqlite3_close(db_);
}

QList<QList<QByteArray>> SqliteReader::rows(const QByteArray& sql) const {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db_, sql.constData(), int(sql.size()), &stmt, nullptr) != SQLITE_OK) {
        const std::string message = sqlite3_errmsg(db_);
        sqlite3_finalize(stmt);
        throw std::runtime_error(message);
    }
    QList<QList<QByteArray>> result;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        QList<QByteArray> row;
        for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
            row.append(QByteArray(text, sqlite3_column_bytes(stmt, c)));
        }
        result.append(row);
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) {
        throw std::runtime_error(sqlite3_errmsg(db_));
    }
    return result;
}

QList<QByteArray> SqliteReader::tables() const {
    QList<QByteArray> names;
    for (const QList<QByteArray>& row :
         rows("SELECT name FROM sqlite_master WHERE type='table' ORDER BY rowid")) {
        names.append(row[0]);
    }
    return names;
}

QList<QList<QByteArray>> SqliteReader::columns(const QByteArray& table) const {
    QList<QList<QByteArray>> result;
    for (const QList<QByteArray>& row : rows("PRAGMA table_info(\"" + table + "\")")) {
        result.append({row[1], row[2]});
    }
    return result;
}
