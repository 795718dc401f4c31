// The two steps of browsing a large product kind (10,000 products, 40 parameters), each
// against the bare engines doing the same work in the same run:
//  - leaf click: the filter page built and loaded, against the first drop-down's SQL
//    through the sqlite3 C API plus the same page text loaded straight into a view;
//  - cascade step: a choice in row 1 answered, against the next drop-down's SQL through
//    the C API plus one script round trip writing the same markup.
#include "BareView.h"
#include "BrowsePages.h"
#include "CategoryFile.h"
#include "GbkCodec.h"
#include "HtmlView.h"
#include "MessageBoxes.h"
#include "PageCommands.h"
#include "ParamBrowser.h"
#include "ParamDb.h"
#include "params_Unit.h"
#include "SampleCatalogue.h"
#include "SampleDataWriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <memory>
#include <stdexcept>

namespace {

// A message box during a benchmark means the measured work failed.
class FailingBoxes final : public MessageBoxes {
public:
    void show(QWidget*, const QString&, const QString& text, Icon) override {
        throw std::runtime_error("message box: " + text.toStdString());
    }
    bool askYesNo(QWidget*, const QString&, const QString& text) override {
        throw std::runtime_error("question: " + text.toStdString());
    }
};

struct Setup {
    QTemporaryDir dir;
    std::unique_ptr<Tfrm_ts> window;
    QString kind;
    QStringList columns;
    QStringList makers;
    QString filterPage;
    sqlite3* db = nullptr;
    BareView bare;

    Setup() {
        setMessageBoxes(std::make_unique<FailingBoxes>());
        writeSampleData(SampleCatalogue(CatalogueOptions{1, 10000, 40}), dir.path());
        window = std::make_unique<Tfrm_ts>(dir.filePath(QStringLiteral("parvex")));
        kind = leafTexts(window->tv_tsList).value(0);
        window->Query().GetColumnNames(kind, columns);
        sqlite3_open_v2(dir.filePath(QStringLiteral("velmora.vdb")).toUtf8().constData(), &db,
                        SQLITE_OPEN_READONLY, nullptr);
        clickLeaf();
        filterPage = pages::filterPage(window->state.FieldList.mid(1),
                                       pages::firstSelect(bareValues(firstSelectSql(), {})));
        makers = bareValues(firstSelectSql(), {});
        window->resize(1024, 768);
        window->show();
    }
    ~Setup() { sqlite3_close(db); }

    void clickLeaf() {
        const QList<QTreeWidgetItem*> items =
            window->tv_tsList->findItems(kind, Qt::MatchExactly | Qt::MatchRecursive);
        window->tv_tsList->setCurrentItem(items.value(0));
        window->tv_tsListClick();
        window->WB->waitUntilLoaded();
    }

    QString firstSelectSql() const {
        const QString c = ParamDb::quoteIdentifier(columns[1]);
        return QStringLiteral("SELECT %1 FROM %2 GROUP BY %1")
            .arg(c, ParamDb::quoteIdentifier(kind));
    }

    QString nextSelectSql() const {
        const QString c = ParamDb::quoteIdentifier(columns[2]);
        return QStringLiteral("SELECT %1 FROM %2 WHERE %3=? GROUP BY %1")
            .arg(c, ParamDb::quoteIdentifier(kind), ParamDb::quoteIdentifier(columns[1]));
    }

    // The statement through the bare C API: prepared, bound, every row's first column read.
    QStringList bareValues(const QString& sql, const QStringList& params) const {
        const QByteArray text = gbk::encode(sql);
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, text.constData(), int(text.size()), &stmt, nullptr);
        QList<QByteArray> bound;
        for (int i = 0; i < params.size(); ++i) {
            bound << gbk::encode(params[i]);
            sqlite3_bind_text(stmt, i + 1, bound.last().constData(), int(bound.last().size()),
                              SQLITE_STATIC);
        }
        QStringList values;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            values << gbk::decode(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)),
                                  sqlite3_column_bytes(stmt, 0));
        }
        sqlite3_finalize(stmt);
        return values;
    }
};

// `value` as a script literal.
QString jsonArgument(const QString& value) {
    return QString::fromUtf8(
        QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact).mid(1).chopped(1));
}

Setup& setup() {
    static Setup s;
    return s;
}

void LeafClick_program(benchmark::State& state) {
    Setup& s = setup();
    for (auto _ : state) {
        s.clickLeaf();
    }
}

void LeafClick_bare(benchmark::State& state) {
    Setup& s = setup();
    for (auto _ : state) {
        QStringList columns;
        s.window->Query().GetColumnNames(s.kind, columns);
        benchmark::DoNotOptimize(s.bareValues(s.firstSelectSql(), {}));
        s.bare.load(s.filterPage);
    }
}

// Choosing the makers in turn in row 1; each answer fills row 2 with the maker's models.
void CascadeStep_program(benchmark::State& state) {
    Setup& s = setup();
    s.clickLeaf();
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        s.window->WB->evaluate(QStringLiteral("document.getElementById('value1').value = "
                                              "arguments[0];"),
                               {s.makers[i++ % s.makers.size()]});
        state.ResumeTiming();
        bool cancel = false;
        s.window->commands().WBBeforeNavigate2(QStringLiteral("selectchanged://1/"), cancel);
    }
}

void CascadeStep_bare(benchmark::State& state) {
    Setup& s = setup();
    s.bare.load(s.filterPage);
    const QString script = QStringLiteral(
        "(function (a) {"
        "  document.getElementById('area2').innerHTML = a;"
        "  for (var i = 3; i <= 40; ++i) document.getElementById('area' + i).innerHTML = '';"
        "})(%1)");
    int i = 0;
    for (auto _ : state) {
        const QStringList models =
            s.bareValues(s.nextSelectSql(), {s.makers[i++ % s.makers.size()]});
        s.bare.run(script.arg(jsonArgument(pages::nextSelect(2, models))));
    }
}

} // namespace

BENCHMARK(LeafClick_bare)
    ->Name("LeafClick/bare")
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);
BENCHMARK(LeafClick_program)
    ->Name("LeafClick/program")
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);
BENCHMARK(CascadeStep_bare)
    ->Name("CascadeStep/bare")
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);
BENCHMARK(CascadeStep_program)
    ->Name("CascadeStep/program")
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);
