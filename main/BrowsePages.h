#pragma once

#include <QString>
#include <QStringList>

// The HTML text of the browsing pages, built from data alone (no database, no view), so
// that every piece can be checked and measured without a browser.
namespace pages {

// Text made safe for an attribute value or element text: & < > " and ' as references.
QString escapeHtml(const QString& text);

// The style block every page starts with.
QString headText();
// Opening tag of parameter row `row` (1-based): odd rows white, even rows grey.
QString rowOpening(int row);
// The buttons "添加到配置单" and "参数比较" that end the filter and result pages.
QString twoButtons();

// Drop-down "value1" of the filter page with the option "所有" and one option per value.
QString firstSelect(const QStringList& values);
// Drop-down "value<row>" that the cascade puts into the area of `row`.
QString nextSelect(int row, const QStringList& values);

// The filter page: one row per display name (entry i of `displayNames` is row i + 1);
// row 1 holds `firstSelectMarkup`, the later rows an empty area.
QString filterPage(const QStringList& displayNames, const QString& firstSelectMarkup);

// The result page: one parameter table per product; a product's values stand in the
// order of `displayNames`. Values and names go into the cells as they are.
QString resultPage(const QStringList& displayNames, const QList<QStringList>& products);

// The page shown when a search finds nothing, with its link back to the filter page.
QString notFoundPage();

} // namespace pages
