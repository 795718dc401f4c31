// Writes the sample data of the program: the category file and the parameter database.
#include "SampleDataWriter.h"
#include "SampleOptions.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    try {
        const SampleOptions options = parseSampleOptions(app.arguments().mid(1));
        if (options.help) {
            std::fputs(qPrintable(sampleOptionsUsage()), stdout);
            return 0;
        }
        const QString folder =
            options.outDir.isEmpty() ? QCoreApplication::applicationDirPath() : options.outDir;
        QElapsedTimer timer;
        timer.start();
        const SampleCatalogue catalogue(options.catalogue);
        writeSampleData(catalogue, folder);
        qint64 products = 0;
        for (const KindPlan& kind : catalogue.kinds()) {
            products += kind.products;
        }
        std::printf("%lld kinds, %lld products written to %s in %.2f s\n",
                    static_cast<long long>(catalogue.kinds().size()),
                    static_cast<long long>(products), qPrintable(folder),
                    double(timer.elapsed()) / 1000.0);
        return 0;
    } catch (const UsageError& e) {
        std::fprintf(stderr, "make_sample_data: %s\n\n%s", e.what(),
                     qPrintable(sampleOptionsUsage()));
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_sample_data: %s\n", e.what());
        return 1;
    }
}
