#include "CategoryFile.h"

#include "GbkCodec.h"
#include "TempDir.h"
#include "VdbWriter.h"

#include <QDir>
#include <QTreeWidget>
#include <QTreeWidgetItem>

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

void PrintTo(const CategoryLine& line, std::ostream* out) {
    *out << "{" << line.level << ", ";
    PrintTo(line.text, out);
    *out << "}";
}

namespace {

// Table cases show their names in failure messages.
template <typename Case>
requires requires(const Case& c) {
    c.name;
}
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

const QString kPlaceholder = QStringLiteral("正在初始化列表...");

// GBK bytes of UTF-8 source text.
QByteArray gbkOf(const char* utf8) {
    return gbk::encode(QString::fromUtf8(utf8));
}

CategoryLine line(int level, const char* utf8) {
    return {level, QString::fromUtf8(utf8)};
}

QStringList texts(std::initializer_list<const char*> utf8) {
    QStringList list;
    for (const char* text : utf8) {
        list.append(QString::fromUtf8(text));
    }
    return list;
}

// The tree in preorder, one element per entry: its text behind one '>' per depth.
void addShape(const QTreeWidgetItem* item, const QString& prefix, QStringList& shape) {
    shape.append(prefix + item->text(0));
    for (int i = 0; i < item->childCount(); ++i) {
        addShape(item->child(i), prefix + u'>', shape);
    }
}

QStringList shapeOf(const QTreeWidget& tree) {
    QStringList shape;
    for (int i = 0; i < tree.topLevelItemCount(); ++i) {
        addShape(tree.topLevelItem(i), QString(), shape);
    }
    return shape;
}

// A one-column tree showing the entry it has before the category file is loaded.
class CategoryTreeTest : public ::testing::Test {
protected:
    CategoryTreeTest() {
        tree.setColumnCount(1);
        new QTreeWidgetItem(&tree, QStringList{kPlaceholder});
    }

    QTreeWidget tree;
};

// --- Splitting the text into lines ---

struct SplitCase {
    const char* name;
    QByteArray bytes;
    QList<CategoryLine> lines;
};

class SplitCategoryText : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitCategoryText, GivesLevelsAndTexts) {
    EXPECT_EQ(splitCategoryText(GetParam().bytes), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitCategoryText,
    ::testing::Values(
        SplitCase{"CrLf", "A\r\n\tB\r\n", {line(0, "A"), line(1, "B")}},
        SplitCase{"Lf", "A\n\tB\n", {line(0, "A"), line(1, "B")}},
        SplitCase{"Cr", "A\r\tB\r", {line(0, "A"), line(1, "B")}},
        SplitCase{
            "MixedEnds", "A\r\nB\nC\rD", {line(0, "A"), line(0, "B"), line(0, "C"), line(0, "D")}},
        SplitCase{"CrBeforeCrLf", "A\r\r\nB", {line(0, "A"), line(0, ""), line(0, "B")}},
        SplitCase{"LfBeforeCr", "A\n\rB", {line(0, "A"), line(0, ""), line(0, "B")}},
        SplitCase{"NoFinalLineEnd", "A\n\tB", {line(0, "A"), line(1, "B")}},
        SplitCase{"EmptyText", "", {}}, SplitCase{"OnlyLineEnd", "\r\n", {line(0, "")}},
        SplitCase{"EmptyLastLine", "A\n\n", {line(0, "A"), line(0, "")}},
        SplitCase{"EmptyMiddleLine", "A\r\n\r\nB", {line(0, "A"), line(0, ""), line(0, "B")}},
        SplitCase{"NulEndsText", QByteArray("A\nB\0\nC\n", 7), {line(0, "A"), line(0, "B")}},
        SplitCase{"NulFirst", QByteArray("\0A\n", 3), {}},
        SplitCase{"NulBetweenCrAndLf", QByteArray("A\r\0\nB", 6), {line(0, "A")}},
        SplitCase{"TrailingSpacesKept", "A  \n\tB \t\n", {line(0, "A  "), line(1, "B \t")}},
        SplitCase{"InnerBlanksKept", "\tA\tB C", {line(1, "A\tB C")}},
        SplitCase{"TabsAndSpacesMixed", " \t \tX", {line(4, "X")}},
        SplitCase{"BlanksOnly", "  \t\n", {line(3, "")}},
        SplitCase{
            "Gbk", gbkOf("显卡\r\n\t独立 显卡\r\n"), {line(0, "显卡"), line(1, "独立 显卡")}}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return info.param.name; });

TEST(SplitCategoryText, KeepsByteOrderMarkInFirstText) {
    const QByteArray bytes = "\xEF\xBB\xBF\tA\nB";
    const QList<CategoryLine> lines = splitCategoryText(bytes);
    ASSERT_EQ(lines.size(), 2);
    // The mark's bytes are not indentation, so the TAB after them is part of the text.
    EXPECT_EQ(lines[0].level, 0);
    EXPECT_EQ(lines[0].text, gbk::decode(QByteArray("\xEF\xBB\xBF\tA")));
    EXPECT_TRUE(lines[0].text.endsWith(QStringLiteral("\tA")));
    EXPECT_EQ(lines[1], line(0, "B"));
}

TEST(SplitCategoryText, LineEndEndsAnIncompleteCharacter) {
    // 0xB5 starts a two-byte character, but a line end is never its second byte.
    const QList<CategoryLine> lines = splitCategoryText("\xB5\n\tB");
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].text, gbk::decode(QByteArray("\xB5")));
    EXPECT_EQ(lines[1], line(1, "B"));
}

// --- Reading the file ---

TEST(ReadCategoryFile, ReadsGbkLines) {
    TempDir dir;
    const QString path = dir.write("class.lst", gbkOf("显卡\r\n\t独立显卡\r\n"));
    EXPECT_EQ(readCategoryFile(path), (QList<CategoryLine>{line(0, "显卡"), line(1, "独立显卡")}));
}

struct UnreadableCase {
    const char* name;
    bool makeFolder; // the path names a folder instead of a missing file
};

class UnreadableCategoryFile : public CategoryTreeTest,
                               public ::testing::WithParamInterface<UnreadableCase> {
protected:
    QString unreadablePath() const {
        const QString path = dir.file(QStringLiteral("class.lst"));
        if (GetParam().makeFolder && !QDir().mkdir(path)) {
            throw std::runtime_error("cannot make folder " + path.toStdString());
        }
        return path;
    }

    TempDir dir;
};

TEST_P(UnreadableCategoryFile, ReadThrowsNamingTheFile) {
    const QString path = unreadablePath();
    try {
        readCategoryFile(path);
        FAIL() << "no error for " << path.toStdString();
    } catch (const CategoryFileError& error) {
        EXPECT_TRUE(QString::fromUtf8(error.what()).contains(path)) << error.what();
    }
}

TEST_P(UnreadableCategoryFile, LoadLeavesTheTreeAlone) {
    EXPECT_THROW(loadCategoryTree(&tree, unreadablePath()), CategoryFileError);
    EXPECT_EQ(shapeOf(tree), QStringList{kPlaceholder});
}

INSTANTIATE_TEST_SUITE_P(Cases, UnreadableCategoryFile,
                         ::testing::Values(UnreadableCase{"Missing", false},
                                           UnreadableCase{"Folder", true}),
                         [](const ::testing::TestParamInfo<UnreadableCase>& info) {
                             return info.param.name;
                         });

// --- Building the tree ---

struct TreeCase {
    const char* name;
    QByteArray bytes;
    QStringList shape; // preorder, '>' per depth
    QStringList leaves;
};

class FillCategoryTree : public CategoryTreeTest, public ::testing::WithParamInterface<TreeCase> {};

TEST_P(FillCategoryTree, ReplacesEntriesWithTheLines) {
    fillCategoryTree(&tree, splitCategoryText(GetParam().bytes));
    EXPECT_EQ(shapeOf(tree), GetParam().shape);
    EXPECT_EQ(leafTexts(&tree), GetParam().leaves);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FillCategoryTree,
    ::testing::Values(
        TreeCase{"Children", "A\n\tB\n\tC", texts({"A", ">B", ">C"}), texts({"B", "C"})},
        TreeCase{"FirstLineIndented", "\tA\n\tB", texts({"A", ">B"}), texts({"B"})},
        TreeCase{"FirstLineDeepThenTopLevel", "\t\t\tA\nB", texts({"A", "B"}), texts({"A", "B"})},
        TreeCase{"BackFromTwoToZero", "A\n\tB\n\t\tC\nD", texts({"A", ">B", ">>C", "D"}),
                 texts({"C", "D"})},
        TreeCase{"BackFromTwoToOne", "A\n\tB\n\t\tC\n\tD", texts({"A", ">B", ">>C", ">D"}),
                 texts({"C", "D"})},
        TreeCase{"SiblingsThenBackToZero", "A\n\tB\n\t\tC\n\t\tD\nE",
                 texts({"A", ">B", ">>C", ">>D", "E"}), texts({"C", "D", "E"})},
        TreeCase{"BackFromThreeToOne", "A\n\tB\n\t\tC\n\t\t\tD\n\tE\n\t\tF",
                 texts({"A", ">B", ">>C", ">>>D", ">E", ">>F"}), texts({"D", "F"})},
        TreeCase{"SpacesAndTabs", "A\n B\n\t C\n\tD", texts({"A", ">B", ">>C", ">D"}),
                 texts({"C", "D"})},
        TreeCase{"EmptyLine", "A\n\tB\n\nC", texts({"A", ">B", "", "C"}), texts({"B", "", "C"})},
        TreeCase{"EmptyLineAsParent", "\n\tB", texts({"", ">B"}), texts({"B"})},
        TreeCase{"DuplicateLeaves", gbkOf("显卡\n\t通用\n声卡\n\t通用"),
                 texts({"显卡", ">通用", "声卡", ">通用"}), texts({"通用", "通用"})},
        TreeCase{"EmptyFile", "", {}, {}}),
    [](const ::testing::TestParamInfo<TreeCase>& info) { return info.param.name; });

struct LevelErrorCase {
    const char* name;
    QByteArray bytes;
    QStringList kept; // shape of the entries made before the bad line
    int lineNumber;
    int level;
    const char* text;
};

class InvalidLevel : public CategoryTreeTest,
                     public ::testing::WithParamInterface<LevelErrorCase> {};

TEST_P(InvalidLevel, StopsAtTheLineKeepingEarlierEntries) {
    const LevelErrorCase& c = GetParam();
    try {
        fillCategoryTree(&tree, splitCategoryText(c.bytes));
        FAIL() << "no error";
    } catch (const CategoryFileError& error) {
        const QString message = QString::fromUtf8(error.what());
        EXPECT_TRUE(message.contains(QStringLiteral("第%1行").arg(c.lineNumber))) << error.what();
        EXPECT_TRUE(message.contains(QStringLiteral("层次%1").arg(c.level))) << error.what();
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.text))) << error.what();
    }
    EXPECT_EQ(shapeOf(tree), c.kept);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InvalidLevel,
    ::testing::Values(
        LevelErrorCase{"ZeroThenTwo", "A\n\t\tB\n\tC", texts({"A"}), 2, 2, "B"},
        LevelErrorCase{"FourSpacesPerLevel", "A\n    B\n    C", texts({"A"}), 2, 4, "B"},
        LevelErrorCase{"OneThenThree", "A\n\tB\n\t\t\tC", texts({"A", ">B"}), 3, 3, "C"},
        // The first entry is top-level whatever its level, so its level says nothing
        // about the next line's.
        LevelErrorCase{"FirstLineDeepThenSame", "\t\tA\n\t\tB", texts({"A"}), 2, 2, "B"},
        LevelErrorCase{"ChineseText", gbkOf("显卡\n\t独立\n\n\t\t声卡"),
                       texts({"显卡", ">独立", ""}), 4, 2, "声卡"}),
    [](const ::testing::TestParamInfo<LevelErrorCase>& info) { return info.param.name; });

TEST_F(CategoryTreeTest, LoadsFileWrittenWithCrLf) {
    TempDir dir;
    const QString path = dir.file(QStringLiteral("class.lst"));
    writeCategoryFile(path, texts({"存储", "\t硬盘", "\t\t固态硬盘", "\t内存", "显示", "\t显卡"}));
    loadCategoryTree(&tree, path);
    EXPECT_EQ(shapeOf(tree), texts({"存储", ">硬盘", ">>固态硬盘", ">内存", "显示", ">显卡"}));
    EXPECT_EQ(leafTexts(&tree), texts({"固态硬盘", "内存", "显卡"}));
}

} // namespace
