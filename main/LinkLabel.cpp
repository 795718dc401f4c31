#include "LinkLabel.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    // A style sheet rather than a palette: the window's style sheets would override a
    // palette set here.
    const QString highlight =
        QApplication::palette().color(QPalette::Active, QPalette::Highlight).name();
    setStyleSheet(QStringLiteral("QLabel { color: %1; padding-bottom: 1px; }"
                                 "QLabel:hover { color: red; }")
                      .arg(highlight));
    setCursor(Qt::PointingHandCursor);
    adjustSize();
}

void LinkLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    // The underline is drawn here: the bitmap faces used for Chinese at this size carry no
    // underline of their own.
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    const QRect textRect =
        style()->itemTextRect(fontMetrics(), contentsRect(), int(alignment()), true, text());
    const int y = qMin(textRect.bottom(), height() - 1);
    p.drawLine(textRect.left(), y, textRect.right(), y);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
}
