#include "QueryCursor.h"

#include "DbText.h"
#include "GbkCodec.h"
#include "ParamDb.h"

#include <sqlite3.h>

namespace {

// SQL identifiers ignore the case of ASCII letters, and only of those.
QString foldAscii(const QString& name) {
    QString out = name;
    for (QChar& c : out) {
        if (c >= u'A' && c <= u'Z') {
            c = QChar(c.unicode() + (u'a' - u'A'));
        }
    }
    return out;
}

} // namespace

QueryCursor::~QueryCursor() {
    release();
}

void QueryCursor::release() {
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    live_ = false;
}

void QueryCursor::clear() {
    release();
    names_.clear();
    byName_.clear();
    byFoldedName_.clear();
    buffered_ = false;
    current_.clear();
    ahead_.clear();
    rowsRead_ = 0;
}

void QueryCursor::start(sqlite3_stmt* stmt) {
    clear();
    stmt_ = stmt;
    const int count = sqlite3_column_count(stmt_);
    names_.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QString name = gbk::decode(QByteArray(sqlite3_column_name(stmt_, i)));
        names_.append(name);
    }
    // Filled from the right, so that of several columns with one name the first wins.
    for (int i = count - 1; i >= 0; --i) {
        byName_.insert(names_[i], i);
        byFoldedName_.insert(foldAscii(names_[i]), i);
    }
    live_ = step();
}

bool QueryCursor::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) {
        ++rowsRead_;
        return true;
    }
    if (rc == SQLITE_DONE) {
        release();
        return false;
    }
    const DbError error = dbtext::engineError(sqlite3_db_handle(stmt_));
    clear();
    throw error;
}

QueryCursor::Row QueryCursor::copyLiveRow() const {
    Row row(names_.size());
    for (int i = 0; i < int(row.size()); ++i) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
        if (text != nullptr) {
            row[i] = QByteArray(text, sqlite3_column_bytes(stmt_, i));
        }
    }
    return row;
}

void QueryCursor::next() {
    if (live_) {
        live_ = step();
    } else if (buffered_) {
        if (ahead_.empty()) {
            buffered_ = false;
            current_.clear();
        } else {
            current_ = std::move(ahead_.front());
            ahead_.pop_front();
        }
    }
}

int QueryCursor::recordCount() {
    if (live_) {
        current_ = copyLiveRow();
        buffered_ = true;
        while (step()) {
            ahead_.push_back(copyLiveRow());
        }
        live_ = false;
    }
    return rowsRead_;
}

int QueryCursor::indexOf(const QString& column) const {
    auto it = byName_.constFind(column);
    if (it == byName_.constEnd()) {
        it = byFoldedName_.constFind(foldAscii(column));
        if (it == byFoldedName_.constEnd()) {
            throw DbError(
                QStringLiteral("the result has no column named \"%1\"").arg(column).toStdString());
        }
    }
    return it.value();
}

QByteArrayView QueryCursor::cell(int index) const {
    if (live_) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, index));
        return QByteArrayView(text, text ? sqlite3_column_bytes(stmt_, index) : 0);
    }
    if (buffered_) {
        return QByteArrayView(current_[index]);
    }
    return QByteArrayView();
}

QString QueryCursor::text(const QString& column) const {
    const QByteArrayView value = cell(indexOf(column));
    return gbk::decode(value.data(), value.size());
}

qint64 QueryCursor::integer(const QString& column) const {
    const QByteArrayView value = cell(indexOf(column));
    if (value.isEmpty()) {
        return 0;
    }
    bool ok = false;
    const qint64 number = value.toByteArray().trimmed().toLongLong(&ok, 10);
    if (!ok) {
        throw DbError(QStringLiteral("the value \"%1\" of column \"%2\" is not a whole number")
                          .arg(gbk::decode(value.data(), value.size()), column)
                          .toStdString());
    }
    return number;
}
