#include "SampleCatalogue.h"

#include "KindTable.h"
#include "Prng.h"
#include "SqlNames.h"

#include <QSet>

#include <stdexcept>

namespace {

constexpr std::uint64_t kCatalogueSeed = 20100601;
constexpr int kMaxKinds = 10000;
constexpr int kMaxProducts = 10000000;
constexpr int kMaxParams = 1000;

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QStringList split(const char* utf8) {
    return text(utf8).split(QLatin1Char('|'));
}

ColumnPlan column(const ParamDesc& desc) {
    return {text(desc.name), split(desc.values)};
}

qsizetype indexOf(const QList<ColumnPlan>& params, const char* name) {
    for (qsizetype i = 0; i < params.size(); ++i) {
        if (params[i].name == text(name)) {
            return i;
        }
    }
    throw std::logic_error(std::string("no earlier parameter ") + name + " to follow");
}

QString makerCode(const QString& name) {
    for (const MakerDesc& maker : makers()) {
        if (text(maker.name) == name) {
            return text(maker.code);
        }
    }
    throw std::logic_error("no model code for the maker " + name.toStdString());
}

template <typename T> void shuffle(QList<T>& list, Prng& prng) {
    for (qsizetype i = list.size() - 1; i > 0; --i) {
        list.swapItemsAt(i, prng.below(int(i + 1)));
    }
}

QList<ColumnPlan> genericColumns(Prng& prng) {
    QList<ColumnPlan> pool;
    for (const ParamDesc& desc : genericParams()) {
        pool.append(column(desc));
    }
    shuffle(pool, prng);
    return pool;
}

// Cuts `params` to `wanted` columns, or adds columns from `pool` whose names the kind
// does not have yet, and numbered ones when the pool runs out.
void fitParams(KindPlan& kind, qsizetype wanted, const QList<ColumnPlan>& pool) {
    if (kind.params.size() >= wanted) {
        kind.params.resize(wanted);
        return;
    }
    QSet<QString> taken;
    for (const QString& name : kind.columns()) {
        taken.insert(name);
    }
    for (const ColumnPlan& candidate : pool) {
        if (kind.params.size() == wanted) {
            return;
        }
        if (!taken.contains(candidate.name)) {
            kind.params.append(candidate);
            taken.insert(candidate.name);
        }
    }
    const QStringList extraValues = {QStringLiteral("规格一"), QStringLiteral("规格二"),
                                     QStringLiteral("规格三"), QStringLiteral("规格四")};
    for (int n = 1; kind.params.size() < wanted; ++n) {
        const QString name = QStringLiteral("扩展规格%1").arg(n);
        if (!taken.contains(name)) {
            kind.params.append({name, extraValues});
        }
    }
}

void setFirstValues(KindPlan& kind, const char* firstColumn, const char* desc) {
    kind.first.name = text(firstColumn);
    for (const QString& entry : split(desc)) {
        const qsizetype eq = entry.indexOf(QLatin1Char('='));
        kind.first.values.append(eq < 0 ? entry : entry.left(eq));
        kind.codes.append(eq < 0 ? makerCode(entry) : entry.mid(eq + 1));
    }
}

KindPlan planHandWritten(const KindDesc& desc, const CatalogueOptions& options, Prng& prng) {
    KindPlan kind;
    kind.group = text(desc.group);
    kind.table = text(desc.name);
    kind.products = options.products > 0 ? options.products : desc.products;
    setFirstValues(kind, desc.firstColumn, desc.firstValues);
    kind.modelSeries = split(desc.model.series);
    kind.modelBase = desc.model.base;
    kind.modelStep = desc.model.step;
    kind.modelSuffixes = split(desc.model.suffixes);
    for (const ParamDesc& param : desc.params) {
        ColumnPlan plan = column(param);
        if (param.follows != nullptr) {
            plan.follows = indexOf(kind.params, param.follows);
        }
        kind.params.append(plan);
    }
    for (const ParamDesc& param : commonParams()) {
        kind.params.append(column(param));
    }
    if (options.params > 0) {
        fitParams(kind, options.params - 2, genericColumns(prng));
    }
    return kind;
}

// The name of the extra kind `n` (0, 1, ...): the plain names first, then each
// qualified by one word after the other, then numbered.
QString extraKindName(int n) {
    const int plain = int(extraKinds().size());
    const int qualifiers = int(kindQualifiers().size());
    const QString base = text(extraKinds()[n % plain].name);
    const int round = n / plain;
    if (round == 0) {
        return base;
    }
    const int cycle = (round - 1) / qualifiers;
    QString name = text(kindQualifiers()[(round - 1) % qualifiers]) + base;
    if (cycle > 0) {
        name += QString::number(cycle + 1);
    }
    return name;
}

KindPlan planExtra(int n, const CatalogueOptions& options, Prng& prng) {
    const ExtraKindDesc& desc = extraKinds()[n % extraKinds().size()];
    KindPlan kind;
    kind.group = text(desc.group);
    kind.table = extraKindName(n);
    kind.products = options.products > 0 ? options.products : prng.between(30, 300);

    QList<qsizetype> makerOrder;
    for (qsizetype i = 0; i < qsizetype(makers().size()); ++i) {
        makerOrder.append(i);
    }
    shuffle(makerOrder, prng);
    kind.first.name = QStringLiteral("品牌");
    for (qsizetype i = 0, count = prng.between(4, 7); i < count; ++i) {
        kind.first.values.append(text(makers()[makerOrder[i]].name));
        kind.codes.append(text(makers()[makerOrder[i]].code));
    }
    kind.modelSeries = {QLatin1Char('-') + text(desc.series)};
    kind.modelBase = 100 * prng.between(1, 9);
    kind.modelStep = prng.between(1, 5);
    kind.modelSuffixes = {QString(), QStringLiteral("A"), QStringLiteral("S"),
                          QStringLiteral(" Pro")};

    const int params = options.params > 0 ? options.params : prng.between(15, 30);
    fitParams(kind, params - 2, genericColumns(prng));
    return kind;
}

void checkNames(const KindPlan& kind) {
    QSet<QString> seen;
    const QStringList names = QStringList{kind.table} + kind.columns();
    for (const QString& name : names) {
        if (!canStandBare(name)) {
            throw std::logic_error("the name " + name.toStdString() +
                                   " cannot stand bare in a statement");
        }
    }
    for (const QString& name : kind.columns()) {
        if (name == QLatin1String("id") || seen.contains(name)) {
            throw std::logic_error("the column " + name.toStdString() + " of " +
                                   kind.table.toStdString() + " is not unique");
        }
        seen.insert(name);
    }
}

void checkRange(const char* what, int value, int low, int high) {
    if (value != 0 && (value < low || value > high)) {
        throw std::invalid_argument(std::string(what) + " must be between " + std::to_string(low) +
                                    " and " + std::to_string(high));
    }
}

} // namespace

QStringList KindPlan::columns() const {
    QStringList names = {first.name, QString::fromUtf8(SampleCatalogue::modelColumn)};
    for (const ColumnPlan& param : params) {
        names.append(param.name);
    }
    return names;
}

SampleCatalogue::SampleCatalogue(const CatalogueOptions& options) {
    checkRange("the number of kinds", options.kinds, 1, kMaxKinds);
    checkRange("the number of products", options.products, 1, kMaxProducts);
    checkRange("the number of parameters", options.params, 2, kMaxParams);

    const int handWritten = int(handWrittenKinds().size());
    const int count = options.kinds > 0 ? options.kinds : handWritten;
    QSet<QString> tables;
    for (int i = 0; i < count; ++i) {
        const std::uint64_t seed = Prng(kCatalogueSeed + std::uint64_t(i)).next();
        Prng prng(seed);
        KindPlan kind = i < handWritten ? planHandWritten(handWrittenKinds()[i], options, prng)
                                        : planExtra(i - handWritten, options, prng);
        kind.seed = prng.next();
        checkNames(kind);
        if (tables.contains(kind.table)) {
            throw std::logic_error("the kind " + kind.table.toStdString() + " comes twice");
        }
        tables.insert(kind.table);
        kinds_.append(kind);
    }
}

QStringList SampleCatalogue::categoryLines() const {
    QStringList groups;
    for (const KindPlan& kind : kinds_) {
        if (!groups.contains(kind.group)) {
            groups.append(kind.group);
        }
    }
    QStringList lines;
    for (const QString& group : groups) {
        lines.append(group);
        for (const KindPlan& kind : kinds_) {
            if (kind.group == group) {
                lines.append(QLatin1Char('\t') + kind.table);
            }
        }
    }
    return lines;
}
