#include "BrowsePages.h"

namespace pages {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

const QString kTableOpening = QStringLiteral(
    "<table id=\"mytable\" name=\"mytable\" style=\"border:solid 1px black;\" width=\"100%\" "
    "border=\"0\" cellpadding=\"5\" cellspacing=\"0\">");

const QString kAll = QStringLiteral("所有");

void appendOptions(QString& out, const QStringList& values, const QString& format) {
    for (const QString& value : values) {
        const QString escaped = escapeHtml(value);
        out += format.arg(escaped, escaped);
    }
}

} // namespace

QString escapeHtml(const QString& text) {
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '"':
            out += QLatin1String("&quot;");
            break;
        case '\'':
            out += QLatin1String("&#39;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString headText() {
    return QStringLiteral("<html><head><title></title></head><body><style type=\"text/css\">  "
                          "table{font-size:12px; font-family:宋体;}") +
           kCrLf + QStringLiteral("  .rows2{background-color:#FFFFFF}") + kCrLf +
           QStringLiteral("  .rows1{background-color:#D9D9D9}") + kCrLf +
           QStringLiteral("  .ltd{border-right:solid 1px #000000}</style>");
}

QString rowOpening(int row) {
    return QStringLiteral("<tr class=\"rows%1\">").arg(row % 2 + 1);
}

QString twoButtons() {
    return QStringLiteral("<div align=\"center\"><input "
                          "onclick=\"javascript:window.location='AddToList://';\" "
                          "type=\"button\" value=\"添加到配置单\" />") +
           QStringLiteral("&nbsp;<input onclick=\"javascript:window.location='AddToCompare://';\" "
                          "type=\"button\" value=\"参数比较\" /></div>");
}

QString firstSelect(const QStringList& values) {
    QString out = QStringLiteral("<select name=\"value1\" size=\"1\" id=\"value1\" "
                                 "onchange=\"javascript:window.location='selectchanged://1'\">"
                                 "<option value=\"所有\">所有</option>");
    appendOptions(out, values, QStringLiteral("<option value=\"%1\">%2</option>"));
    out += QStringLiteral("</select>");
    return out;
}

QString nextSelect(int row, const QStringList& values) {
    QString out = QStringLiteral("<SELECT size=\"1\" name=\"value%1\", id=\"value%1\" "
                                 "onchange=\"javascript:window.location=%2\">")
                      .arg(row)
                      .arg(QStringLiteral("'selectchanged://%1'").arg(row));
    out += QStringLiteral("<OPTION VALUE=\"%1\">%1</OPTION>").arg(kAll);
    appendOptions(out, values, QStringLiteral("<OPTION VALUE=\"%1\">%2</OPTION>"));
    out += QStringLiteral("</SELECT>");
    return out;
}

QString filterPage(const QStringList& displayNames, const QString& firstSelectMarkup) {
    QString out = headText();
    out += QStringLiteral("<form>") + kTableOpening;
    for (int row = 1; row <= displayNames.size(); ++row) {
        out += rowOpening(row);
        out += QStringLiteral("<td class=\"ltd\" width=\"25%\"><div id=\"Field");
        out += QString::number(row);
        out += QStringLiteral("\">");
        out += escapeHtml(displayNames[row - 1]);
        out += QStringLiteral("</div></td>");
        if (row == 1) {
            out +=
                QStringLiteral("<td width=\"75%\">") + firstSelectMarkup + QStringLiteral("</td>");
        } else {
            out +=
                QStringLiteral("<td width=\"75%\"><div name=\"area%1\" id=\"area%1\"></div></td>")
                    .arg(row);
        }
        out += QStringLiteral("</tr>");
    }
    out += QStringLiteral("</table></form>");
    out += twoButtons();
    out += QStringLiteral("</body></html>");
    return out;
}

QString resultPage(const QStringList& displayNames, const QList<QStringList>& products) {
    QString out = headText();
    for (const QStringList& values : products) {
        out += kTableOpening;
        for (int row = 1; row <= displayNames.size(); ++row) {
            out += rowOpening(row);
            out += QStringLiteral("<td class=\"ltd\" width=\"25%\">");
            out += displayNames[row - 1];
            out += QStringLiteral("</td><td width=\"75%\">");
            out += values.value(row - 1);
            out += QStringLiteral("</td></tr>");
        }
        out += QStringLiteral("</table><br />");
    }
    out += twoButtons();
    out += QStringLiteral("</body></html>");
    return out;
}

QString notFoundPage() {
    return QStringLiteral("未找到你所要检索的内容。<a href=\"goback://\">返回重新设置</a>");
}

} // namespace pages
