// The written files as the program reads them: the category file's bytes and the
// database read back straight through the engine.
#include "GbkCodec.h"
#include "SampleDataWriter.h"
#include "SqliteReader.h"
#include "TempDir.h"

#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

#include <memory>

namespace {

QByteArray gbkOf(const char* utf8) {
    return gbk::encode(QString::fromUtf8(utf8));
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// True when `bytes` is GBK text that decodes without a byte left over.
bool isCleanGbk(const QByteArray& bytes) {
    const QString text = gbk::decode(bytes);
    for (QChar c : text) {
        if (c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF) {
            return false;
        }
    }
    return gbk::encode(text) == bytes;
}

bool isAscii(const QByteArray& bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

QString writeSet(const TempDir& dir, const CatalogueOptions& options) {
    writeSampleData(SampleCatalogue(options), dir.path());
    return dir.path();
}

QList<QByteArray> leavesOf(const QByteArray& categoryFile) {
    QList<QByteArray> leaves;
    for (const QByteArray& line : categoryFile.split('\n')) {
        if (line.startsWith('\t')) {
            leaves.append(line.mid(1).chopped(1)); // without TAB and CR
        }
    }
    return leaves;
}

QByteArray bare(const QByteArray& table, const QByteArray& column, const QByteArray& where) {
    return "SELECT " + column + " FROM " + table + where + " GROUP BY " + column;
}

// The default set, written once for the suite.
class SampleDataFilesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<TempDir>();
        writeSet(*dir_, {});
        db_ = std::make_unique<SqliteReader>(dir_->file(kDatabaseFileName));
    }
    static void TearDownTestSuite() {
        db_.reset();
        dir_.reset();
    }

    static QByteArray categoryFile() { return readAll(dir_->file(kCategoryFileName)); }
    static QList<QByteArray> columnNames(const QByteArray& table) {
        QList<QByteArray> names;
        for (const QList<QByteArray>& column : db_->columns(table)) {
            names.append(column[0]);
        }
        return names;
    }

    static std::unique_ptr<TempDir> dir_;
    static std::unique_ptr<SqliteReader> db_;
};

std::unique_ptr<TempDir> SampleDataFilesTest::dir_;
std::unique_ptr<SqliteReader> SampleDataFilesTest::db_;

TEST_F(SampleDataFilesTest, CategoryFileIsATwoLevelGbkTreeWithCrLf) {
    const QByteArray bytes = categoryFile();
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    ASSERT_TRUE(isCleanGbk(bytes));
    const QList<QByteArray> lines = bytes.chopped(1).split('\n');
    int groups = 0;
    int leaves = 0;
    bool groupHasLeaf = true;
    for (const QByteArray& withCr : lines) {
        ASSERT_TRUE(withCr.endsWith('\r')) << "a line not ended by CR LF";
        const QByteArray line = withCr.chopped(1);
        ASSERT_FALSE(line.contains('\r'));
        ASSERT_FALSE(line.isEmpty());
        if (line[0] == '\t') {
            ASSERT_GT(groups, 0) << "a kind before the first group";
            ASSERT_FALSE(line[1] == '\t' || line[1] == ' ') << "a kind deeper than one level";
            ++leaves;
            groupHasLeaf = true;
        } else {
            ASSERT_NE(line[0], ' ');
            EXPECT_TRUE(groupHasLeaf) << "a group without kinds";
            ++groups;
            groupHasLeaf = false;
        }
    }
    EXPECT_TRUE(groupHasLeaf);
    EXPECT_GE(groups, 3);
    EXPECT_GE(leaves, 12);
}

TEST_F(SampleDataFilesTest, EveryKindIsATableInTheProgramsLayout) {
    const QList<QByteArray> leaves = leavesOf(categoryFile());
    const QList<QByteArray> tables = db_->tables();
    EXPECT_EQ(QSet<QByteArray>(leaves.begin(), leaves.end()),
              QSet<QByteArray>(tables.begin(), tables.end()));
    for (const QByteArray& table : leaves) {
        const std::string name = gbk::decode(table).toStdString();
        const QList<QList<QByteArray>> columns = db_->columns(table);
        ASSERT_GE(columns.size(), 3) << name;
        EXPECT_EQ(columns[0], (QList<QByteArray>{"id", "INTEGER"})) << name;
        EXPECT_TRUE(columns[1][0] == gbkOf("品牌") || columns[1][0] == gbkOf("系列")) << name;
        EXPECT_EQ(columns[2][0], gbkOf("型号")) << name;
        EXPECT_GE(columns.size(), 16) << name;
        EXPECT_LE(columns.size(), 41) << name;

        const QList<QList<QByteArray>> ids = db_->rows("SELECT id FROM \"" + table + "\"");
        EXPECT_GE(ids.size(), 30) << name;
        EXPECT_LE(ids.size(), 300) << name;
        for (qsizetype i = 0; i < ids.size(); ++i) {
            ASSERT_EQ(ids[i][0].toLongLong(), i + 1) << name;
        }
    }
}

TEST_F(SampleDataFilesTest, NamesAndValuesAreNonEmptyGbkText) {
    for (const QByteArray& table : db_->tables()) {
        const std::string name = gbk::decode(table).toStdString();
        EXPECT_TRUE(isCleanGbk(table)) << name;
        const QList<QByteArray> columns = columnNames(table);
        for (const QByteArray& column : columns.mid(1)) {
            EXPECT_TRUE(isCleanGbk(column)) << name;
            const QByteArray bad = "SELECT count(*) FROM \"" + table + "\" WHERE typeof(\"" +
                                   column + "\")<>'text' OR \"" + column + "\"=''";
            EXPECT_EQ(db_->rows(bad)[0][0], "0")
                << name << " " << gbk::decode(column).toStdString();
        }
        for (const QList<QByteArray>& row : db_->rows("SELECT * FROM \"" + table + "\"")) {
            for (const QByteArray& value : row) {
                ASSERT_TRUE(isCleanGbk(value)) << name;
            }
        }
    }
}

TEST_F(SampleDataFilesTest, ColumnNamesAreInTheStoredForm) {
    QSet<QString> names;
    for (const QByteArray& table : db_->tables()) {
        for (const QByteArray& column : columnNames(table)) {
            names.insert(gbk::decode(column));
        }
    }
    for (const char* expected : {"显存带宽【GBs】", "读取速度【MBs】", "写入速度【MBs】",
                                 "工作温度【度】", "尺寸【英寸】"}) {
        EXPECT_TRUE(names.contains(QString::fromUtf8(expected))) << expected;
    }
    bool usbHub = false;
    for (const QString& name : names) {
        usbHub = usbHub || name.contains(QStringLiteral("USBHUB"));
        for (const char* displayOnly : {"(", ")", "/", "-", "℃", " "}) {
            EXPECT_FALSE(name.contains(QString::fromUtf8(displayOnly))) << name.toStdString();
        }
    }
    EXPECT_TRUE(usbHub);
}

// The program writes names bare into its statements and values between double quotes.
TEST_F(SampleDataFilesTest, TheProgramsStatementsTakeEveryNameBare) {
    for (const QByteArray& table : db_->tables()) {
        const QList<QByteArray> columns = columnNames(table);
        for (const QByteArray& column : columns.mid(1)) {
            EXPECT_FALSE(db_->rows(bare(table, column, "")).isEmpty())
                << gbk::decode(column).toStdString();
        }
        for (const QList<QByteArray>& first : db_->rows(bare(table, columns[1], ""))) {
            const QByteArray where = " WHERE " + columns[1] + "=\"" + first[0] + "\"";
            EXPECT_FALSE(db_->rows(bare(table, columns[2], where)).isEmpty())
                << gbk::decode(first[0]).toStdString();
        }
    }
}

TEST_F(SampleDataFilesTest, ValuesRepeatSoTheCascadeRunsSeveralLevels) {
    for (const QByteArray& table : db_->tables()) {
        const std::string name = gbk::decode(table).toStdString();
        const QList<QByteArray> c = columnNames(table);
        const QByteArray t = "\"" + table + "\"";
        const auto count = [&](const QByteArray& what) {
            return db_->rows("SELECT count(" + what + ") FROM " + t)[0][0].toInt();
        };
        const int rows = count("*");
        const int firstValues = count("DISTINCT " + c[1]);
        EXPECT_GE(firstValues, 3) << name;
        EXPECT_LE(firstValues, 8) << name;
        const int models = count("DISTINCT " + c[2]);
        EXPECT_LT(models, rows) << name << ": no model comes in variants";
        EXPECT_GT(models * 3, rows * 2) << name << ": models are mostly unique";
        for (const QByteArray& column : c.mid(3)) {
            EXPECT_LE(count("DISTINCT " + column), 10) << name;
        }
        // A maker and model with several values in column 3 gives a third drop-down.
        const QByteArray deeper = "SELECT count(*) FROM (SELECT 1 FROM " + t + " GROUP BY " + c[1] +
                                  ", " + c[2] + " HAVING count(DISTINCT " + c[3] + ")>1)";
        EXPECT_GT(db_->rows(deeper)[0][0].toInt(), 0) << name;
    }
}

TEST_F(SampleDataFilesTest, SomeValuesAreAwkwardForPagesAndStatements) {
    bool quote = false, ampersand = false, less = false, spacedChinese = false, columnName = false;
    for (const QByteArray& table : db_->tables()) {
        const QList<QByteArray> columns = columnNames(table);
        const QSet<QByteArray> names(columns.begin(), columns.end());
        for (const QList<QByteArray>& row : db_->rows("SELECT * FROM \"" + table + "\"")) {
            for (const QByteArray& value : row.mid(1)) {
                quote = quote || value.contains('"');
                ampersand = ampersand || value.contains('&');
                less = less || value.contains('<');
                columnName = columnName || names.contains(value);
                spacedChinese = spacedChinese || (value.contains(' ') && !isAscii(value));
            }
        }
    }
    EXPECT_TRUE(quote);
    EXPECT_TRUE(ampersand);
    EXPECT_TRUE(less);
    EXPECT_TRUE(columnName);
    EXPECT_TRUE(spacedChinese);
}

TEST(SampleDataWriteTest, TheSameOptionsGiveTheSameBytes) {
    const TempDir first;
    const TempDir second;
    const CatalogueOptions options{16, 40, 20};
    writeSet(first, options);
    writeSet(second, options);
    for (const char* file : {kCategoryFileName, kDatabaseFileName}) {
        const QByteArray bytes = readAll(first.file(file));
        EXPECT_FALSE(bytes.isEmpty()) << file;
        EXPECT_EQ(bytes, readAll(second.file(file))) << file;
    }
}

TEST(SampleDataWriteTest, SizeOptionsAreHonoured) {
    const CatalogueOptions cases[] = {{3, 5, 4}, {16, 7, 45}, {1, 1, 2}};
    for (const CatalogueOptions& options : cases) {
        const TempDir dir;
        writeSet(dir, options);
        EXPECT_FALSE(QFile::exists(dir.file(QString(kDatabaseFileName) + ".part")));
        const QList<QByteArray> leaves = leavesOf(readAll(dir.file(kCategoryFileName)));
        ASSERT_EQ(leaves.size(), options.kinds);
        const SqliteReader db(dir.file(kDatabaseFileName));
        for (const QByteArray& table : leaves) {
            EXPECT_EQ(db.columns(table).size(), options.params + 1);
            EXPECT_EQ(db.rows("SELECT count(*) FROM \"" + table + "\"")[0][0].toInt(),
                      options.products);
        }
    }
}

} // namespace
