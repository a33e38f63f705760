#include "widgets/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace wyndlor {
namespace {

// Every picture is drawn on a 32 × 32 grid and scaled by Qt for the
// toolbar's icon size.
constexpr int kGrid = 32;
const QColor kOutline(40, 40, 40);

void DrawPage(QPainter &p) {
    QPainterPath page;
    page.moveTo(7, 3);
    page.lineTo(20, 3);
    page.lineTo(26, 9);
    page.lineTo(26, 29);
    page.lineTo(7, 29);
    page.closeSubpath();
    p.setPen(QPen(kOutline, 1.5));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.setBrush(QColor(210, 210, 210));
    p.drawPolygon(QPolygonF({QPointF(20, 3), QPointF(20, 9), QPointF(26, 9)}));
    p.setPen(QPen(QColor(150, 170, 200), 1.2));
    for (int y = 14; y <= 25; y += 4) p.drawLine(10, y, 23, y);
}

void DrawFolder(QPainter &p) {
    p.setPen(QPen(kOutline, 1.5));
    p.setBrush(QColor(214, 168, 54));
    p.drawPolygon(QPolygonF({QPointF(3, 8), QPointF(11, 8), QPointF(13, 11), QPointF(25, 11),
                             QPointF(25, 27), QPointF(3, 27)}));
    p.setBrush(QColor(250, 210, 90));
    p.drawPolygon(QPolygonF({QPointF(3, 27), QPointF(8, 15), QPointF(30, 15), QPointF(25, 27)}));
}

void DrawDisk(QPainter &p, const QRectF &r) {
    p.setPen(QPen(kOutline, 1.5));
    p.setBrush(QColor(45, 90, 170));
    p.drawRoundedRect(r, 2, 2);
    const qreal w = r.width(), h = r.height();
    p.setBrush(QColor(200, 205, 215));  // shutter
    p.drawRect(QRectF(r.left() + w * 0.25, r.top(), w * 0.5, h * 0.3));
    p.setBrush(Qt::white);              // label
    p.drawRect(QRectF(r.left() + w * 0.15, r.top() + h * 0.5, w * 0.7, h * 0.42));
}

void DrawPen(QPainter &p) {
    p.save();
    p.translate(22, 22);
    p.rotate(-45);
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(QColor(240, 180, 40));
    p.drawRect(QRectF(-2.5, -11, 5, 16));
    p.setBrush(QColor(235, 200, 160));
    p.drawPolygon(QPolygonF({QPointF(-2.5, 5), QPointF(2.5, 5), QPointF(0, 10)}));
    p.restore();
}

void DrawPrinter(QPainter &p) {
    p.setPen(QPen(kOutline, 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 3, 14, 10));  // paper going in
    p.setBrush(QColor(170, 170, 175));
    p.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 20, 16, 9));  // paper coming out
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.drawLine(11, 24, 21, 24);
    p.setBrush(QColor(60, 180, 80));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(25, 16), 1.5, 1.5);
}

// Two sheets, the copy lying over the original.
void DrawCopy(QPainter &p) {
    p.setPen(QPen(kOutline, 1.5));
    p.setBrush(QColor(235, 235, 235));
    p.drawRect(QRectF(4, 3, 16, 20));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(12, 9, 16, 20));
    p.setPen(QPen(QColor(150, 170, 200), 1.2));
    for (int y = 14; y <= 25; y += 4) p.drawLine(15, y, 25, y);
}

}  // namespace

QIcon ToolbarIcon(const QString &key) {
    QPixmap pix(kGrid, kGrid);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    if (key == QLatin1String("New"))
        DrawPage(p);
    else if (key == QLatin1String("Open"))
        DrawFolder(p);
    else if (key == QLatin1String("Save"))
        DrawDisk(p, QRectF(4, 4, 24, 24));
    else if (key == QLatin1String("SaveAs")) {
        DrawDisk(p, QRectF(2, 2, 22, 22));
        DrawPen(p);
    } else if (key == QLatin1String("Printer"))
        DrawPrinter(p);
    else if (key == QLatin1String("Copy"))
        DrawCopy(p);
    else
        return QIcon();
    p.end();
    return QIcon(pix);
}

}  // namespace wyndlor
