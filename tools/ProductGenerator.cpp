#include "ProductGenerator.h"

#include "Prng.h"

#include <algorithm>

namespace {

// About one model in five comes in variants.
int familySize(Prng& prng) {
    const int roll = prng.below(100);
    return roll < 80 ? 1 : roll < 94 ? 2 : 3;
}

const QString& pick(const QStringList& values, Prng& prng) {
    return values[prng.below(int(values.size()))];
}

} // namespace

void generateProducts(const KindPlan& kind, const ProductSink& sink) {
    Prng prng(kind.seed);
    const qsizetype variantChoices = kind.params.isEmpty() ? 1 : kind.params[0].values.size();
    QStringList values;
    values.reserve(2 + kind.params.size());
    QList<qsizetype> choices;
    qint64 id = 1;
    for (qint64 model = 0; id <= kind.products; ++model) {
        const int maker = prng.below(int(kind.first.values.size()));
        const QString modelName = kind.codes[maker] + pick(kind.modelSeries, prng) +
                                  QString::number(kind.modelBase + model * kind.modelStep) +
                                  pick(kind.modelSuffixes, prng);

        values.clear();
        values.append(kind.first.values[maker]);
        values.append(modelName);
        choices.clear();
        for (const ColumnPlan& param : kind.params) {
            const qsizetype choice = param.follows >= 0
                                         ? choices[param.follows] % param.values.size()
                                         : prng.below(int(param.values.size()));
            choices.append(choice);
            values.append(param.values[choice]);
        }

        const qint64 variants =
            std::min<qint64>({familySize(prng), variantChoices, kind.products - id + 1});
        for (qint64 v = 0; v < variants; ++v) {
            if (!kind.params.isEmpty()) {
                values[2] = kind.params[0].values[(choices[0] + v) % variantChoices];
            }
            sink(id++, values);
        }
    }
}
