#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

struct sqlite3;

// Reads a database file read-only, straight through the engine, and hands back the
// stored bytes unchanged, so that tests see exactly what the file holds.
class SqliteReader {
public:
    explicit SqliteReader(const QString& path);
    ~SqliteReader();
    SqliteReader(const SqliteReader&) = delete;
    SqliteReader& operator=(const SqliteReader&) = delete;

    // The rows of `sql` (given as the bytes to send), each column's value as text bytes.
    // Throws std::runtime_error when the engine rejects the statement.
    QList<QList<QByteArray>> rows(const QByteArray& sql) const;
    // The names of the tables, in the order they were made.
    QList<QByteArray> tables() const;
    // Name and declared type of each column of `table`, in table order.
    QList<QList<QByteArray>> columns(const QByteArray& table) const;

private:
    sqlite3* db_ = nullptr;
};
