// Every product kind of the bundled sample data shows its filter page, and choosing a
// value in each drop-down in turn narrows it down to one product.
#include "BrowseFixture.h"
#include "CategoryFile.h"
#include "HtmlView.h"

#include <QCoreApplication>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

TEST(SampleData, EveryKindCascadesToOneProduct) {
    MessageRecorder messages;
    BrowseWindow b(QCoreApplication::applicationDirPath());
    const QStringList kinds = leafTexts(b.window().tv_tsList);
    ASSERT_GE(kinds.size(), 12);
    for (const QString& kind : kinds) {
        SCOPED_TRACE(kind.toStdString());
        b.clickLeaf(kind);
        const int rows = b.count(QStringLiteral("table#mytable tr"));
        ASSERT_GE(rows, 15);
        ASSERT_GE(b.options(QStringLiteral("value1")).size(), 3);
        // Take the last value of each drop-down until no further drop-down appears.
        int row = 1;
        while (b.hasSelect(QStringLiteral("value%1").arg(row))) {
            const QStringList values = b.options(QStringLiteral("value%1").arg(row));
            ASSERT_GE(values.size(), 3) << "row " << row;
            b.choose(QStringLiteral("value%1").arg(row), values.last());
            ++row;
            ASSERT_LT(row, rows + 1);
        }
        // The rows after the last drop-down hold one product's values.
        int filled = 0;
        for (int i = row; i <= rows; ++i) {
            filled += b.text(QStringLiteral("area%1").arg(i)).isEmpty() ? 0 : 1;
        }
        EXPECT_GE(filled, (rows - row + 1) / 2) << "rows " << row << ".." << rows;
    }
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join('\n').toStdString();
}

} // namespace
