#include "GradientPanel.h"

#include <QLinearGradient>
#include <QPainter>

GradientPanel::GradientPanel(const QColor& from, const QColor& to, QWidget* parent)
    : QWidget(parent), from_(from), to_(to) {}

void GradientPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient gradient(0, 0, width(), 0);
    gradient.setColorAt(0, from_);
    gradient.setColorAt(1, to_);
    p.fillRect(rect(), gradient);
}
