#include "SampleOptions.h"

namespace {

int parseCount(const QString& option, const QString& value) {
    bool ok = false;
    const int n = value.toInt(&ok);
    if (!ok || n <= 0) {
        throw UsageError(option.toStdString() + " needs a positive whole number, not \"" +
                         value.toStdString() + "\"");
    }
    return n;
}

} // namespace

SampleOptions parseSampleOptions(const QStringList& arguments) {
    SampleOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& option = arguments[i];
        if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
            options.help = true;
            continue;
        }
        int* count = option == QLatin1String("--kinds")      ? &options.catalogue.kinds
                     : option == QLatin1String("--products") ? &options.catalogue.products
                     : option == QLatin1String("--params")   ? &options.catalogue.params
                                                             : nullptr;
        if (count == nullptr && option != QLatin1String("--out")) {
            throw UsageError("unknown option \"" + option.toStdString() + "\"");
        }
        if (i + 1 >= arguments.size()) {
            throw UsageError(option.toStdString() + " needs a value");
        }
        const QString& value = arguments[++i];
        if (count != nullptr) {
            *count = parseCount(option, value);
        } else {
            options.outDir = value;
        }
    }
    return options;
}

QString sampleOptionsUsage() {
    return QStringLiteral(
        "Usage: make_sample_data [--kinds N] [--products N] [--params N] [--out DIR]\n"
        "Writes the sample category file class.lst and parameter database velmora.vdb.\n"
        "  --kinds N     number of product kinds (default: the 14 hand-written ones;\n"
        "                more are made up from further kind names)\n"
        "  --products N  products of every kind (default: 30 to 300, as each kind has)\n"
        "  --params N    parameters of every kind, at least 2 (default: 15 to 40)\n"
        "  --out DIR     folder to write to (default: the program's own folder)\n");
}
