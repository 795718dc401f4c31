#include "PageCommands.h"

#include "BrowsePages.h"
#include "FilterPageSnapshot.h"
#include "HtmlView.h"
#include "MessageBoxes.h"
#include "ParamBrowser.h"
#include "ParamDb.h"

#include <stdexcept>

namespace {

const QString kSelectChanged = QStringLiteral("SELECTCHANGED://");
const QString kAll = QStringLiteral("所有");

// Command words match in any letter case; only ASCII letters are folded.
QString asciiUpper(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) {
            c = QChar(c.unicode() - ('a' - 'A'));
        }
    }
    return out;
}

} // namespace

QString TrimTrailing(const QString& text, const QString& suffix) {
    if (text.size() >= suffix.size() && text.endsWith(suffix, Qt::CaseSensitive)) {
        return text.left(text.size() - suffix.size());
    }
    return text;
}

PageCommand parsePageCommand(const QString& address) {
    const QString upper = asciiUpper(address);
    if (upper.startsWith(kSelectChanged)) {
        QString rest = upper;
        rest.remove(kSelectChanged).remove(QLatin1Char('/'));
        return {PageCommand::Kind::SelectChanged, rest};
    }
    static const std::pair<const char*, PageCommand::Kind> kExact[] = {
        {"GOBACK:///", PageCommand::Kind::GoBack},
        {"ADDTOLIST:///", PageCommand::Kind::AddToList},
        {"ADDTOCOMPARE:///", PageCommand::Kind::AddToCompare},
        {"SEARCH:///", PageCommand::Kind::Search},
    };
    for (const auto& [word, kind] : kExact) {
        if (upper == QLatin1String(word)) {
            return {kind, QString()};
        }
    }
    return {};
}

PageCommands::PageCommands(ParamBrowser& browser, ParamDb& query, HtmlView& view,
                           BrowseState& state)
    : browser_(browser), query_(query), view_(view), state_(state) {}

void PageCommands::WBBeforeNavigate2(const QString& address, bool& cancel) {
    const PageCommand command = parsePageCommand(address);
    if (command.kind == PageCommand::Kind::None) {
        return;
    }
    // A command address never becomes a real navigation, also when its work fails.
    cancel = true;
    try {
        runCommand(command);
    } catch (const std::exception& e) {
        reportError(view_.window(), e);
    }
}

void PageCommands::runCommand(const PageCommand& command) {
    switch (command.kind) {
    case PageCommand::Kind::SelectChanged:
        SelectChanged(command.rowText);
        break;
    case PageCommand::Kind::GoBack:
        GoBack();
        break;
    case PageCommand::Kind::AddToList:
        if (AddCurrentToList) {
            AddCurrentToList();
        }
        break;
    case PageCommand::Kind::AddToCompare:
        if (AddCurrentToCompare) {
            AddCurrentToCompare();
        }
        break;
    case PageCommand::Kind::Search:
        Search();
        break;
    case PageCommand::Kind::None:
        break;
    }
}

BoundQuery PageCommands::BuildFilterQuery(const FilterPageSnapshot& page,
                                          const QStringList& columns) const {
    BoundQuery q{QStringLiteral("SELECT * FROM %1 WHERE ")
                     .arg(ParamDb::quoteIdentifier(state_.CurrentTable)),
                 {}};
    const auto addCondition = [&](int row, const QString& value) {
        const QString column = browser_.columnForCaption(columns, page.ReadFieldCaption(row));
        q.sql += QStringLiteral("%1=? AND ").arg(ParamDb::quoteIdentifier(column));
        q.params << value;
    };
    // Row 1 sets no condition for exactly "所有"; later rows drop every "所有" from their
    // value and set none when nothing is left (or when they hold no drop-down).
    const std::optional<QString> first = page.selectedValue(1);
    if (first && *first != kAll) {
        addCondition(1, *first);
    }
    for (int row = 2; row < state_.FieldList.size(); ++row) {
        const QString value = page.ReadFilterValue(row);
        if (!value.isEmpty()) {
            addCondition(row, value);
        }
    }
    return q;
}

BoundQuery PageCommands::matchingProducts(const FilterPageSnapshot& page,
                                          const QStringList& columns) const {
    BoundQuery q = BuildFilterQuery(page, columns);
    q.sql = TrimTrailing(TrimTrailing(q.sql, QStringLiteral(" AND ")), QStringLiteral(" WHERE "));
    return q;
}

void PageCommands::SelectChanged(const QString& rowText) {
    bool ok = false;
    const int changedRow = rowText.toInt(&ok);
    if (!ok) {
        throw std::runtime_error(QStringLiteral("无法识别的行号：%1").arg(rowText).toStdString());
    }
    const int nextRow = changedRow + 1;

    browser_.LoadFieldList(state_.CurrentTable, false);
    const QStringList columns = state_.FieldList;
    if (columns.size() == nextRow) {
        return; // the last row changed: nothing follows it
    }
    const FilterPageSnapshot page = FilterPageSnapshot::read(view_, int(columns.size()) - 1);
    if (state_.FieldList.size() > nextRow) {
        state_.FieldList.resize(nextRow); // conditions come from rows 1..changedRow only
    }
    const BoundQuery matching = matchingProducts(page, columns);
    const QString column = browser_.columnForCaption(columns, page.ReadFieldCaption(nextRow));
    const QString quotedColumn = ParamDb::quoteIdentifier(column);

    BoundQuery distinct = matching;
    distinct.sql.replace(0, int(qstrlen("SELECT *")), QStringLiteral("SELECT ") + quotedColumn);
    distinct.sql += QStringLiteral(" GROUP BY %1").arg(quotedColumn);
    query_.RunQuery(distinct.sql, distinct.params);

    QList<PageUpdate> updates;
    if (query_.RecordCount() < 2) {
        // One value or none left: the rest of the page shows the first matching product.
        query_.RunQuery(matching.sql, matching.params);
        for (int row = nextRow; row < columns.size(); ++row) {
            updates << PageUpdate{QStringLiteral("area%1").arg(row), PageUpdate::Kind::Text,
                                  query_.FieldText(columns[row])};
        }
    } else {
        QStringList values;
        for (; !query_.Eof(); query_.Next()) {
            values << query_.FieldText(column);
        }
        updates << PageUpdate{QStringLiteral("area%1").arg(nextRow), PageUpdate::Kind::Markup,
                              pages::nextSelect(nextRow, values)};
        for (int row = nextRow + 1; row < columns.size(); ++row) {
            updates << PageUpdate{QStringLiteral("area%1").arg(row), PageUpdate::Kind::Markup,
                                  QString()};
        }
    }
    state_.FieldList = columns; // all columns again, as after every command
    applyPageUpdates(view_, updates);
}

void PageCommands::Search() {
    browser_.LoadFieldList(state_.CurrentTable, false);
    const QStringList columns = state_.FieldList;
    const FilterPageSnapshot page =
        FilterPageSnapshot::read(view_, int(columns.size()) - 1, /*withMarkup=*/true);
    const BoundQuery matching = matchingProducts(page, columns);
    state_.LastFilterPage = page.markup();
    query_.RunQuery(matching.sql, matching.params);
    browser_.ShowResultPage(state_.CurrentTable);
}

void PageCommands::GoBack() {
    if (!state_.LastFilterPage.isEmpty()) {
        view_.loadHtml(state_.LastFilterPage);
    }
}
