#include "DbText.h"

#include "GbkCodec.h"

#include <sqlite3.h>

namespace dbtext {

QByteArray toEngine(const QString& text, const char* what) {
    try {
        return gbk::encode(text);
    } catch (const gbk::GbkError& e) {
        throw DbError(std::string("the ") + what + " cannot be sent to the database: " + e.what());
    }
}

QString engineMessage(sqlite3* db) {
    if (db == nullptr) {
        return QStringLiteral("out of memory");
    }
    return gbk::decode(QByteArray(sqlite3_errmsg(db)));
}

DbError engineError(sqlite3* db, const QString& context) {
    const QString message = engineMessage(db);
    if (context.isEmpty()) {
        return DbError(message.toStdString());
    }
    return DbError((context + QStringLiteral(": ") + message).toStdString());
}

} // namespace dbtext
