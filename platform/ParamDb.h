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
    // file name without an extension gets ".vdb". Closes the connection if it is open;
    // the next operation opens the new file.
    void setDatabasePath(const QString& path);
    QString databasePath() const;

    // Opens the file read-only; never creates it. A missing, unreadable, empty or
    // non-SQLite file throws DbError. Also registers the GBK-aware `like` (GbkLike.h).
    // Does nothing when the connection is open already. The operations below open the
    // connection themselves when it is not open.
    void open();
    bool isOpen() const;
    void close();

    // Runs a statement that returns no rows of interest ("begin transaction"). Leaves the
    // current result as it is. A statement the engine rejects throws DbError.
    void Execute(const QString& sql);

    // Clears `list` and fills it with the column names of `table` in column order.
    // A table that does not exist gives an empty list. Opens the connection if needed.
    // Runs on a statement of its own, so the current result stays as it is.
    void GetColumnNames(const QString& table, QStringList& list);

    // Replaces the current result by the rows of `sql`. Each `?` in the statement takes
    // the next entry of `params`, bound as GBK text. A statement the engine rejects
    // throws DbError carrying the engine's message, and leaves an empty result (Eof).
    // So does a text that GBK cannot represent, a count of `params` that differs from
    // the statement's, and a text holding more than one statement.
    //
    // Rows are read from the file as the cursor reaches them, so reading the first row
    // of a large result costs one row.
    void RunQuery(const QString& sql, const QStringList& params = {});

    // True when the cursor stands behind the last row, also for an empty result.
    bool Eof();
    // Moves to the following row; does nothing at Eof.
    void Next();
    // Text of the named column in the current row, as the engine renders the value as
    // text; empty for NULL or when there is no current row. The name is matched exactly,
    // else without regard to the case of ASCII letters, as SQL names are; of two result
    // columns with one name the first is used. A name the result does not have throws
    // DbError (also at Eof).
    QString FieldText(const QString& column);
    // The named column as an integer: 0 for NULL, the empty text or no current row. A
    // value that is not a whole decimal number (blanks around it allowed; "12.5", "abc",
    // out of range) throws DbError rather than passing for some number.
    qint64 FieldInteger(const QString& column);
    // Number of rows of the whole result, rows already passed included. Reads the rest
    // of the rows into memory; the current row and Next go on as before.
    int RecordCount();

    // `name` as an SQL identifier: in double quotes, inner double quotes doubled.
    static QString quoteIdentifier(const QString& name);

    // The engine's connection, null while closed (for example to add SQL functions).
    sqlite3* handle() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
