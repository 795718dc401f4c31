// Start-up, layout and the category tree of the main window.
#include "AppDir.h"
#include "BrowseFixture.h"
#include "GradientPanel.h"
#include "HtmlView.h"
#include "LinkLabel.h"

#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QTest>
#include <QToolBox>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

QStringList scope(const Tfrm_ts& w) {
    QStringList out;
    for (int i = 0; i < w.chk_Search->count(); ++i) {
        const QListWidgetItem* item = w.chk_Search->item(i);
        out << item->text() + (item->checkState() == Qt::Checked ? "+" : "-");
    }
    return out;
}

TEST(AddTrailingSlash, EndsInExactlyOneSlash) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {{"/opt/parvex", "/opt/parvex/"}, {"/opt/parvex/", "/opt/parvex/"}, {"", "/"}};
    for (const auto& c : cases) {
        EXPECT_EQ(AddTrailingSlash(QString::fromUtf8(c.in)), QString::fromUtf8(c.out));
    }
}

TEST(MainWindow, StartsOnTheDataNextToTheProgram) {
    TempDir dir;
    BrowseData::write(dir);
    MessageRecorder messages;
    BrowseWindow b(dir.path());
    Tfrm_ts& w = b.window();
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join('\n').toStdString();
    EXPECT_EQ(AppDir(), dir.path() + "/");
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Tessaly2010 - 2010Parvex"));
    EXPECT_EQ(w.tv_tsList->topLevelItemCount(), 2);
    EXPECT_EQ(scope(w), QStringList({"显卡+", "内存+", "鼠标+", "不存在的类+"}));
    EXPECT_EQ(w.RzGroupBar1->currentIndex(), 0);
    EXPECT_EQ(w.RzGroupBar1->itemText(0), QStringLiteral("产品分类"));
    EXPECT_EQ(w.RzGroupBar1->itemText(1), QStringLiteral("检索中心"));
    EXPECT_EQ(w.pnl_Search->parentWidget(), w.RzGroup2);
    EXPECT_FALSE(w.state.SearchMode);
    EXPECT_TRUE(w.state.CurrentTable.isEmpty());
    EXPECT_TRUE(w.state.FieldList.isEmpty());
    EXPECT_TRUE(w.pnl_Compare->isHidden());
    EXPECT_EQ(w.WB->readyState() == 0 || w.WB->documentMarkup().indexOf("<table") < 0, true);
}

TEST(MainWindow, MissingDatabaseIsReportedOnceAndTheWindowStillOpens) {
    TempDir dir;
    BrowseData::write(dir, /*withDatabase=*/false);
    MessageRecorder messages;
    BrowseWindow b(dir.path());
    EXPECT_EQ(messages.texts(), QStringList({QStringLiteral("数据库打开失败！")}));
    EXPECT_EQ(b.window().chk_Search->count(), 4);
    EXPECT_FALSE(QFile::exists(dir.file("velmora.vdb"))) << "the open must not create the file";

    // A leaf click then reports the failure and leaves the tree usable.
    messages.clear();
    b.clickLeaf(QStringLiteral("显卡"));
    EXPECT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(b.window().tv_tsList->isEnabled());
}

TEST(MainWindow, NonDatabaseFileIsAFailedOpen) {
    TempDir dir;
    BrowseData::write(dir, /*withDatabase=*/false);
    dir.write("velmora.vdb", "this is not a database");
    MessageRecorder messages;
    BrowseWindow b(dir.path());
    EXPECT_EQ(messages.texts(), QStringList({QStringLiteral("数据库打开失败！")}));
}

TEST(MainWindow, MissingCategoryFileIsReportedAndTheTreeKeepsItsFirstEntry) {
    TempDir dir;
    BrowseData::write(dir, true, /*withCategories=*/false);
    MessageRecorder messages;
    BrowseWindow b(dir.path());
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(messages.shown().first().text.contains("class.lst"));
    ASSERT_EQ(b.window().tv_tsList->topLevelItemCount(), 1);
    EXPECT_EQ(b.window().tv_tsList->topLevelItem(0)->text(0), QStringLiteral("正在初始化列表..."));
    // It names no kind: no search scope, and a click on it does nothing.
    EXPECT_EQ(b.window().chk_Search->count(), 0);
    QTreeWidget* tree = b.window().tv_tsList;
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      tree->visualItemRect(tree->topLevelItem(0)).center());
    EXPECT_TRUE(b.window().state.CurrentTable.isEmpty());
    EXPECT_EQ(b.window().WB->readyState(), 0);
}

TEST(MainWindow, BadLevelKeepsTheKindsBeforeItInTreeAndScope) {
    TempDir dir;
    BrowseData::write(dir);
    dir.write("class.lst", "A\r\n\tB\r\n\t\t\tC\r\n\tD\r\n");
    MessageRecorder messages;
    BrowseWindow b(dir.path());
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(messages.shown().first().text.contains(QStringLiteral("C")));
    EXPECT_EQ(scope(b.window()), QStringList({"B+"}));
}

using MainWindowOnData = BrowseWindowTest;

TEST_F(MainWindowOnData, ClickOnAnInnerEntryChangesNothing) {
    b().clickLeaf(QStringLiteral("内存"));
    const QString page = w().WB->documentMarkup();
    w().tv_tsList->setCurrentItem(w().tv_tsList->topLevelItem(0));
    w().tv_tsListClick();
    EXPECT_EQ(w().state.CurrentTable, QStringLiteral("内存"));
    EXPECT_EQ(w().WB->documentMarkup(), page);
}

TEST_F(MainWindowOnData, LeafClickSetsTheKindAndForgetsTheSavedPage) {
    w().state.LastFilterPage = QStringLiteral("<p>old</p>");
    b().clickLeaf(QStringLiteral("显卡"));
    EXPECT_EQ(w().state.CurrentTable, QStringLiteral("显卡"));
    EXPECT_TRUE(w().state.LastFilterPage.isEmpty());
    EXPECT_TRUE(w().tv_tsList->isEnabled());
    EXPECT_EQ(w().state.FieldList.value(3), QStringLiteral("显存带宽(GB/s)"));
}

TEST_F(MainWindowOnData, GroupsSwitchSearchModeAndEmptyTheMainView) {
    b().clickLeaf(QStringLiteral("显卡"));
    w().RzGroupBar1->setCurrentIndex(1);
    EXPECT_TRUE(w().state.SearchMode);
    w().RzGroupBar1->setCurrentIndex(0);
    EXPECT_FALSE(w().state.SearchMode);
    EXPECT_EQ(w().state.CurrentTable, QStringLiteral("显卡"));
    w().WB->waitUntilLoaded();
    EXPECT_FALSE(w().WB->documentMarkup().contains(QStringLiteral("<table")));
}

TEST_F(MainWindowOnData, EmblemAndSearchStripFollowTheWidth) {
    w().show();
    for (int width : {640, 792, 1100}) {
        w().resize(width, 534);
        QCoreApplication::processEvents();
        EXPECT_EQ(w().img_RightSign->geometry().right() + 1, w().pnl_Head->width()) << width;
    }
    for (int groupWidth : {245, 320}) {
        w().RzGroupBar1->setCurrentIndex(1);
        w().Splitter1->setSizes({groupWidth, 600});
        QCoreApplication::processEvents();
        const int strip = w().RzPanel2->width();
        EXPECT_EQ(w().edt_Search->geometry().right() + 1, strip - 5) << groupWidth;
        EXPECT_EQ(w().btn_Search->geometry().right() + 1, strip - 5) << groupWidth;
    }
    w().RzGroupBar1->setCurrentIndex(0);
    w().hide();
}

TEST_F(MainWindowOnData, BusyStateDisablesTheTreeUntilItEnds) {
    w().BeginBusy();
    EXPECT_FALSE(w().tv_tsList->isEnabled());
    w().EndBusy();
    EXPECT_TRUE(w().tv_tsList->isEnabled());
}

TEST(ProgramFonts, SongFaceDrawsChinese) {
    QFont song(QStringLiteral("宋体"));
    song.setPixelSize(12);
    EXPECT_TRUE(QFontInfo(song).family().contains(QStringLiteral("UMing")))
        << QFontInfo(song).family().toStdString();
    EXPECT_TRUE(QFontMetrics(song).inFontUcs4(0x4E2D)); // 中
}

} // namespace
