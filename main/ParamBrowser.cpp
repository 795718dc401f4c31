#include "ParamBrowser.h"

#include "BrowsePages.h"
#include "HtmlView.h"
#include "ParamDb.h"

ParamBrowser::ParamBrowser(ParamDb& query, HtmlView& view, BrowseState& state)
    : query_(query), view_(view), state_(state) {}

void ParamBrowser::LoadFieldList(const QString& table, bool convert) {
    query_.GetColumnNames(table, state_.FieldList);
    if (convert) {
        for (QString& name : state_.FieldList) {
            name = displayName(name);
        }
    }
}

QString ParamBrowser::displayName(const QString& column) const {
    return state_.FieldNameMap ? state_.FieldNameMap->ToDisplayName(column) : column;
}

QString ParamBrowser::columnForCaption(const QStringList& columns, const QString& caption) const {
    for (const QString& column : columns) {
        if (displayName(column) == caption) {
            return column;
        }
    }
    return state_.FieldNameMap ? state_.FieldNameMap->ToColumnName(caption) : caption;
}

void ParamBrowser::ShowFilterPage(const QString& table) {
    LoadFieldList(table, false);
    const QStringList columns = state_.FieldList;
    QStringList displayNames;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        state_.FieldList[i] = displayName(columns[i]);
        if (i > 0) {
            displayNames << state_.FieldList[i];
        }
    }
    const QString select = columns.size() > 1 ? BuildFirstSelect(table, columns[1]) : QString();
    view_.loadHtml(pages::filterPage(displayNames, select));
}

QString ParamBrowser::BuildFirstSelect(const QString& table, const QString& column) {
    QStringList values;
    try {
        const QString quoted = ParamDb::quoteIdentifier(column);
        query_.RunQuery(QStringLiteral("SELECT %1 FROM %2 GROUP BY %1")
                            .arg(quoted, ParamDb::quoteIdentifier(table)));
        for (; !query_.Eof(); query_.Next()) {
            values << query_.FieldText(column);
        }
    } catch (const std::exception&) {
        // A kind whose first column cannot be grouped still gets its page, with "所有" only.
        values.clear();
    }
    return pages::firstSelect(values);
}

void ParamBrowser::ShowResultPage(const QString& table) {
    if (query_.RecordCount() == 0) {
        view_.loadHtml(pages::notFoundPage());
        return;
    }
    LoadFieldList(table, false);
    const QStringList columns = state_.FieldList.mid(1);
    QStringList displayNames;
    for (const QString& column : columns) {
        displayNames << displayName(column);
    }
    QList<QStringList> products;
    for (; !query_.Eof(); query_.Next()) {
        QStringList values;
        values.reserve(columns.size());
        for (const QString& column : columns) {
            values << query_.FieldText(column);
        }
        products << values;
    }
    view_.loadHtml(pages::resultPage(displayNames, products));
}
