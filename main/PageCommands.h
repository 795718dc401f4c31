#pragma once

#include "BrowseState.h"

#include <QString>
#include <QStringList>

#include <functional>

class FilterPageSnapshot;
class HtmlView;
class ParamBrowser;
class ParamDb;

// A statement with its values to bind, in the order of its "?" marks.
struct BoundQuery {
    QString sql;
    QStringList params;
};

// `text` without `suffix` when it ends with it (compared exactly); else unchanged.
QString TrimTrailing(const QString& text, const QString& suffix);

// The command an address of the main view stands for.
struct PageCommand {
    enum class Kind { None, SelectChanged, GoBack, AddToList, AddToCompare, Search };
    Kind kind = Kind::None;
    // For SelectChanged: what follows the command word, with every "/" removed.
    QString rowText;
};
PageCommand parsePageCommand(const QString& address);

// The main view's navigation handler: recognises the page commands, carries them out
// and cancels their navigation. Every other address proceeds.
class PageCommands {
public:
    PageCommands(ParamBrowser& browser, ParamDb& query, HtmlView& view, BrowseState& state);

    void WBBeforeNavigate2(const QString& address, bool& cancel);

    // The work of the two page buttons, supplied by the windows that collect products.
    std::function<void()> AddCurrentToList;
    std::function<void()> AddCurrentToCompare;

    // The statement of all products matching the chosen values, still ending in " AND "
    // or " WHERE ": rows 1 to the last entry of FieldList.
    BoundQuery BuildFilterQuery(const FilterPageSnapshot& page, const QStringList& columns) const;

private:
    void runCommand(const PageCommand& command);
    void SelectChanged(const QString& rowText);
    void Search();
    void GoBack();
    BoundQuery matchingProducts(const FilterPageSnapshot& page, const QStringList& columns) const;

    ParamBrowser& browser_;
    ParamDb& query_;
    HtmlView& view_;
    BrowseState& state_;
};
