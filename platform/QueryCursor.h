#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

struct sqlite3_stmt;

// The rows of one statement, walked forward one at a time.
//
// Rows are taken from the engine only as the cursor reaches them, so a statement whose
// first row is all that is read costs one step. Counting the rows reads the rest of them
// into memory (their raw bytes), after which the cursor walks that copy.
//
// Values are the engine's text form of each cell, GBK, decoded when asked for.
class QueryCursor {
public:
    QueryCursor() = default;
    ~QueryCursor();
    QueryCursor(const QueryCursor&) = delete;
    QueryCursor& operator=(const QueryCursor&) = delete;

    // Takes over the prepared (and bound) statement `stmt` and steps to its first row.
    // A failing step throws DbError with the engine's message and leaves the cursor empty.
    void start(sqlite3_stmt* stmt);
    // Drops the statement and its rows: no columns, Eof.
    void clear();

    bool eof() const { return !live_ && !buffered_; }
    // Moves to the following row; does nothing at Eof.
    void next();
    // Number of rows of the whole result, those already passed included.
    int recordCount();

    // Text of `column` in the current row: empty for NULL and at Eof.
    QString text(const QString& column) const;
    // Integer of `column` in the current row: 0 for NULL and at Eof. Text that is not a
    // whole decimal number (blanks around it allowed) throws DbError.
    qint64 integer(const QString& column) const;

private:
    using Row = std::vector<QByteArray>;

    int indexOf(const QString& column) const;
    QByteArrayView cell(int index) const;
    // Steps the statement once: true on a row; false when it is done, after which the
    // statement is released. A failure clears the cursor and throws DbError.
    bool step();
    Row copyLiveRow() const;
    void release();

    sqlite3_stmt* stmt_ = nullptr;
    QStringList names_;
    QHash<QString, int> byName_;       // first column of each exact name
    QHash<QString, int> byFoldedName_; // likewise, ASCII letters in lower case
    bool live_ = false;                // the current row is the statement's own
    bool buffered_ = false;            // the current row is current_
    Row current_;
    std::deque<Row> ahead_; // rows read past the current one
    int rowsRead_ = 0;      // rows taken from the statement so far
};
