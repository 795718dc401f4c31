#pragma once

#include <QColor>
#include <QWidget>

// A panel whose background runs from one colour at the left to another at the right.
class GradientPanel : public QWidget {
    Q_OBJECT
public:
    GradientPanel(const QColor& from, const QColor& to, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor from_;
    QColor to_;
};
