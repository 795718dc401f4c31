#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <stdexcept>

struct sqlite3;

// The parameter database: one read-only connection to the SQLite file and the one
// query object that every operation of the program shares.
//
// Texts in the file (table names, column names, values) are GBK bytes; the program
// speaks Unicode (QString). Statements are encoded to GBK before they reach the engine,
// and bound values likewise, so they compare byte for byte with what the file stores.
class DbError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ParamDb {
public:
    ParamDb();
    ~ParamDb();
    ParamDb(const ParamDb&) = delete;
    ParamDb& operator=(const ParamDb&) = delete;

    // Sets the path of the file to open: leading and trailing blanks are trimmed, and a
    // file name without an extension gets ".vdb".
    void setDatabasePath(const QString& path);
    QString databasePath() const;

    // Opens the file read-only; never creates it. A missing, unreadable, empty or
    // non-SQLite file throws DbError. Also registers the GBK-aware `like`.
    void open();
    bool isOpen() const;
    void close();

    // Runs a statement that returns no rows of interest ("begin transaction").
    void Execute(const QString& sql);

    // Clears `list` and fills it with the column names of `table` in column order.
    // A table that does not exist gives an empty list. Opens the connection if needed.
    void GetColumnNames(const QString& table, QStringList& list);

    // Replaces the current result by the rows of `sql`. Each `?` in the statement takes
    // the next entry of `params`, bound as GBK text. A statement the engine rejects
    // throws DbError carrying the engine's message, and leaves an empty result (Eof).
    void RunQuery(const QString& sql, const QStringList& params = {});

    bool Eof();
    void Next();
    // Text of the named column in the current row; empty for NULL or when there is no
    // current row. A name the result does not have throws DbError.
    QString FieldText(const QString& column);
    qint64 FieldInteger(const QString& column);
    int RecordCount();

    // `name` as an SQL identifier: in double quotes, inner double quotes doubled.
    static QString quoteIdentifier(const QString& name);

    sqlite3* handle() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
