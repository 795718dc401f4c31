#pragma once

#include "BrowseState.h"

#include <QString>

class HtmlView;
class ParamDb;

// The filter page and the result page of a product kind in the main view.
class ParamBrowser {
public:
    ParamBrowser(ParamDb& query, HtmlView& view, BrowseState& state);

    // Fills FieldList with the column names of `table`; with `convert`, with their
    // display names. A table that does not exist gives an empty list.
    void LoadFieldList(const QString& table, bool convert);

    // Builds the filter page of `table` and loads it into the view.
    void ShowFilterPage(const QString& table);
    // The drop-down "value1" of the distinct values of `column` in `table`. A query the
    // database rejects leaves only the option "所有".
    QString BuildFirstSelect(const QString& table, const QString& column);

    // Shows the rows of the query (already run, standing on its first row) as one
    // parameter table per product, or the not-found text when it has no rows.
    void ShowResultPage(const QString& table);

    // The display name of a column.
    QString displayName(const QString& column) const;
    // The column among `columns` shown as `caption`: the column whose display name it is,
    // or else the caption converted back to the column form.
    QString columnForCaption(const QStringList& columns, const QString& caption) const;

private:
    ParamDb& query_;
    HtmlView& view_;
    BrowseState& state_;
};
