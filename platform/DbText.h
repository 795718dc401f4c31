#pragma once

#include "ParamDb.h"

#include <QByteArray>
#include <QString>

struct sqlite3;

// Texts at the border between the program and the database engine. The engine gets and
// gives GBK bytes; the program speaks QString.
namespace dbtext {

// `text` as GBK bytes for the engine. A character that GBK cannot represent throws
// DbError naming `what` the text was (for example "statement") and the character.
QByteArray toEngine(const QString& text, const char* what);

// The engine's message for the last failure on `db`. Messages quote pieces of the
// statement, which are GBK, so the message is read as GBK.
QString engineMessage(sqlite3* db);

// DbError carrying the engine's message for the last failure on `db`, after
// "<context>: " when a context is given.
DbError engineError(sqlite3* db, const QString& context = QString());

} // namespace dbtext
