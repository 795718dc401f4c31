#include "ParamDb.h"

#include "DbText.h"
#include "GbkCodec.h"
#include "GbkLike.h"
#include "QueryCursor.h"

#include <QFileInfo>

#include <sqlite3.h>

namespace {

struct StatementDeleter {
    void operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

// Prepares the one statement in `sql`. Anything but blanks, comments and semicolons
// after it is refused rather than silently left unrun.
Statement prepareSingle(sqlite3* db, const QByteArray& sql) {
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    const char* end = sql.constData() + sql.size();
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &raw, &tail) != SQLITE_OK) {
        throw dbtext::engineError(db);
    }
    Statement stmt(raw);
    if (!stmt) {
        throw DbError("the statement is empty");
    }
    while (tail != nullptr && tail < end) {
        sqlite3_stmt* more = nullptr;
        const char* rest = tail;
        if (sqlite3_prepare_v2(db, rest, int(end - rest), &more, &tail) != SQLITE_OK) {
            throw dbtext::engineError(db);
        }
        if (more != nullptr) {
            sqlite3_finalize(more);
            throw DbError("only one statement can be run at a time");
        }
    }
    return stmt;
}

void bindTexts(sqlite3* db, sqlite3_stmt* stmt, const QStringList& values) {
    const int count = sqlite3_bind_parameter_count(stmt);
    if (count != values.size()) {
        throw DbError(QStringLiteral("the statement takes %1 values, but %2 were given")
                          .arg(count)
                          .arg(values.size())
                          .toStdString());
    }
    for (int i = 0; i < count; ++i) {
        const QByteArray bytes = dbtext::toEngine(values[i], "value");
        // constData() is never null, so an empty value binds the empty text, not NULL.
        if (sqlite3_bind_text(stmt, i + 1, bytes.constData(), int(bytes.size()),
                              SQLITE_TRANSIENT) != SQLITE_OK) {
            throw dbtext::engineError(db);
        }
    }
}

QString openFailure(const QString& path) {
    return QStringLiteral("cannot open the database \"%1\"").arg(path);
}

} // namespace

struct ParamDb::Impl {
    QString path;
    sqlite3* db = nullptr;
    QueryCursor query;
};

ParamDb::ParamDb() : d(std::make_unique<Impl>()) {}

ParamDb::~ParamDb() {
    close();
}

void ParamDb::setDatabasePath(const QString& path) {
    close();
    QString p = path.trimmed();
    const QString fileName = p.mid(p.lastIndexOf(QLatin1Char('/')) + 1);
    if (!fileName.isEmpty() && !fileName.contains(QLatin1Char('.'))) {
        p += QStringLiteral(".vdb");
    }
    d->path = p;
}

QString ParamDb::databasePath() const {
    return d->path;
}

void ParamDb::open() {
    if (d->db != nullptr) {
        return;
    }
    const QString& path = d->path;
    if (path.isEmpty()) {
        throw DbError("cannot open the database: no file is set");
    }
    // The engine would make a missing file, or take an empty one, as a new database
    // without tables; for a program that only reads, either means the data is missing.
    const QFileInfo info(path);
    if (!info.exists()) {
        throw DbError(
            (openFailure(path) + QStringLiteral(": the file does not exist")).toStdString());
    }
    if (!info.isFile()) {
        throw DbError((openFailure(path) + QStringLiteral(": it is not a file")).toStdString());
    }
    if (info.size() == 0) {
        throw DbError((openFailure(path) + QStringLiteral(": the file is empty")).toStdString());
    }

    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK) {
        const DbError error = dbtext::engineError(db, openFailure(path));
        sqlite3_close(db);
        throw error;
    }
    // Opening reads nothing yet; reading the schema shows whether this is a database.
    if (sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) !=
            SQLITE_OK ||
        gbk::registerLike(db) != SQLITE_OK) {
        const DbError error = dbtext::engineError(db, openFailure(path));
        sqlite3_close(db);
        throw error;
    }
    d->db = db;
}

bool ParamDb::isOpen() const {
    return d->db != nullptr;
}

void ParamDb::close() {
    d->query.clear();
    if (d->db != nullptr) {
        sqlite3_close_v2(d->db);
        d->db = nullptr;
    }
}

void ParamDb::Execute(const QString& sql) {
    open();
    const QByteArray bytes = dbtext::toEngine(sql, "statement");
    if (sqlite3_exec(d->db, bytes.constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        throw dbtext::engineError(d->db);
    }
}

void ParamDb::GetColumnNames(const QString& table, QStringList& list) {
    list.clear();
    open();
    const QString sql = QStringLiteral("PRAGMA table_info(%1);").arg(quoteIdentifier(table));
    Statement stmt = prepareSingle(d->db, dbtext::toEngine(sql, "table name"));
    int rc;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        // Columns of table_info: cid, name, type, notnull, dflt_value, pk.
        const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 1));
        list.append(gbk::decode(name, sqlite3_column_bytes(stmt.get(), 1)));
    }
    if (rc != SQLITE_DONE) {
        list.clear();
        throw dbtext::engineError(d->db);
    }
}

void ParamDb::RunQuery(const QString& sql, const QStringList& params) {
    d->query.clear();
    open();
    Statement stmt = prepareSingle(d->db, dbtext::toEngine(sql, "statement"));
    bindTexts(d->db, stmt.get(), params);
    d->query.start(stmt.release());
}

bool ParamDb::Eof() {
    return d->query.eof();
}

void ParamDb::Next() {
    d->query.next();
}

QString ParamDb::FieldText(const QString& column) {
    return d->query.text(column);
}

qint64 ParamDb::FieldInteger(const QString& column) {
    return d->query.integer(column);
}

int ParamDb::RecordCount() {
    return d->query.recordCount();
}

QString ParamDb::quoteIdentifier(const QString& name) {
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

sqlite3* ParamDb::handle() const {
    return d->db;
}
