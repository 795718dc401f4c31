#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>

struct sqlite3;
struct sqlite3_stmt;

class VdbWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes a parameter database in the program's format: one table per product kind,
// "id" first, every name and value stored as GBK bytes. An existing file is replaced.
class VdbWriter {
public:
    explicit VdbWriter(const QString& path);
    ~VdbWriter();
    VdbWriter(const VdbWriter&) = delete;
    VdbWriter& operator=(const VdbWriter&) = delete;

    // Makes `table` with an integer column "id" followed by text columns `columns`.
    void createTable(const QString& table, const QStringList& columns);
    // Appends a row: `id`, then one value per text column (an empty value is stored as
    // the empty text).
    void insertRow(const QString& table, qint64 id, const QStringList& values);
    // Runs raw SQL (already in the form the file needs). For unusual fixtures.
    void exec(const QString& sql);
    // Makes the file complete on disk. Called by the destructor too.
    void finish();

private:
    void check(int rc, const char* what);

    sqlite3* db_ = nullptr;
    sqlite3_stmt* insert_ = nullptr;
    QString insertTable_;
    bool finished_ = false;
};

// Writes a category file: the entries' lines, GBK, CR LF after each line.
void writeCategoryFile(const QString& path, const QStringList& lines);
