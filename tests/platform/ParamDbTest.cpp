#include "ParamDb.h"

#include "GbkCodec.h"
#include "TempDir.h"
#include "VdbWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

const QStringList kCardColumns = {QStringLiteral(u"型号"), QStringLiteral(u"显存带宽【GBs】"),
                                  QStringLiteral(u"USBHUB接口"), QStringLiteral(u"备注")};

// A small database of the program's shape: GBK names and values, a value that equals a
// column name, one with double quotes, a character whose second byte is "A", NULL.
void writeSample(const QString& path) {
    VdbWriter w(path);
    const QString card = QStringLiteral(u"显卡");
    w.createTable(card, kCardColumns);
    w.insertRow(card, 1,
                {QStringLiteral(u"GTX中国版"), QStringLiteral("128"), QStringLiteral(u"有"),
                 QStringLiteral(u"说\"hi\"")});
    w.insertRow(
        card, 2,
        {QStringLiteral(u"型号"), QStringLiteral("256"), QString(), QStringLiteral(u"怪行")});
    w.insertRow(card, 3,
                {QStringLiteral(u"丄"), QStringLiteral("64"), QStringLiteral(u"无"),
                 QStringLiteral(u"平")});
    w.exec(QStringLiteral(u"INSERT INTO 显卡 VALUES (4, 'a', NULL, NULL, NULL)"));
    w.createTable(QStringLiteral("odd\"name"), {QStringLiteral("x")});
    w.createTable(QStringLiteral(u"多"), {QStringLiteral(u"型号")});
    for (int id = 1; id <= 5; ++id) {
        w.insertRow(QStringLiteral(u"多"), id, {QStringLiteral(u"型%1").arg(id)});
    }
    w.finish();
}

class ParamDbTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.file(QStringLiteral("velmora.vdb"));
        writeSample(path);
        db.setDatabasePath(path);
        db.open();
    }

    // The ids of the rows from the cursor's position to the end.
    QList<qint64> remainingIds() {
        QList<qint64> ids;
        while (!db.Eof()) {
            ids.append(db.FieldInteger(QStringLiteral("id")));
            db.Next();
        }
        return ids;
    }

    TempDir dir;
    QString path;
    ParamDb db;
};

// ---- opening ----

struct BadFileCase {
    const char* name;
    // Makes the bad file (or not) in `dir` and gives its path.
    QString (*make)(const TempDir& dir);
};

void PrintTo(const BadFileCase& c, std::ostream* os) {
    *os << c.name;
}

class ParamDbBadFile : public ::testing::TestWithParam<BadFileCase> {};

TEST_P(ParamDbBadFile, OpenThrowsAndCreatesNothing) {
    TempDir dir;
    const QString file = GetParam().make(dir);
    const bool existed = QFileInfo::exists(file);
    const qint64 sizeBefore = QFileInfo(file).size();
    ParamDb db;
    db.setDatabasePath(file);
    try {
        db.open();
        FAIL() << "opened " << file.toStdString();
    } catch (const DbError& e) {
        EXPECT_NE(QString::fromUtf8(e.what()).indexOf(file), -1) << e.what();
    }
    EXPECT_FALSE(db.isOpen());
    EXPECT_EQ(QFileInfo::exists(file), existed);
    EXPECT_EQ(QFileInfo(file).size(), sizeBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ParamDbBadFile,
    ::testing::Values(
        BadFileCase{"Missing", [](const TempDir& d) { return d.file(QStringLiteral("none.vdb")); }},
        BadFileCase{"Text",
                    [](const TempDir& d) {
                        return d.write(QStringLiteral("text.vdb"),
                                       QByteArray(200, 'x') + "\r\nnot a database\r\n");
                    }},
        BadFileCase{"Empty",
                    [](const TempDir& d) { return d.write(QStringLiteral("empty.vdb"), {}); }},
        BadFileCase{"Directory",
                    [](const TempDir& d) {
                        QDir(d.path()).mkdir(QStringLiteral("folder.vdb"));
                        return d.file(QStringLiteral("folder.vdb"));
                    }},
        BadFileCase{"ChineseNameMissing",
                    [](const TempDir& d) { return d.file(QStringLiteral(u"参数库.vdb")); }}),
    [](const ::testing::TestParamInfo<BadFileCase>& info) { return info.param.name; });

TEST(ParamDbOpen, UnreadableFileIsAFailedOpen) {
    TempDir dir;
    const QString file = dir.file(QStringLiteral("locked.vdb"));
    writeSample(file);
    QFile::setPermissions(file, QFileDevice::Permissions());
    QFile probe(file);
    if (probe.open(QIODevice::ReadOnly)) {
        GTEST_SKIP() << "this user reads files regardless of their permissions";
    }
    ParamDb db;
    db.setDatabasePath(file);
    EXPECT_THROW(db.open(), DbError);
    EXPECT_FALSE(db.isOpen());
}

TEST(ParamDbOpen, PathIsTrimmedAndGetsTheDefaultExtension) {
    struct Case {
        QString given;
        QString expected;
    };
    const Case cases[] = {
        {QStringLiteral("  /data/velmora \t"), QStringLiteral("/data/velmora.vdb")},
        {QStringLiteral("/data/velmora.db"), QStringLiteral("/data/velmora.db")},
        {QStringLiteral("/data/v1.2/velmora"), QStringLiteral("/data/v1.2/velmora.vdb")},
        {QStringLiteral(u" 参数库 "), QStringLiteral(u"参数库.vdb")},
        {QStringLiteral("   "), QString()},
    };
    ParamDb db;
    for (const Case& c : cases) {
        db.setDatabasePath(c.given);
        EXPECT_EQ(db.databasePath(), c.expected) << c.given.toStdString();
    }
}

TEST(ParamDbOpen, OpensAChineseNamedFileGivenWithBlanksAndNoExtension) {
    TempDir dir;
    writeSample(dir.file(QStringLiteral(u"参数库.vdb")));
    ParamDb db;
    db.setDatabasePath(QStringLiteral("  ") + dir.file(QStringLiteral(u"参数库")) +
                       QStringLiteral(" "));
    db.open();
    EXPECT_TRUE(db.isOpen());
    QStringList columns;
    db.GetColumnNames(QStringLiteral(u"显卡"), columns);
    EXPECT_EQ(columns.size(), 5);
}

TEST(ParamDbOpen, NoPathIsAFailedOpen) {
    ParamDb db;
    EXPECT_THROW(db.open(), DbError);
}

TEST_F(ParamDbTest, SettingThePathClosesTheConnection) {
    ASSERT_TRUE(db.isOpen());
    db.setDatabasePath(path);
    EXPECT_FALSE(db.isOpen());
}

TEST_F(ParamDbTest, TransactionStartsOnTheReadOnlyConnection) {
    db.Execute(QStringLiteral("begin transaction"));
    // A second one is refused, which shows that the first is in effect.
    EXPECT_THROW(db.Execute(QStringLiteral("begin transaction")), DbError);
    db.RunQuery(QStringLiteral(u"SELECT 型号 FROM 显卡 WHERE id=1"));
    EXPECT_EQ(db.FieldText(QStringLiteral(u"型号")), QStringLiteral(u"GTX中国版"));
}

TEST_F(ParamDbTest, WritingIsRefused) {
    EXPECT_THROW(db.Execute(QStringLiteral(u"DELETE FROM 显卡")), DbError);
    db.RunQuery(QStringLiteral(u"SELECT count(*) AS n FROM 显卡"));
    EXPECT_EQ(db.FieldInteger(QStringLiteral("n")), 4);
}

// ---- column names ----

TEST_F(ParamDbTest, ColumnNamesInTableOrder) {
    QStringList expected = {QStringLiteral("id")};
    expected += kCardColumns;
    QStringList columns;
    db.GetColumnNames(QStringLiteral(u"显卡"), columns);
    EXPECT_EQ(columns, expected);
}

TEST_F(ParamDbTest, ColumnNamesOfATableWhoseNameHoldsADoubleQuote) {
    QStringList columns;
    db.GetColumnNames(QStringLiteral("odd\"name"), columns);
    EXPECT_EQ(columns, (QStringList{QStringLiteral("id"), QStringLiteral("x")}));
}

TEST_F(ParamDbTest, ColumnNamesOfAMissingTableAreEmpty) {
    QStringList columns = {QStringLiteral("stale")};
    db.GetColumnNames(QStringLiteral(u"主板"), columns);
    EXPECT_TRUE(columns.isEmpty());
}

TEST_F(ParamDbTest, ColumnNamesOpenTheConnection) {
    db.close();
    QStringList columns;
    db.GetColumnNames(QStringLiteral(u"多"), columns);
    EXPECT_TRUE(db.isOpen());
    EXPECT_EQ(columns, (QStringList{QStringLiteral("id"), QStringLiteral(u"型号")}));
}

TEST_F(ParamDbTest, ColumnNamesLeaveTheCurrentResult) {
    db.RunQuery(QStringLiteral(u"SELECT * FROM 多 ORDER BY id"));
    db.Next();
    QStringList columns;
    db.GetColumnNames(QStringLiteral(u"显卡"), columns);
    EXPECT_EQ(db.FieldInteger(QStringLiteral("id")), 2);
    db.Next();
    EXPECT_EQ(db.FieldText(QStringLiteral(u"型号")), QStringLiteral(u"型3"));
}

TEST(ParamDbQuote, QuoteIdentifier) {
    EXPECT_EQ(ParamDb::quoteIdentifier(QStringLiteral(u"显卡")), QStringLiteral(u"\"显卡\""));
    EXPECT_EQ(ParamDb::quoteIdentifier(QStringLiteral("a\"b\"\"")),
              QStringLiteral("\"a\"\"b\"\"\"\"\""));
    EXPECT_EQ(ParamDb::quoteIdentifier(QString()), QStringLiteral("\"\""));
}

// ---- statements and values ----

TEST_F(ParamDbTest, ReadsGbkNamesAndValues) {
    db.RunQuery(QStringLiteral(u"SELECT * FROM 显卡 WHERE id=1"));
    ASSERT_FALSE(db.Eof());
    EXPECT_EQ(db.FieldInteger(QStringLiteral("id")), 1);
    EXPECT_EQ(db.FieldText(QStringLiteral(u"型号")), QStringLiteral(u"GTX中国版"));
    EXPECT_EQ(db.FieldText(QStringLiteral(u"显存带宽【GBs】")), QStringLiteral("128"));
    EXPECT_EQ(db.FieldText(QStringLiteral(u"USBHUB接口")), QStringLiteral(u"有"));
    EXPECT_EQ(db.FieldText(QStringLiteral(u"备注")), QStringLiteral(u"说\"hi\""));
}

TEST_F(ParamDbTest, BareGbkNamesInStatements) {
    db.RunQuery(QStringLiteral(u"SELECT USBHUB接口 FROM 显卡 WHERE USBHUB接口 IS NOT NULL "
                               u"GROUP BY USBHUB接口"));
    QStringList values;
    for (; !db.Eof(); db.Next()) {
        values.append(db.FieldText(QStringLiteral(u"USBHUB接口")));
    }
    // GROUP BY sorts by the stored bytes: "" < 无 (CE DE) < 有 (D3 D0).
    EXPECT_EQ(values, (QStringList{QString(), QStringLiteral(u"无"), QStringLiteral(u"有")}));
}

TEST_F(ParamDbTest, NullReadsAsEmptyText) {
    db.RunQuery(QStringLiteral(u"SELECT * FROM 显卡 WHERE id=4"));
    EXPECT_EQ(db.FieldText(QStringLiteral(u"备注")), QString());
    EXPECT_EQ(db.FieldText(QStringLiteral(u"型号")), QStringLiteral("a"));
}

TEST_F(ParamDbTest, BoundValuesCompareExactly) {
    struct Case {
        QString column;
        QString value;
        QList<qint64> ids;
    };
    const Case cases[] = {
        // Written into the statement in double quotes this would be the column itself,
        // equal in every row.
        {QStringLiteral(u"型号"), QStringLiteral(u"型号"), {2}},
        {QStringLiteral(u"备注"), QStringLiteral(u"说\"hi\""), {1}},
        {QStringLiteral(u"型号"), QStringLiteral(u"GTX中国版"), {1}},
        {QStringLiteral(u"型号"), QStringLiteral(u"gtx中国版"), {}},
        // The empty value is the empty text, not NULL.
        {QStringLiteral(u"USBHUB接口"), QString(), {2}},
        {QStringLiteral(u"型号"), QStringLiteral(u"丄"), {3}},
    };
    for (const Case& c : cases) {
        db.RunQuery(QStringLiteral(u"SELECT id FROM 显卡 WHERE %1 = ? ORDER BY id").arg(c.column),
                    {c.value});
        EXPECT_EQ(remainingIds(), c.ids) << c.value.toStdString();
    }
}

TEST_F(ParamDbTest, WrongNumberOfValuesIsAnError) {
    EXPECT_THROW(db.RunQuery(QStringLiteral("SELECT ?, ? AS v"), {QStringLiteral("a")}), DbError);
    EXPECT_THROW(db.RunQuery(QStringLiteral("SELECT 1 AS v"), {QStringLiteral("a")}), DbError);
    EXPECT_TRUE(db.Eof());
}

TEST_F(ParamDbTest, EngineErrorCarriesItsMessageAndEmptiesTheResult) {
    db.RunQuery(QStringLiteral(u"SELECT * FROM 显卡"));
    ASSERT_FALSE(db.Eof());
    try {
        db.RunQuery(QStringLiteral(u"SELECT * FROM 主板"));
        FAIL() << "no error";
    } catch (const DbError& e) {
        EXPECT_NE(QString::fromUtf8(e.what()).indexOf(QStringLiteral(u"no such table: 主板")), -1)
            << e.what();
    }
    EXPECT_TRUE(db.Eof());
    EXPECT_EQ(db.RecordCount(), 0);
}

TEST_F(ParamDbTest, StatementsThatCannotBeRun) {
    struct Case {
        const char* name;
        QString sql;
        QString message; // part of the error's text
    };
    const Case cases[] = {
        {"NotGbk", QStringLiteral(u"SELECT '😀' AS v"), QStringLiteral("U+1F600")},
        {"NotGbkValue", QStringLiteral(u"SELECT * FROM 显卡 WHERE 型号 = '한'"),
         QStringLiteral("U+D55C")},
        {"TwoStatements", QStringLiteral("SELECT 1 AS v; SELECT 2 AS v"),
         QStringLiteral("one statement")},
        {"Empty", QStringLiteral(" ; "), QStringLiteral("empty")},
        {"Syntax", QStringLiteral("SELEC 1"), QStringLiteral("syntax error")},
    };
    for (const Case& c : cases) {
        db.RunQuery(QStringLiteral(u"SELECT * FROM 多"));
        try {
            db.RunQuery(c.sql);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const DbError& e) {
            EXPECT_NE(QString::fromUtf8(e.what()).indexOf(c.message), -1)
                << c.name << ": " << e.what();
        }
        EXPECT_TRUE(db.Eof()) << c.name;
    }
}

TEST_F(ParamDbTest, TrailingSemicolonAndCommentAreFine) {
    db.RunQuery(QStringLiteral("SELECT 7 AS v; -- the end\n"));
    EXPECT_EQ(db.FieldInteger(QStringLiteral("v")), 7);
}

TEST_F(ParamDbTest, ValueNotEncodableAsGbkIsAnError) {
    EXPECT_THROW(db.RunQuery(QStringLiteral("SELECT ? AS v"), {QStringLiteral(u"😀")}), DbError);
    EXPECT_TRUE(db.Eof());
}

// ---- rows ----

TEST_F(ParamDbTest, RowsCountAndWalk) {
    for (int n : {0, 1, 5}) {
        db.RunQuery(QStringLiteral(u"SELECT * FROM 多 WHERE id <= %1 ORDER BY id").arg(n));
        EXPECT_EQ(db.Eof(), n == 0) << n;
        EXPECT_EQ(db.RecordCount(), n);
        QList<qint64> expected;
        for (int id = 1; id <= n; ++id) {
            expected.append(id);
        }
        EXPECT_EQ(remainingIds(), expected);
        // Behind the last row: empty values, and Next stays there.
        EXPECT_TRUE(db.Eof());
        EXPECT_EQ(db.FieldText(QStringLiteral(u"型号")), QString());
        EXPECT_EQ(db.FieldInteger(QStringLiteral("id")), 0);
        db.Next();
        EXPECT_TRUE(db.Eof());
        EXPECT_EQ(db.RecordCount(), n);
    }
}

TEST_F(ParamDbTest, CountingInTheMiddleKeepsTheCursor) {
    db.RunQuery(QStringLiteral(u"SELECT * FROM 多 ORDER BY id"));
    db.Next();
    db.Next();
    EXPECT_EQ(db.RecordCount(), 5);
    EXPECT_EQ(db.FieldText(QStringLiteral(u"型号")), QStringLiteral(u"型3"));
    EXPECT_EQ(db.RecordCount(), 5);
    EXPECT_EQ(remainingIds(), (QList<qint64>{3, 4, 5}));
}

TEST_F(ParamDbTest, NewQueryReplacesTheResult) {
    db.RunQuery(QStringLiteral(u"SELECT * FROM 多 ORDER BY id"));
    db.RunQuery(QStringLiteral(u"SELECT id FROM 显卡 WHERE id=3"));
    EXPECT_EQ(db.RecordCount(), 1);
    EXPECT_EQ(remainingIds(), (QList<qint64>{3}));
    EXPECT_THROW(db.FieldText(QStringLiteral(u"型号")), DbError);
}

// Counts its calls, so a test sees how many rows the engine has produced.
void countRows(sqlite3_context* context, int, sqlite3_value** argv) {
    ++*static_cast<int*>(sqlite3_user_data(context));
    sqlite3_result_value(context, argv[0]);
}

TEST(ParamDbLazy, RowsAreReadOnlyWhenReached) {
    TempDir dir;
    const QString file = dir.file(QStringLiteral("big.vdb"));
    {
        VdbWriter w(file);
        w.createTable(QStringLiteral(u"大"), {QStringLiteral(u"型号")});
        for (int id = 1; id <= 10000; ++id) {
            w.insertRow(QStringLiteral(u"大"), id, {QStringLiteral(u"型号%1").arg(id)});
        }
    }
    ParamDb db;
    db.setDatabasePath(file);
    db.open();
    int produced = 0;
    ASSERT_EQ(sqlite3_create_function(db.handle(), "counted", 1, SQLITE_UTF8, &produced, countRows,
                                      nullptr, nullptr),
              SQLITE_OK);
    db.RunQuery(QStringLiteral(u"SELECT counted(id) AS id, * FROM 大"));
    EXPECT_EQ(db.FieldText(QStringLiteral(u"型号")), QStringLiteral(u"型号1"));
    EXPECT_EQ(produced, 1);
    db.Next();
    EXPECT_EQ(produced, 2);
    EXPECT_EQ(db.RecordCount(), 10000);
    EXPECT_EQ(produced, 10000);
    EXPECT_EQ(db.FieldText(QStringLiteral(u"型号")), QStringLiteral(u"型号2"));
    const QList<qint64> ids = [&] {
        QList<qint64> all;
        for (; !db.Eof(); db.Next()) {
            all.append(db.FieldInteger(QStringLiteral("id")));
        }
        return all;
    }();
    ASSERT_EQ(ids.size(), 9999);
    EXPECT_EQ(ids.front(), 2);
    EXPECT_EQ(ids.back(), 10000);
}

// Fails on the row whose argument is 3, to make a statement fail half way.
void failOnThree(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_int(argv[0]) == 3) {
        sqlite3_result_error(context, "row three is broken", -1);
        return;
    }
    sqlite3_result_value(context, argv[0]);
}

TEST_F(ParamDbTest, FailureHalfWayIsAnErrorAndEndsTheResult) {
    ASSERT_EQ(sqlite3_create_function(db.handle(), "fail3", 1, SQLITE_UTF8, nullptr, failOnThree,
                                      nullptr, nullptr),
              SQLITE_OK);
    const QString sql = QStringLiteral(u"SELECT fail3(id) AS id FROM 多");
    db.RunQuery(sql);
    db.Next();
    EXPECT_EQ(db.FieldInteger(QStringLiteral("id")), 2);
    try {
        db.Next();
        ADD_FAILURE() << "no error";
    } catch (const DbError& e) {
        EXPECT_STREQ(e.what(), "row three is broken");
    }
    EXPECT_TRUE(db.Eof());

    db.RunQuery(sql);
    EXPECT_THROW(db.RecordCount(), DbError);
    EXPECT_TRUE(db.Eof());
}

// ---- looking up result columns ----

TEST_F(ParamDbTest, ColumnLookup) {
    db.RunQuery(QStringLiteral(u"SELECT 'a' AS Name, 'b' AS name, 'c' AS 型号, 'd' AS 型号"));
    struct Case {
        QString column;
        QString value;
    };
    const Case cases[] = {
        {QStringLiteral("Name"), QStringLiteral("a")},
        {QStringLiteral("name"), QStringLiteral("b")},
        {QStringLiteral("NAME"), QStringLiteral("a")}, // no exact match: the first by case
        {QStringLiteral(u"型号"), QStringLiteral("c")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(db.FieldText(c.column), c.value) << c.column.toStdString();
    }
}

TEST_F(ParamDbTest, UnknownColumnThrows) {
    db.RunQuery(QStringLiteral(u"SELECT id, 型号 FROM 显卡"));
    for (const QString& column : {QStringLiteral(u"备注"), QStringLiteral(u"型号 "),
                                  QStringLiteral(""), QStringLiteral("ID2")}) {
        EXPECT_THROW(db.FieldText(column), DbError) << column.toStdString();
        EXPECT_THROW(db.FieldInteger(column), DbError) << column.toStdString();
    }
    // Also when there are no rows: the name is wrong all the same.
    db.RunQuery(QStringLiteral(u"SELECT id FROM 显卡 WHERE id=99"));
    EXPECT_THROW(db.FieldText(QStringLiteral(u"型号")), DbError);
}

TEST_F(ParamDbTest, FieldIntegerOfText) {
    struct Case {
        QString value;
        qint64 expected; // ignored when `throws`
        bool throws;
    };
    const Case cases[] = {
        {QStringLiteral("42"), 42, false},
        {QStringLiteral(" -7 "), -7, false},
        {QStringLiteral("+3"), 3, false},
        {QString(), 0, false},
        {QStringLiteral("9223372036854775807"), 9223372036854775807LL, false},
        {QStringLiteral("12.5"), 0, true},
        {QStringLiteral("abc"), 0, true},
        {QStringLiteral("12abc"), 0, true},
        {QStringLiteral("99999999999999999999"), 0, true},
        {QStringLiteral(u"１２"), 0, true},
    };
    for (const Case& c : cases) {
        db.RunQuery(QStringLiteral("SELECT ? AS v"), {c.value});
        if (c.throws) {
            EXPECT_THROW(db.FieldInteger(QStringLiteral("v")), DbError) << c.value.toStdString();
        } else {
            EXPECT_EQ(db.FieldInteger(QStringLiteral("v")), c.expected) << c.value.toStdString();
        }
    }
    db.RunQuery(QStringLiteral("SELECT NULL AS v, 17 AS n"));
    EXPECT_EQ(db.FieldInteger(QStringLiteral("v")), 0);
    EXPECT_EQ(db.FieldInteger(QStringLiteral("n")), 17);
}

// ---- like ----

struct LikeCase {
    const char* name;
    QString text;
    QString pattern;
    QString escape; // none when null
    bool matches;
};

void PrintTo(const LikeCase& c, std::ostream* os) {
    *os << c.name;
}

class ParamDbLike : public ParamDbTest, public ::testing::WithParamInterface<LikeCase> {};

TEST_P(ParamDbLike, MatchesGbkCharacters) {
    const LikeCase& c = GetParam();
    if (c.escape.isNull()) {
        db.RunQuery(QStringLiteral("SELECT ? LIKE ? AS m"), {c.text, c.pattern});
    } else {
        db.RunQuery(QStringLiteral("SELECT ? LIKE ? ESCAPE ? AS m"), {c.text, c.pattern, c.escape});
    }
    EXPECT_EQ(db.FieldInteger(QStringLiteral("m")), c.matches ? 1 : 0);
}

QString bytes(const char* gbkBytes) {
    return gbk::decode(QByteArray(gbkBytes));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParamDbLike,
    ::testing::Values(
        LikeCase{"FirstCharacter", QStringLiteral(u"中国"), QStringLiteral(u"%中%"), {}, true},
        LikeCase{"SecondCharacter", QStringLiteral(u"中国"), QStringLiteral(u"%国%"), {}, true},
        LikeCase{"WholeTextOnly", QStringLiteral(u"中国"), QStringLiteral(u"中"), {}, false},
        LikeCase{
            "NotAcrossCharacters", QStringLiteral(u"怪行"), QStringLiteral(u"%中%"), {}, false},
        LikeCase{"AsciiNotInsideGbk", QStringLiteral(u"丄"), QStringLiteral("%A%"), {}, false},
        LikeCase{"AsciiNotInsideGbkLower", QStringLiteral(u"丄"), QStringLiteral("%a%"), {}, false},
        LikeCase{"OneAfterGbk", QStringLiteral(u"丄"), QStringLiteral("_A"), {}, false},
        LikeCase{"LowerFindsUpper", QStringLiteral("A"), QStringLiteral("a"), {}, true},
        LikeCase{"UpperFindsLower", QStringLiteral("xay"), QStringLiteral("%A%"), {}, true},
        LikeCase{"CaseOfColumnForm",
                 QStringLiteral(u"显存带宽【GBs】"),
                 QStringLiteral("%gbs%"),
                 {},
                 true},
        LikeCase{"OneChinese", QStringLiteral(u"中"), QStringLiteral("_"), {}, true},
        LikeCase{"OneIsNotTwo", QStringLiteral(u"中国"), QStringLiteral("_"), {}, false},
        LikeCase{"TwoChinese", QStringLiteral(u"中国"), QStringLiteral("__"), {}, true},
        LikeCase{"ThreeIsTooMany", QStringLiteral(u"中国"), QStringLiteral("___"), {}, false},
        LikeCase{"OneAfterLiteral", QStringLiteral(u"中国"), QStringLiteral(u"中_"), {}, true},
        LikeCase{"OneOnBadByte", bytes("\xFF"), QStringLiteral("_"), {}, true},
        LikeCase{"RunMatchesEmpty", QString(), QStringLiteral("%"), {}, true},
        LikeCase{"OneNeedsACharacter", QString(), QStringLiteral("_"), {}, false},
        LikeCase{"EmptyMatchesEmpty", QString(), QString(), {}, true},
        LikeCase{"Mixed", QStringLiteral(u"GTX中国版"), QStringLiteral(u"gtx%国_"), {}, true},
        LikeCase{
            "MixedNoMatch", QStringLiteral(u"GTX中国版本"), QStringLiteral(u"gtx%国_"), {}, false},
        LikeCase{"DegreeInBrackets",
                 QStringLiteral(u"工作温度【度】"),
                 QStringLiteral(u"%【度%"),
                 {},
                 true},
        LikeCase{
            "Backtracks", QStringLiteral(u"中中国中国"), QStringLiteral(u"%中国_国"), {}, true},
        LikeCase{"EscapedRun", QStringLiteral("100%"), QStringLiteral("100!%"), QStringLiteral("!"),
                 true},
        LikeCase{"EscapedRunIsLiteral", QStringLiteral("1000"), QStringLiteral("100!%"),
                 QStringLiteral("!"), false},
        LikeCase{"EscapedOne", QStringLiteral("a_b"), QStringLiteral("a!_b"), QStringLiteral("!"),
                 true},
        LikeCase{"EscapedOneIsLiteral", QStringLiteral("axb"), QStringLiteral("a!_b"),
                 QStringLiteral("!"), false},
        LikeCase{"EscapeIsChinese", QStringLiteral("x%"), QStringLiteral(u"x中%"),
                 QStringLiteral(u"中"), true},
        LikeCase{"ChineseEscapeIsLiteral", QStringLiteral("xy"), QStringLiteral(u"x中%"),
                 QStringLiteral(u"中"), false},
        LikeCase{"EscapedEscape", QStringLiteral(u"a中"), QStringLiteral(u"a中中"),
                 QStringLiteral(u"中"), true},
        LikeCase{"EscapeAtEnd", QStringLiteral("a"), QStringLiteral("a!"), QStringLiteral("!"),
                 false},
        LikeCase{"EscapeIsRunSign", QStringLiteral("a%"), QStringLiteral("a%%"),
                 QStringLiteral("%"), true},
        LikeCase{"EscapeIsRunSignNoRun", QStringLiteral("ab"), QStringLiteral("a%%"),
                 QStringLiteral("%"), false}),
    [](const ::testing::TestParamInfo<LikeCase>& info) { return info.param.name; });

TEST_F(ParamDbTest, LikeWithNullGivesNull) {
    for (const char* sql :
         {"SELECT (NULL LIKE 'a') IS NULL AS m", "SELECT ('a' LIKE NULL) IS NULL AS m",
          "SELECT ('a' LIKE 'a' ESCAPE NULL) IS NULL AS m"}) {
        db.RunQuery(QString::fromLatin1(sql));
        EXPECT_EQ(db.FieldInteger(QStringLiteral("m")), 1) << sql;
    }
}

TEST_F(ParamDbTest, LikeEscapeMustBeOneCharacter) {
    for (const QString& escape : {QStringLiteral("!!"), QString(), QStringLiteral(u"中国")}) {
        try {
            db.RunQuery(QStringLiteral("SELECT 'a' LIKE 'a' ESCAPE ? AS m"), {escape});
            ADD_FAILURE() << "no error for " << escape.toStdString();
        } catch (const DbError& e) {
            EXPECT_NE(std::string(e.what()).find("ESCAPE"), std::string::npos) << e.what();
        }
    }
}

TEST_F(ParamDbTest, LikeTakesNoExponentialTime) {
    // Each `%` would multiply the work of a matcher that tries every split.
    const QString text(20000, QLatin1Char('a'));
    db.RunQuery(QStringLiteral("SELECT ? LIKE ? AS m"),
                {text, QStringLiteral("%a%a%a%a%a%a%a%a%a%a%a%a%b")});
    EXPECT_EQ(db.FieldInteger(QStringLiteral("m")), 0);
}

TEST_F(ParamDbTest, KeywordSearchOverColumns) {
    struct Case {
        QString keyword;
        QList<qint64> ids;
    };
    const Case cases[] = {
        {QStringLiteral(u"中"), {1}},  {QStringLiteral(u"国"), {1}},
        {QStringLiteral("A"), {4}}, // not 丄 (81 41), but "a"
        {QStringLiteral("HI"), {1}},   {QStringLiteral(u"号"), {2}},
        {QStringLiteral(u"主板"), {}},
    };
    for (const Case& c : cases) {
        db.RunQuery(
            QStringLiteral(u"SELECT id, 型号 FROM 显卡 WHERE 型号 like \"%%1%\" OR 备注 like "
                           u"\"%%1%\" ORDER BY id")
                .arg(c.keyword));
        EXPECT_EQ(remainingIds(), c.ids) << c.keyword.toStdString();
    }
}

} // namespace
