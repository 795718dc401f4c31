#include "BrowsePages.h"
#include "PageCommands.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

int occurrences(const QString& text, const QString& part) {
    return int(text.count(part));
}

TEST(BrowsePages, HeadTextIsFourLinesJoinedByCrLf) {
    const QStringList lines = pages::headText().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("<html><head><title></title></head><body><style "
                                       "type=\"text/css\">  table{font-size:12px; "
                                       "font-family:宋体;}"));
    EXPECT_EQ(lines[1], QStringLiteral("  .rows2{background-color:#FFFFFF}"));
    EXPECT_EQ(lines[2], QStringLiteral("  .rows1{background-color:#D9D9D9}"));
    EXPECT_EQ(lines[3], QStringLiteral("  .ltd{border-right:solid 1px #000000}</style>"));
}

TEST(BrowsePages, FilterPageWithOneParameterHasNoAreas) {
    const QString page = pages::filterPage({QStringLiteral("品牌")}, pages::firstSelect({}));
    EXPECT_EQ(occurrences(page, QStringLiteral("<tr ")), 1);
    EXPECT_TRUE(page.contains(QStringLiteral("<div id=\"Field1\">品牌</div>")));
    EXPECT_TRUE(page.contains(QStringLiteral("id=\"value1\"")));
    EXPECT_FALSE(page.contains(QStringLiteral("area")));
    EXPECT_TRUE(page.endsWith(pages::twoButtons() + QStringLiteral("</body></html>")));
}

TEST(BrowsePages, FilterPageRowsAlternateAndLaterRowsHoldEmptyAreas) {
    const QStringList names = {"a", "b", "c", "d", "e"};
    const QString page = pages::filterPage(names, pages::firstSelect({}));
    QStringList classes;
    const QRegularExpression row(QStringLiteral("<tr class=\"(rows\\d)\">"));
    for (auto it = row.globalMatch(page); it.hasNext();) {
        classes << it.next().captured(1);
    }
    EXPECT_EQ(classes, QStringList({"rows2", "rows1", "rows2", "rows1", "rows2"}));
    for (int i = 2; i <= 5; ++i) {
        EXPECT_TRUE(page.contains(
            QStringLiteral("<td width=\"75%\"><div name=\"area%1\" id=\"area%1\"></div></td>")
                .arg(i)));
    }
    EXPECT_FALSE(page.contains(QStringLiteral("area1")));
}

TEST(BrowsePages, DropDownsStartWithAllAndEscapeTheirValues) {
    const QString first = pages::firstSelect({QStringLiteral("他\"说"), QStringLiteral("A&<B>")});
    EXPECT_TRUE(first.startsWith(
        QStringLiteral("<select name=\"value1\" size=\"1\" id=\"value1\" "
                       "onchange=\"javascript:window.location='selectchanged://1'\"><option "
                       "value=\"所有\">所有</option>")));
    EXPECT_TRUE(first.contains(QStringLiteral("<option value=\"他&quot;说\">他&quot;说</option>")));
    EXPECT_TRUE(first.contains(QStringLiteral("<option value=\"A&amp;&lt;B&gt;\">")));
    EXPECT_TRUE(first.endsWith(QStringLiteral("</select>")));

    const QString next = pages::nextSelect(3, {QStringLiteral("x")});
    EXPECT_EQ(next, QStringLiteral("<SELECT size=\"1\" name=\"value3\", id=\"value3\" "
                                   "onchange=\"javascript:window.location='selectchanged://3'\">"
                                   "<OPTION VALUE=\"所有\">所有</OPTION>"
                                   "<OPTION VALUE=\"x\">x</OPTION></SELECT>"));
}

TEST(BrowsePages, ResultPageHasOneTablePerProductAndOnePairOfButtons) {
    const QString page = pages::resultPage({QStringLiteral("带宽(GB/s)"), QStringLiteral("型号")},
                                           {{"1", "a<b"}, {"2", "c"}, {"3", "d"}});
    EXPECT_EQ(occurrences(page, QStringLiteral("<table id=\"mytable\"")), 3);
    EXPECT_EQ(occurrences(page, QStringLiteral("</table><br />")), 3);
    EXPECT_EQ(occurrences(page, QStringLiteral("添加到配置单")), 1);
    // Cells take values as they are.
    EXPECT_TRUE(page.contains(QStringLiteral("<td width=\"75%\">a<b</td>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<td class=\"ltd\" width=\"25%\">带宽(GB/s)</td>")));
}

TEST(BrowsePages, NotFoundPageIsOnlyTheTextAndItsLink) {
    EXPECT_EQ(pages::notFoundPage(),
              QStringLiteral("未找到你所要检索的内容。<a href=\"goback://\">返回重新设置</a>"));
}

struct AddressCase {
    const char* address;
    PageCommand::Kind kind;
    const char* rowText;
};

class PageAddress : public ::testing::TestWithParam<AddressCase> {};

TEST_P(PageAddress, IsRecognisedInAnyCase) {
    const PageCommand command = parsePageCommand(QString::fromUtf8(GetParam().address));
    EXPECT_EQ(command.kind, GetParam().kind);
    EXPECT_EQ(command.rowText, QString::fromUtf8(GetParam().rowText));
}

using K = PageCommand::Kind;
INSTANTIATE_TEST_SUITE_P(Commands, PageAddress,
                         ::testing::Values(AddressCase{"selectchanged://1/", K::SelectChanged, "1"},
                                           AddressCase{"SelectChanged://2", K::SelectChanged, "2"},
                                           AddressCase{"SELECTCHANGED://12/", K::SelectChanged,
                                                       "12"},
                                           AddressCase{"xselectchanged://2/", K::None, ""},
                                           AddressCase{"about:selectchanged://2/", K::None, ""},
                                           AddressCase{"goback:///", K::GoBack, ""},
                                           AddressCase{"GoBack:///", K::GoBack, ""},
                                           AddressCase{"goback://x/", K::None, ""},
                                           AddressCase{"AddToList:///", K::AddToList, ""},
                                           AddressCase{"addtolist:///", K::AddToList, ""},
                                           AddressCase{"AddToCompare:///", K::AddToCompare, ""},
                                           AddressCase{"search:///", K::Search, ""},
                                           AddressCase{"SEARCH:///", K::Search, ""},
                                           AddressCase{"about:blank", K::None, ""},
                                           AddressCase{"http://example.invalid/", K::None, ""}));

TEST(TrimTrailing, RemovesTheSuffixOnceAndExactly) {
    const struct {
        const char* text;
        const char* suffix;
        const char* expected;
    } cases[] = {
        {"a AND ", " AND ", "a"}, {"a AND  AND ", " AND ", "a AND "}, {"a and ", " AND ", "a and "},
        {"AND", " AND ", "AND"},  {"x WHERE ", " WHERE ", "x"},       {"", " OR ", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TrimTrailing(QString::fromUtf8(c.text), QString::fromUtf8(c.suffix)),
                  QString::fromUtf8(c.expected))
            << c.text;
    }
}

} // namespace
