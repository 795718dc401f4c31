#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <stdexcept>

class QTreeWidget;

// The category file: a GBK text file whose lines are the entries of the category tree.
// A line's indentation (TAB and space characters, one level each) places its entry in
// the tree; the leaves name the product kinds.

// One line of the category file.
struct CategoryLine {
    int level = 0; // number of TAB and space characters at the line's start
    QString text;  // the rest of the line, unchanged

    friend bool operator==(const CategoryLine&, const CategoryLine&) = default;
};

// A category file that cannot be read, or a line whose level does not fit the tree.
// what() is UTF-8 text meant for the user.
class CategoryFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Splits GBK text into lines. A line ends at CR LF, LF alone or CR alone; the text ends
// at the end of `bytes` or at the first NUL byte. A line end after the last line makes
// no extra entry; an empty line is an entry (level 0, empty text). No byte-order mark is
// recognised: one stays part of the first line's text.
QList<CategoryLine> splitCategoryText(const QByteArray& bytes);

// Reads the whole file at `path` and splits it as splitCategoryText does. Throws
// CategoryFileError naming the file when it cannot be opened or read.
QList<CategoryLine> readCategoryFile(const QString& path);

// Replaces the entries of `tree` (one column) with `lines`, in order. Each line is
// compared with the entry made from the line before it (the previous entry; a top-level
// entry is at depth 0):
// - the first line makes a top-level entry, whatever its level;
// - a level equal to the previous entry's depth makes a sibling of it;
// - a level one more than that depth makes a child of it;
// - a smaller level makes a sibling of the previous entry's ancestor at that depth;
// - a level two or more above that depth throws CategoryFileError naming the line, its
//   level and its text; the entries made before that line stay in the tree.
void fillCategoryTree(QTreeWidget* tree, const QList<CategoryLine>& lines);

// Reads the category file at `path`, then fills `tree` with it. When the file cannot be
// read the tree is left as it was.
void loadCategoryTree(QTreeWidget* tree, const QString& path);

// Texts of the entries without children, in tree order (each top-level entry followed
// by its descendants, depth first), which is the order of their lines in the file.
QStringList leafTexts(const QTreeWidget* tree);
