#pragma once

#include "FieldNameIntf.h"

#include <QString>
#include <QStringList>

// What the main window's browsing shares between the category tree, the pages and the
// page commands.
struct BrowseState {
    // The product kind last clicked in the category tree; also its table name.
    QString CurrentTable;
    // Column names (or display names) of a kind's table in column order; entry 0 is "id".
    QStringList FieldList;
    // Markup of the filter page saved by the search command, for going back to it.
    QString LastFilterPage;
    // True while the search centre is open.
    bool SearchMode = false;
    IFieldNamePtr FieldNameMap;
};
