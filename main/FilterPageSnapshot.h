#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class HtmlView;

// What the page commands need of the filter page in the main view, read in one round
// trip: the caption of every row, the selected value of every drop-down and, when asked
// for, the page's markup with the chosen options marked as selected.
class FilterPageSnapshot {
public:
    static FilterPageSnapshot read(HtmlView& view, int rowCount, bool withMarkup = false);

    // Text of the caption "Field<n>"; throws when the page has no such element.
    QString ReadFieldCaption(int n) const;
    // Selected value of the drop-down "value<n>" with every "所有" removed; empty when
    // the row has no drop-down (it is empty, or holds a plain value).
    QString ReadFilterValue(int n) const;
    // Selected value of "value<n>" as it stands; none when there is no drop-down.
    std::optional<QString> selectedValue(int n) const;
    // The markup of the page (only when read with markup).
    QString markup() const { return markup_; }

private:
    QList<std::optional<QString>> captions_;
    QList<std::optional<QString>> values_;
    QString markup_;
};

// One change of an element of the page, applied together with others in one round trip.
struct PageUpdate {
    enum class Kind { Text, Markup };
    QString id;
    Kind kind;
    QString content;
};

// Applies the changes in order. When an element is missing nothing is changed and the
// call throws.
void applyPageUpdates(HtmlView& view, const QList<PageUpdate>& updates);
