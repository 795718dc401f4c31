// Cost of HtmlView's document operations and page loads against the bare engine in the
// same run: a plain QWebEngineView, one runJavaScript round trip waited for in a local
// event loop, and setHtml waited for until loadFinished.
#include "BareView.h"
#include "HtmlView.h"

#include <benchmark/benchmark.h>

namespace {

// A parameter page as the program shows them: 40 rows of name and value (Chinese text),
// drop-downs in the first rows, the two buttons.
QString tablePage() {
    QString html = QStringLiteral(
        "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">"
        "<style>td{font-family:宋体;font-size:12px}</style></head><body>"
        "<div align=\"center\"><b>显卡参数</b></div>"
        "<form><table id=\"mytable\" name=\"mytable\" style=\"border:solid 1px black;\" "
        "width=\"100%\" border=\"0\" cellpadding=\"5\" cellspacing=\"0\">");
    for (int row = 1; row <= 40; ++row) {
        html +=
            QStringLiteral("<tr><td width=\"30%\" bgcolor=\"#E0E0E0\">参数名称%1（单位）</td><td>")
                .arg(row);
        if (row <= 3) {
            html += QStringLiteral("<select name=\"value%1\" size=\"1\" id=\"value%1\" "
                                   "onchange=\"javascript:window.location='selectchanged://%1'\">"
                                   "<option value=\"所有\">所有</option>")
                        .arg(row);
            for (int option = 0; option < 12; ++option) {
                html += QStringLiteral("<option value=\"型号 %1-%2\">型号 %1-%2</option>")
                            .arg(row)
                            .arg(option);
            }
            html += QStringLiteral("</select>");
        } else {
            html += QStringLiteral(
                        "<span id=\"p%1\">规格说明文字 %1 GDDR6X 显存 24GB 接口 PCIe 4.0</span>")
                        .arg(row);
        }
        html += QStringLiteral("</td></tr>");
    }
    html += QStringLiteral(
        "</table></form><div align=\"center\"><input onclick=\"javascript:window.location="
        "'AddToList://';\" type=\"button\" value=\"添加到配置单\" />&nbsp;<input onclick="
        "\"javascript:window.location='AddToCompare://';\" type=\"button\" value=\"参数比较\" />"
        "</div></body></html>");
    return html;
}

// The views are top-level widgets; the bench main deletes them after the run.
struct Views {
    HtmlView& view = *new HtmlView;
    BareView bare;
    QString page = tablePage();

    Views() {
        view.resize(1024, 768);
        view.show();
        view.loadHtml(page);
        view.waitUntilLoaded();
        bare.load(page);
    }
};

Views& views() {
    static Views* instance = new Views; // its views are deleted by the bench main
    return *instance;
}

void roundTripBare(benchmark::State& state) {
    Views& v = views();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            v.bare.run(QStringLiteral("document.getElementById('p20').innerText")));
    }
}

void roundTripInnerText(benchmark::State& state) {
    Views& v = views();
    const HtmlElement element = v.view.item(QStringLiteral("p20"));
    for (auto _ : state) {
        benchmark::DoNotOptimize(element.innerText());
    }
}

void roundTripItem(benchmark::State& state) {
    Views& v = views();
    for (auto _ : state) {
        benchmark::DoNotOptimize(v.view.item(QStringLiteral("p20")));
    }
}

void roundTripEvaluate(benchmark::State& state) {
    Views& v = views();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            v.view.evaluate(QStringLiteral("return document.getElementById('p20').innerText")));
    }
}

void roundTripItemThenInnerText(benchmark::State& state) {
    Views& v = views();
    for (auto _ : state) {
        benchmark::DoNotOptimize(v.view.item(QStringLiteral("p20")).innerText());
    }
}

void loadBare(benchmark::State& state) {
    Views& v = views();
    for (auto _ : state) {
        v.bare.load(v.page);
    }
}

void loadView(benchmark::State& state) {
    Views& v = views();
    for (auto _ : state) {
        v.view.loadHtml(v.page);
        v.view.waitUntilLoaded();
    }
}

// Registered in this order so that each bare run sits next to what is compared with it.
const bool registered = [] {
    const auto add = [](const char* name, void (*fn)(benchmark::State&)) {
        benchmark::RegisterBenchmark(name, fn)
            ->UseRealTime()
            ->Unit(benchmark::kMicrosecond)
            ->MinTime(name[0] == 'L' ? 2.0 : 0.5);
    };
    add("RoundTrip/bare", roundTripBare);
    add("RoundTrip/innerText", roundTripInnerText);
    add("RoundTrip/item", roundTripItem);
    add("RoundTrip/evaluate", roundTripEvaluate);
    add("RoundTrip/item+innerText", roundTripItemThenInnerText);
    add("Load/bare", loadBare);
    add("Load/loadHtml", loadView);
    return true;
}();

} // namespace
