#include "LinkLabel.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    setCursor(Qt::PointingHandCursor);
    setHot(false);
    adjustSize();
}

void LinkLabel::setHot(bool hot) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, hot ? QColor(Qt::red) : p.color(QPalette::Highlight));
    setPalette(p);
}

void LinkLabel::enterEvent(QEnterEvent* event) {
    setHot(true);
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
    setHot(false);
    QLabel::leaveEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
}
