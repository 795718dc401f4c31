#include "HeaderPictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace headerpictures {

QPixmap titleBand() {
    QPixmap pixmap(267, 26);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QFont latin(QStringLiteral("DejaVu Sans"));
    latin.setPixelSize(19);
    latin.setBold(true);
    latin.setItalic(true);
    QPainterPath path;
    path.addText(2, 20, latin, QStringLiteral("2010Parvex"));
    QFont han(QStringLiteral("宋体"));
    han.setPixelSize(17);
    han.setBold(true);
    path.addText(132, 20, han, QStringLiteral("IT产品参数大全"));

    QLinearGradient fill(0, 0, 0, 26);
    fill.setColorAt(0, QColor(24, 64, 160));
    fill.setColorAt(1, QColor(10, 30, 96));
    p.setPen(QPen(QColor(255, 255, 255, 200), 2.5));
    p.drawPath(path);
    p.fillPath(path, fill);
    return pixmap;
}

QPixmap screenEmblem() {
    QPixmap pixmap(101, 87);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    // Stand and foot.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 120, 140));
    p.drawRect(QRectF(44, 62, 13, 12));
    p.drawRoundedRect(QRectF(28, 73, 45, 6), 3, 3);

    // Bezel.
    QLinearGradient bezel(0, 12, 0, 64);
    bezel.setColorAt(0, QColor(70, 80, 100));
    bezel.setColorAt(1, QColor(30, 36, 48));
    p.setBrush(bezel);
    p.drawRoundedRect(QRectF(8, 12, 85, 52), 5, 5);

    // Screen with a little bar chart of parameters.
    QLinearGradient screen(0, 16, 0, 58);
    screen.setColorAt(0, QColor(150, 200, 255));
    screen.setColorAt(1, QColor(40, 100, 200));
    p.setBrush(screen);
    p.drawRect(QRectF(13, 17, 75, 41));
    p.setBrush(QColor(255, 255, 255, 210));
    const int heights[] = {12, 22, 17, 30, 25};
    for (int i = 0; i < 5; ++i) {
        p.drawRect(QRectF(20 + i * 13, 54 - heights[i], 8, heights[i]));
    }
    return pixmap;
}

} // namespace headerpictures
