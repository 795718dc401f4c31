#include "FieldNameImpl.h"

#include <array>
#include <utility>

namespace {

using Pair = std::pair<const char16_t*, const char16_t*>;

// Column form -> display form, applied in this order. Brackets come first so that
// 【度】 becomes (度) before the last step turns it into (℃).
constexpr std::array<Pair, 6> kToDisplay{{
    {u"【", u"("},
    {u"】", u")"},
    {u"GBs", u"GB/s"},
    {u"MBs", u"MB/s"},
    {u"USBHUB", u"USB-HUB"},
    {u"(度)", u"(℃)"},
}};

// Each step replaces every occurrence, left to right, without searching the
// replacement text again.
QString replaceAll(QString text, const char16_t* pattern, const char16_t* replacement) {
    return text.replace(QString::fromUtf16(pattern), QString::fromUtf16(replacement),
                        Qt::CaseSensitive);
}

} // namespace

QString TFieldNameImpl::ToDisplayName(const QString& columnName) const {
    QString result = columnName;
    for (const auto& [column, display] : kToDisplay) {
        result = replaceAll(result, column, display);
    }
    return result;
}

QString TFieldNameImpl::ToColumnName(const QString& displayName) const {
    QString result = displayName;
    for (auto it = kToDisplay.rbegin(); it != kToDisplay.rend(); ++it) {
        result = replaceAll(result, it->second, it->first);
    }
    return result;
}

IFieldNamePtr TFieldNameImpl::create() {
    return std::make_shared<TFieldNameImpl>();
}
