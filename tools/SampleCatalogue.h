#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

// What to make. Zero means "as the catalogue has it".
struct CatalogueOptions {
    int kinds = 0;    // number of product kinds; beyond the hand-written ones more are made
    int products = 0; // products of every kind
    int params = 0;   // parameters of every kind (the columns after "id")
};

// A column of a planned kind and the values its products draw from.
// With `follows` set, the value is taken at the position the value of the earlier
// column params[follows] has in its own list.
struct ColumnPlan {
    QString name;
    QStringList values;
    qsizetype follows = -1;
};

// Everything needed to write one product kind: its place in the category tree, its
// table's columns and how its products are made.
struct KindPlan {
    QString group;
    QString table;
    int products = 0;
    // Column 1: the first filter column, with its values and the code each value's
    // models start with.
    ColumnPlan first;
    QStringList codes;
    // Column 2, the model: code + series + number + suffix, the number growing by
    // modelStep from modelBase with every model.
    QStringList modelSeries;
    int modelBase = 0;
    int modelStep = 1;
    QStringList modelSuffixes;
    // Columns 3 on. The variants of one model differ in params[0] only.
    QList<ColumnPlan> params;
    std::uint64_t seed = 0;

    // All column names after "id", in table order.
    QStringList columns() const;
};

// The sample catalogue: the product kinds to write, in the order of the category tree.
class SampleCatalogue {
public:
    static constexpr const char* modelColumn = "型号";

    explicit SampleCatalogue(const CatalogueOptions& options = {});

    const QList<KindPlan>& kinds() const { return kinds_; }
    // The lines of the category file: each group at level 0, followed by its kinds
    // indented by one TAB.
    QStringList categoryLines() const;

private:
    QList<KindPlan> kinds_;
};
