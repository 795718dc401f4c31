#include "SampleCatalogue.h"
#include "ProductGenerator.h"

#include <QHash>
#include <QSet>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace {

QList<QStringList> productsOf(const KindPlan& kind) {
    QList<QStringList> rows;
    generateProducts(kind, [&](qint64 id, const QStringList& values) {
        EXPECT_EQ(id, rows.size() + 1) << kind.table.toStdString();
        rows.append(values);
    });
    return rows;
}

const KindPlan& kindNamed(const SampleCatalogue& catalogue, const QString& table) {
    for (const KindPlan& kind : catalogue.kinds()) {
        if (kind.table == table) {
            return kind;
        }
    }
    throw std::out_of_range("no kind " + table.toStdString());
}

TEST(SampleCatalogueTest, SizeOptionsShapeEveryKind) {
    const struct {
        CatalogueOptions options;
        int kinds;
    } cases[] = {
        {{3, 5, 4}, 3},      // fewer kinds, products and parameters than written
        {{16, 7, 45}, 16},   // beyond the written kinds, padded with more parameters
        {{20, 1, 2}, 20},    // only maker and model
        {{300, 1, 60}, 300}, // far beyond the list of kind names
    };
    for (const auto& c : cases) {
        const SampleCatalogue catalogue(c.options);
        ASSERT_EQ(catalogue.kinds().size(), c.kinds);
        QSet<QString> tables;
        for (const KindPlan& kind : catalogue.kinds()) {
            tables.insert(kind.table);
            EXPECT_EQ(kind.products, c.options.products) << kind.table.toStdString();
            const QStringList columns = kind.columns();
            EXPECT_EQ(columns.size(), c.options.params) << kind.table.toStdString();
            EXPECT_EQ(QSet<QString>(columns.begin(), columns.end()).size(), columns.size())
                << kind.table.toStdString();
            EXPECT_EQ(productsOf(kind).size(), c.options.products);
        }
        EXPECT_EQ(tables.size(), c.kinds);
    }
}

TEST(SampleCatalogueTest, RefusesSizesOutOfRange) {
    const CatalogueOptions cases[] = {{-1, 0, 0}, {0, -1, 0}, {0, 0, 1}, {10001, 0, 0}};
    for (const CatalogueOptions& options : cases) {
        EXPECT_THROW(SampleCatalogue{options}, std::invalid_argument)
            << options.kinds << " " << options.products << " " << options.params;
    }
}

TEST(SampleCatalogueTest, CategoryLinesKeepTheKindsOfAGroupTogether) {
    const SampleCatalogue catalogue({60, 1, 2});
    const QStringList lines = catalogue.categoryLines();
    QHash<QString, QString> groupOf;
    QString group;
    QSet<QString> groups;
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1Char('\t'))) {
            ASSERT_FALSE(group.isEmpty()) << "a kind before the first group";
            groupOf.insert(line.mid(1), group);
        } else {
            EXPECT_FALSE(groups.contains(line)) << "group listed twice: " << line.toStdString();
            groups.insert(line);
            group = line;
        }
    }
    EXPECT_EQ(lines.size(), catalogue.kinds().size() + groups.size());
    for (const KindPlan& kind : catalogue.kinds()) {
        EXPECT_EQ(groupOf.value(kind.table), kind.group) << kind.table.toStdString();
    }
    EXPECT_GE(groups.size(), 5);
}

TEST(SampleCatalogueTest, VariantsOfAModelDifferInTheirFirstParameterOnly) {
    const SampleCatalogue catalogue;
    for (const KindPlan& kind : catalogue.kinds()) {
        QHash<QString, QList<QStringList>> byModel;
        for (const QStringList& row : productsOf(kind)) {
            byModel[row[0] + QLatin1Char('\n') + row[1]].append(row);
        }
        int shared = 0;
        for (const QList<QStringList>& variants : byModel) {
            if (variants.size() < 2) {
                continue;
            }
            ++shared;
            QSet<QString> variantValues;
            for (const QStringList& row : variants) {
                variantValues.insert(row[2]);
                QStringList rest = row;
                QStringList first = variants[0];
                rest.removeAt(2);
                first.removeAt(2);
                EXPECT_EQ(rest, first) << kind.table.toStdString();
            }
            EXPECT_EQ(variantValues.size(), variants.size()) << kind.table.toStdString();
            EXPECT_LE(variants.size(), 3);
        }
        EXPECT_GT(shared, 0) << kind.table.toStdString() << " has no model with variants";
        EXPECT_LT(shared * 3, byModel.size()) << kind.table.toStdString();
    }
}

TEST(SampleCatalogueTest, ParametersThatBelongTogetherAgree) {
    const SampleCatalogue catalogue;
    const struct {
        const char* kind;
        const char* leader;
        const char* follower;
        std::function<bool(const QString&, const QString&)> agree;
    } cases[] = {
        {"笔记本", "屏幕尺寸【英寸】", "屏幕描述",
         [](const QString& size, const QString& text) { return text.startsWith(size + '"'); }},
        {"显卡", "芯片厂商", "显卡芯片",
         [](const QString& maker, const QString& chip) { return chip.startsWith(maker + ' '); }},
        {"内存", "插槽类型", "针脚数",
         [](const QString& slot, const QString& pins) {
             return (slot == QStringLiteral("DIMM")) == (pins == QStringLiteral("240pin"));
         }},
    };
    for (const auto& c : cases) {
        const KindPlan& kind = kindNamed(catalogue, QString::fromUtf8(c.kind));
        const qsizetype leader = kind.columns().indexOf(QString::fromUtf8(c.leader));
        const qsizetype follower = kind.columns().indexOf(QString::fromUtf8(c.follower));
        ASSERT_GE(leader, 0) << c.leader;
        ASSERT_GE(follower, 0) << c.follower;
        for (const QStringList& row : productsOf(kind)) {
            EXPECT_TRUE(c.agree(row[leader], row[follower]))
                << c.kind << ": " << row[leader].toStdString() << " / "
                << row[follower].toStdString();
        }
    }
}

} // namespace
