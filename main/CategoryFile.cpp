#include "CategoryFile.h"

#include "GbkCodec.h"

#include <QFile>
#include <QTreeWidget>
#include <QTreeWidgetItem>

#include <vector>

namespace {

bool isIndent(char byte) {
    return byte == '\t' || byte == ' ';
}

bool isLineEnd(char byte) {
    return byte == '\r' || byte == '\n';
}

// TAB, space, CR and LF are single bytes in GBK and never the second byte of a character,
// so the text can be cut into lines and indentation before it is decoded.
CategoryLine makeLine(const char* data, qsizetype size) {
    qsizetype indent = 0;
    while (indent < size && isIndent(data[indent])) {
        ++indent;
    }
    return CategoryLine{static_cast<int>(indent), gbk::decode(data + indent, size - indent)};
}

void addLeafTexts(const QTreeWidgetItem* item, QStringList& leaves) {
    if (item->childCount() == 0) {
        leaves.append(item->text(0));
        return;
    }
    for (int i = 0; i < item->childCount(); ++i) {
        addLeafTexts(item->child(i), leaves);
    }
}

} // namespace

QList<CategoryLine> splitCategoryText(const QByteArray& bytes) {
    const qsizetype nul = bytes.indexOf('\0');
    const qsizetype end = nul < 0 ? bytes.size() : nul;
    const char* data = bytes.constData();

    QList<CategoryLine> lines;
    qsizetype start = 0;
    while (start < end) {
        qsizetype stop = start;
        while (stop < end && !isLineEnd(data[stop])) {
            ++stop;
        }
        lines.append(makeLine(data + start, stop - start));
        const bool crLf = stop + 1 < end && data[stop] == '\r' && data[stop + 1] == '\n';
        start = stop + (crLf ? 2 : 1);
    }
    return lines;
}

QList<CategoryLine> readCategoryFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw CategoryFileError(
            QStringLiteral("无法打开分类文件“%1”：%2").arg(path, file.errorString()).toStdString());
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw CategoryFileError(
            QStringLiteral("无法读取分类文件“%1”：%2").arg(path, file.errorString()).toStdString());
    }
    return splitCategoryText(bytes);
}

void fillCategoryTree(QTreeWidget* tree, const QList<CategoryLine>& lines) {
    tree->clear();
    // path[d] is the previous entry's ancestor at depth d; its last element is the
    // previous entry itself.
    std::vector<QTreeWidgetItem*> path;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const CategoryLine& line = lines[i];
        int newDepth = 0;
        if (!path.empty()) {
            const auto previousDepth = static_cast<int>(path.size()) - 1;
            if (line.level > previousDepth + 1) {
                throw CategoryFileError(QStringLiteral("分类文件第%1行的层次%2无效：“%3”")
                                            .arg(i + 1)
                                            .arg(line.level)
                                            .arg(line.text)
                                            .toStdString());
            }
            newDepth = line.level;
        }
        path.resize(newDepth);
        auto* item = newDepth == 0 ? new QTreeWidgetItem(tree) : new QTreeWidgetItem(path.back());
        item->setText(0, line.text);
        path.push_back(item);
    }
}

void loadCategoryTree(QTreeWidget* tree, const QString& path) {
    fillCategoryTree(tree, readCategoryFile(path));
}

QStringList leafTexts(const QTreeWidget* tree) {
    QStringList leaves;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        addLeafTexts(tree->topLevelItem(i), leaves);
    }
    return leaves;
}
