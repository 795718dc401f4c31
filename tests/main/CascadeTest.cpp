// The filter page and its cascade of drop-downs on a real main window and view.
#include "BrowseFixture.h"
#include "HtmlView.h"
#include "PageCommands.h"
#include "WaitFor.h"

#include <gtest/gtest.h>

namespace {

class Cascade : public BrowseWindowTest {
protected:
    QStringList areaTexts(int from, int to) {
        QStringList out;
        for (int i = from; i <= to; ++i) {
            out << b().text(QStringLiteral("area%1").arg(i));
        }
        return out;
    }
};

const QString kAll = QStringLiteral("所有");

TEST_F(Cascade, FilterPageShowsDisplayNamesAndDistinctFirstValues) {
    b().clickLeaf(QStringLiteral("显卡"));
    EXPECT_EQ(b().text(QStringLiteral("Field3")), QStringLiteral("显存带宽(GB/s)"));
    const QStringList values = b().options(QStringLiteral("value1"));
    ASSERT_FALSE(values.isEmpty());
    EXPECT_EQ(values.first(), kAll);
    EXPECT_EQ(values.size(), 9); // 所有 and eight makers, each once
    // Values come back from the drop-down exactly as stored.
    EXPECT_TRUE(values.contains(QStringLiteral("他\"说")));
    EXPECT_TRUE(values.contains(QStringLiteral("R&D <新>")));
    EXPECT_EQ(b().count(QStringLiteral("table#mytable tr")), 5);
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(Cascade, SeveralValuesGiveTheNextDropDownAndEmptyTheRowsAfterIt) {
    b().clickLeaf(QStringLiteral("显卡"));
    b().choose(QStringLiteral("value1"), QStringLiteral("甲"));
    EXPECT_EQ(b().options(QStringLiteral("value2")),
              QStringList({kAll, QStringLiteral("A1"), QStringLiteral("A2")}));
    EXPECT_EQ(b().selected(QStringLiteral("value2")), kAll);
    b().choose(QStringLiteral("value2"), QStringLiteral("A1"));
    EXPECT_EQ(b().options(QStringLiteral("value3")),
              QStringList({kAll, QStringLiteral("100"), QStringLiteral("200")}));
    EXPECT_EQ(areaTexts(4, 5), QStringList({"", ""}));
    b().choose(QStringLiteral("value3"), QStringLiteral("200"));
    // One interface left: the rest of the page shows the one product.
    EXPECT_EQ(areaTexts(4, 5), QStringList({"PCIe", "二"}));
    EXPECT_TRUE(b().navigations().last().cancel);
}

TEST_F(Cascade, FewerThanTwoValuesShowTheFirstMatchingProduct) {
    const struct {
        const char* first;
        QStringList rest;
    } cases[] = {
        {"乙", {"B1", "100", "AGP", "四"}},
        // Bound values: a double quote, and a value equal to a column's name, match exactly.
        {"他\"说", {"Q1", "400", "PCIe", "五"}},
        {"型号", {"M1", "500", "PCIe", "六"}},
        // Row 1 takes "所有" inside a longer value as it is.
        {"所有者", {"S1", "600", "USB", "七"}},
        // Shown as stored, not as markup.
        {"丁", {"D&<1>", "900", "PCIe", "十"}},
        {"R&D <新>", {"N1", "1000", "PCIe", "十一"}},
    };
    for (const auto& c : cases) {
        b().clickLeaf(QStringLiteral("显卡"));
        b().choose(QStringLiteral("value1"), QString::fromUtf8(c.first));
        EXPECT_FALSE(b().hasSelect(QStringLiteral("value2"))) << c.first;
        EXPECT_EQ(areaTexts(2, 5), c.rest) << c.first;
    }
    EXPECT_TRUE(messages_.texts().isEmpty()) << messages_.texts().join('\n').toStdString();
}

TEST_F(Cascade, NoMatchingProductEmptiesTheLaterRows) {
    b().clickLeaf(QStringLiteral("显卡"));
    b().choose(QStringLiteral("value1"), QStringLiteral("丙"));
    ASSERT_TRUE(b().hasSelect(QStringLiteral("value2")));
    // Later rows drop "所有" from a value: 全部所有 looks for 全部, which nothing has.
    b().choose(QStringLiteral("value2"), QStringLiteral("全部所有"));
    EXPECT_FALSE(b().hasSelect(QStringLiteral("value3")));
    EXPECT_EQ(areaTexts(3, 5), QStringList({"", "", ""}));
}

TEST_F(Cascade, AllInRowOneSetsNoCondition) {
    b().clickLeaf(QStringLiteral("显卡"));
    b().choose(QStringLiteral("value1"), QStringLiteral("甲"));
    b().choose(QStringLiteral("value1"), kAll);
    EXPECT_EQ(b().options(QStringLiteral("value2")).size(), 1 + 10);
}

TEST_F(Cascade, AllInALaterRowRebuildsTheNextRowFromTheEarlierRows) {
    b().clickLeaf(QStringLiteral("显卡"));
    b().choose(QStringLiteral("value1"), QStringLiteral("甲"));
    b().choose(QStringLiteral("value2"), QStringLiteral("A1"));
    b().choose(QStringLiteral("value2"), kAll);
    EXPECT_EQ(
        b().options(QStringLiteral("value3")),
        QStringList({kAll, QStringLiteral("100"), QStringLiteral("200"), QStringLiteral("300")}));
}

TEST_F(Cascade, GoingBackToAnEarlierRowRebuildsFromThere) {
    b().clickLeaf(QStringLiteral("显卡"));
    b().choose(QStringLiteral("value1"), QStringLiteral("甲"));
    b().choose(QStringLiteral("value2"), QStringLiteral("A1"));
    ASSERT_TRUE(b().hasSelect(QStringLiteral("value3")));
    b().choose(QStringLiteral("value1"), QStringLiteral("乙"));
    EXPECT_FALSE(b().hasSelect(QStringLiteral("value2")));
    EXPECT_FALSE(b().hasSelect(QStringLiteral("value3")));
    EXPECT_EQ(areaTexts(2, 5), QStringList({"B1", "100", "AGP", "四"}));
}

TEST_F(Cascade, ChangingTheLastRowChangesNothing) {
    b().clickLeaf(QStringLiteral("内存"));
    b().choose(QStringLiteral("value1"), QStringLiteral("甲"));
    ASSERT_TRUE(b().hasSelect(QStringLiteral("value2")));
    const QString before = w().WB->documentMarkup();
    b().choose(QStringLiteral("value2"), QStringLiteral("R2"));
    EXPECT_TRUE(b().navigations().last().cancel);
    EXPECT_EQ(w().WB->documentMarkup(), before);
}

TEST_F(Cascade, KindWithOneParameterHasOnlyTheFirstDropDown) {
    b().clickLeaf(QStringLiteral("鼠标"));
    EXPECT_EQ(b().options(QStringLiteral("value1")), QStringList({kAll, QStringLiteral("甲")}));
    EXPECT_EQ(b().count(QStringLiteral("[id^=area]")), 0);
}

TEST_F(Cascade, AKindWithoutTableGivesAnEmptyTableAndTheButtons) {
    b().clickLeaf(QStringLiteral("不存在的类"));
    EXPECT_EQ(b().count(QStringLiteral("table#mytable tr")), 0);
    EXPECT_EQ(b().count(QStringLiteral("input[type=button]")), 2);
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(Cascade, SearchShowsTheMatchingProductsAndGoBackRestoresTheChoices) {
    b().clickLeaf(QStringLiteral("显卡"));
    b().choose(QStringLiteral("value1"), QStringLiteral("甲"));
    b().choose(QStringLiteral("value2"), QStringLiteral("A1"));
    b().followLink(QStringLiteral("search://"));
    EXPECT_TRUE(b().navigations().last().cancel);
    w().WB->waitUntilLoaded();
    EXPECT_EQ(b().count(QStringLiteral("table")), 2);
    EXPECT_EQ(b().count(QStringLiteral("select")), 0);

    b().followLink(QStringLiteral("goback://"));
    w().WB->waitUntilLoaded();
    EXPECT_EQ(b().selected(QStringLiteral("value1")), QStringLiteral("甲"));
    EXPECT_EQ(b().selected(QStringLiteral("value2")), QStringLiteral("A1"));
    // The restored page still cascades.
    b().choose(QStringLiteral("value3"), QStringLiteral("100"));
    EXPECT_EQ(areaTexts(4, 5), QStringList({"PCIe", "一"}));
}

TEST_F(Cascade, SearchTakesRowsWithoutDropDownAsNoCondition) {
    const struct {
        const char* first;
        int products;
    } cases[] = {{"乙", 1}, {"所有", 11}, {"甲", 3}};
    for (const auto& c : cases) {
        b().clickLeaf(QStringLiteral("显卡"));
        b().choose(QStringLiteral("value1"), QString::fromUtf8(c.first));
        b().followLink(QStringLiteral("search://"));
        w().WB->waitUntilLoaded();
        EXPECT_EQ(b().count(QStringLiteral("table")), c.products) << c.first;
    }
}

TEST_F(Cascade, SearchWithoutMatchesShowsTheNotFoundTextWhoseLinkLeadsBack) {
    b().clickLeaf(QStringLiteral("显卡"));
    b().choose(QStringLiteral("value1"), QStringLiteral("丙"));
    b().choose(QStringLiteral("value2"), QStringLiteral("全部所有"));
    b().followLink(QStringLiteral("search://"));
    w().WB->waitUntilLoaded();
    EXPECT_EQ(
        w().WB->evaluate(QStringLiteral("return document.body.innerText;")).toString().trimmed(),
        QStringLiteral("未找到你所要检索的内容。返回重新设置"));
    const int before = int(b().navigations().size());
    w().WB->evaluate(QStringLiteral("document.querySelector('a').click();"));
    ASSERT_TRUE(waitFor([&] { return b().navigations().size() > before; }));
    EXPECT_EQ(b().navigations().last().address, QStringLiteral("goback:///"));
    w().WB->waitUntilLoaded();
    EXPECT_EQ(b().selected(QStringLiteral("value1")), QStringLiteral("丙"));
    EXPECT_EQ(b().selected(QStringLiteral("value2")), QStringLiteral("全部所有"));
}

TEST_F(Cascade, GoBackWithoutSavedPageKeepsThePage) {
    b().clickLeaf(QStringLiteral("显卡")); // a leaf click forgets the saved page
    b().choose(QStringLiteral("value1"), QStringLiteral("甲"));
    const QString before = w().WB->documentMarkup();
    b().followLink(QStringLiteral("goback://"));
    EXPECT_TRUE(b().navigations().last().cancel);
    // The link the test added is the only change.
    EXPECT_EQ(w().WB->documentMarkup().count(QStringLiteral("value2")),
              before.count(QStringLiteral("value2")));
    EXPECT_EQ(b().selected(QStringLiteral("value1")), QStringLiteral("甲"));
}

TEST_F(Cascade, PageButtonsAreCancelledAndHandedOn) {
    int lists = 0;
    int compares = 0;
    w().commands().AddCurrentToList = [&] { ++lists; };
    w().commands().AddCurrentToCompare = [&] { ++compares; };
    b().clickLeaf(QStringLiteral("显卡"));
    const int before = int(b().navigations().size());
    w().WB->evaluate(QStringLiteral("document.querySelectorAll('input[type=button]')[0].click();"
                                    "document.querySelectorAll('input[type=button]')[1].click();"));
    ASSERT_TRUE(waitFor([&] { return b().navigations().size() >= before + 2; }));
    EXPECT_EQ(b().navigations()[before].address, QStringLiteral("AddToList:///"));
    EXPECT_EQ(b().navigations()[before + 1].address, QStringLiteral("AddToCompare:///"));
    EXPECT_TRUE(b().navigations()[before].cancel && b().navigations()[before + 1].cancel);
    EXPECT_EQ(lists, 1);
    EXPECT_EQ(compares, 1);
    w().commands().AddCurrentToList = nullptr;
    w().commands().AddCurrentToCompare = nullptr;
}

TEST_F(Cascade, AFailingCommandIsStillCancelledAndReported) {
    b().clickLeaf(QStringLiteral("显卡"));
    b().followLink(QStringLiteral("selectchanged://x"));
    EXPECT_TRUE(b().navigations().last().cancel);
    ASSERT_EQ(messages_.shown().size(), 1);
    EXPECT_TRUE(messages_.shown().first().text.contains(QStringLiteral("X")));
}

TEST_F(Cascade, OtherAddressesProceed) {
    bool cancel = false;
    w().commands().WBBeforeNavigate2(QStringLiteral("about:blank"), cancel);
    EXPECT_FALSE(cancel);
}

} // namespace
