// Bench entry: the process set up as the test main does it, one QApplication, then the
// benchmarks. After the usual table it prints, for benchmarks named "<group>/<variant>",
// each variant's time as a ratio to the variant "bare" of its group (the bare engine).
// Top-level widgets the benchmarks leave are deleted at the end.
#include "HtmlView.h"
#include "ProcessSetup.h"

#include <QApplication>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            // With repetitions, use the median when there is one, else the single run.
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
                continue;
            std::string name = run.run_name.function_name;
            const double time = run.GetAdjustedRealTime();
            if (run.run_type == Run::RT_Aggregate) {
                medians_[name] = time;
            } else if (!medians_.count(name)) {
                singles_[name] = time;
            }
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::map<std::string, double> times = singles_;
        for (const auto& [name, time] : medians_)
            times[name] = time;
        bool header = false;
        for (const auto& [name, time] : times) {
            const auto slash = name.find('/');
            if (slash == std::string::npos)
                continue;
            const std::string group = name.substr(0, slash);
            const auto bare = times.find(group + "/bare");
            if (bare == times.end() || bare->first == name || bare->second <= 0)
                continue;
            if (!header) {
                std::printf("\nRatio to the bare engine (real time):\n");
                header = true;
            }
            std::printf("  %-40s %6.2fx\n", name.c_str(), time / bare->second);
        }
        std::fflush(stdout);
    }

private:
    std::map<std::string, double> singles_;
    std::map<std::string, double> medians_;
};

} // namespace

int main(int argc, char** argv) {
    processsetup::prepareHeadless();
    HtmlView::registerSchemes();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    // Widgets the benchmarks made go before the application (web pages before their
    // profiles).
    qDeleteAll(QApplication::topLevelWidgets());
    return 0;
}
