#include "FilterPageSnapshot.h"

#include "HtmlView.h"

#include <QVariantList>
#include <QVariantMap>

namespace {

// Finds elements the way the page commands name them: the first element, in document
// order, whose id or name is the given text. One pass over the page serves every lookup
// of a script (a page may hold thousands of options).
const QString kFindElement = QStringLiteral(
    "var byKey = new Map();"
    "document.querySelectorAll('[id],[name]').forEach(function (e) {"
    "  var name = e.getAttribute('name');"
    "  if (e.id && !byKey.has(e.id)) byKey.set(e.id, e);"
    "  if (name && !byKey.has(name)) byKey.set(name, e);"
    "});"
    "function find(key) { var e = byKey.get(key); return e === undefined ? null : e; }");

const QString kReadSnapshot =
    kFindElement +
    QStringLiteral(
        "var count = arguments[0], withMarkup = arguments[1];"
        "var captions = [], values = [];"
        "for (var n = 1; n <= count; ++n) {"
        "  var field = find('Field' + n);"
        "  captions.push(field === null ? null : field.textContent);"
        "  var select = find('value' + n);"
        "  values.push(select === null || select.tagName !== 'SELECT' ? null : select.value);"
        "}"
        "var markup = '';"
        "if (withMarkup) {"
        "  document.querySelectorAll('select').forEach(function (select) {"
        "    for (var i = 0; i < select.options.length; ++i) {"
        "      var option = select.options[i];"
        "      if (option.selected) option.setAttribute('selected', 'selected');"
        "      else option.removeAttribute('selected');"
        "    }"
        "  });"
        "  markup = document.documentElement.innerHTML;"
        "}"
        "return {captions: captions, values: values, markup: markup};");

const QString kApplyUpdates =
    kFindElement +
    QStringLiteral(
        "var updates = arguments[0], targets = [];"
        "for (var i = 0; i < updates.length; ++i) {"
        "  var element = find(updates[i][0]);"
        "  if (element === null) throw new Error('the page has no element ' + updates[i][0]);"
        "  targets.push(element);"
        "}"
        "for (var i = 0; i < updates.length; ++i) {"
        "  if (updates[i][1] === 'markup') targets[i].innerHTML = updates[i][2];"
        "  else targets[i].innerText = updates[i][2];"
        "}"
        "return updates.length;");

QList<std::optional<QString>> toOptionalTexts(const QVariant& list) {
    QList<std::optional<QString>> out;
    for (const QVariant& v : list.toList()) {
        out << (v.isNull() || !v.isValid() ? std::nullopt : std::optional<QString>(v.toString()));
    }
    return out;
}

} // namespace

FilterPageSnapshot FilterPageSnapshot::read(HtmlView& view, int rowCount, bool withMarkup) {
    const QVariantMap result = view.evaluate(kReadSnapshot, {rowCount, withMarkup}).toMap();
    FilterPageSnapshot snapshot;
    snapshot.captions_ = toOptionalTexts(result.value(QStringLiteral("captions")));
    snapshot.values_ = toOptionalTexts(result.value(QStringLiteral("values")));
    snapshot.markup_ = result.value(QStringLiteral("markup")).toString();
    return snapshot;
}

QString FilterPageSnapshot::ReadFieldCaption(int n) const {
    const std::optional<QString> caption = captions_.value(n - 1);
    if (!caption) {
        throw HtmlError(QStringLiteral("页面上没有参数名称 Field%1").arg(n).toStdString());
    }
    return *caption;
}

std::optional<QString> FilterPageSnapshot::selectedValue(int n) const {
    return values_.value(n - 1);
}

QString FilterPageSnapshot::ReadFilterValue(int n) const {
    return selectedValue(n).value_or(QString()).remove(QStringLiteral("所有"));
}

void applyPageUpdates(HtmlView& view, const QList<PageUpdate>& updates) {
    if (updates.isEmpty()) {
        return;
    }
    QVariantList list;
    for (const PageUpdate& u : updates) {
        list << QVariant(QVariantList{u.id,
                                      u.kind == PageUpdate::Kind::Markup ? QStringLiteral("markup")
                                                                         : QStringLiteral("text"),
                                      u.content});
    }
    view.evaluate(kApplyUpdates, {QVariant(list)});
}
