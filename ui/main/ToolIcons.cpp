#include "ui/main/ToolIcons.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

namespace brindlemar {

namespace {

// Each picture is drawn on a 24 x 24 grid and scaled to the size asked for.
void DrawNew(QPainter& p) {
    QPainterPath page;
    page.moveTo(5, 2);
    page.lineTo(14, 2);
    page.lineTo(19, 7);
    page.lineTo(19, 22);
    page.lineTo(5, 22);
    page.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.drawPolyline(QPolygonF({{14, 2}, {14, 7}, {19, 7}}));
    // a small wall on the new page
    p.setBrush(QColor(51, 51, 153));
    p.drawPolygon(QPolygonF({{9, 10}, {11, 10}, {11.5, 17}, {15, 17}, {15, 19}, {8, 19}, {8, 17}, {9, 17}}));
}

void DrawOpen(QPainter& p) {
    p.setBrush(QColor(240, 200, 90));
    p.drawPolygon(QPolygonF({{2, 6}, {9, 6}, {11, 8}, {20, 8}, {20, 20}, {2, 20}}));
    p.setBrush(QColor(250, 222, 130));
    p.drawPolygon(QPolygonF({{5, 11}, {23, 11}, {20, 20}, {2, 20}}));
}

void DrawSave(QPainter& p) {
    p.setBrush(QColor(60, 90, 160));
    p.drawPolygon(QPolygonF({{3, 3}, {18, 3}, {21, 6}, {21, 21}, {3, 21}}));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6, 3, 11, 7));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(6, 14, 12, 7));
    p.setBrush(QColor(60, 90, 160));
    p.drawRect(QRectF(13, 4.5, 2.5, 4));
}

void DrawPrint(QPainter& p) {
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6, 2, 12, 8));
    p.setBrush(QColor(170, 170, 170));
    p.drawRoundedRect(QRectF(2, 9, 20, 9), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6, 14, 12, 8));
    p.drawLine(QPointF(8, 17), QPointF(16, 17));
    p.drawLine(QPointF(8, 19.5), QPointF(14, 19.5));
    p.setBrush(QColor(60, 170, 60));
    p.drawEllipse(QPointF(18.5, 11.5), 1, 1);
}

void DrawProperties(QPainter& p) {
    // layers of soil and concrete
    const QColor colours[3] = {QColor(190, 150, 100), QColor(150, 150, 150), QColor(51, 51, 153)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(colours[i]);
        p.drawRect(QRectF(3, 4 + i * 6, 18, 5));
    }
}

void DrawLoads(QPainter& p) {
    p.setBrush(QColor(51, 51, 153));
    p.drawRect(QRectF(3, 17, 18, 4));
    QPen pen = p.pen();
    pen.setColor(QColor(0, 0, 255));
    pen.setWidthF(1.6);
    p.setPen(pen);
    p.setBrush(QColor(0, 0, 255));
    for (int x : {6, 12, 18}) {
        p.drawLine(QPointF(x, 2), QPointF(x, 13));
        p.drawPolygon(QPolygonF({{x - 2.5, 11.0}, {x + 2.5, 11.0}, {double(x), 15.5}}));
    }
}

void DrawRestraints(QPainter& p) {
    // a wall held against sliding by a key and a tie
    p.setBrush(QColor(51, 51, 153));
    p.drawPolygon(QPolygonF({{6, 2}, {10, 2}, {10, 15}, {20, 15}, {20, 19}, {13, 19}, {13, 22}, {10, 22}, {10, 19}, {2, 19}, {2, 15}, {6, 15}}));
    QPen pen = p.pen();
    pen.setColor(QColor(128, 0, 128));
    pen.setWidthF(1.8);
    p.setPen(pen);
    p.drawLine(QPointF(10, 8), QPointF(21, 8));
    p.drawLine(QPointF(21, 5), QPointF(21, 11));
}

void DrawStability(QPainter& p) {
    // a balance
    p.setBrush(QColor(80, 80, 80));
    p.drawPolygon(QPolygonF({{12, 4}, {15, 21}, {9, 21}}));
    QPen pen = p.pen();
    pen.setWidthF(1.6);
    p.setPen(pen);
    p.drawLine(QPointF(3, 7), QPointF(21, 7));
    p.setBrush(QColor(60, 170, 60));
    p.drawChord(QRectF(1, 7, 8, 7), 180 * 16, 180 * 16);
    p.drawChord(QRectF(15, 7, 8, 7), 180 * 16, 180 * 16);
}

void DrawReinforcement(QPainter& p) {
    // a concrete section with its bars
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(3, 5, 18, 14));
    p.setBrush(QColor(180, 30, 30));
    for (int x : {7, 12, 17}) {
        p.drawEllipse(QPointF(x, 8.5), 1.6, 1.6);
        p.drawEllipse(QPointF(x, 15.5), 1.6, 1.6);
    }
}

void DrawCalculator(QPainter& p) {
    p.setBrush(QColor(90, 90, 90));
    p.drawRoundedRect(QRectF(5, 2, 14, 20), 2, 2);
    p.setBrush(QColor(200, 230, 200));
    p.drawRect(QRectF(7, 4, 10, 4));
    p.setBrush(Qt::white);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) p.drawRect(QRectF(7 + col * 3.5, 10 + row * 3.8, 2.5, 2.6));
}

void DrawHelp(QPainter& p) {
    p.setBrush(QColor(40, 100, 200));
    p.drawEllipse(QRectF(2, 2, 20, 20));
    QFont font("Liberation Sans");
    font.setPixelSize(16);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(2, 2, 20, 20), Qt::AlignCenter, "?");
}

}  // namespace

QPixmap SharpPixmap(int size) {
    const qreal ratio = qApp->devicePixelRatio();
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap ToolIcon(int index, int size) {
    QPixmap pixmap = SharpPixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 24.0, size / 24.0);
    p.setPen(QPen(QColor(40, 40, 40), 1.0));
    switch (index) {
        case 0: DrawNew(p); break;
        case 1: DrawOpen(p); break;
        case 2: DrawSave(p); break;
        case 3: DrawPrint(p); break;
        case 4: DrawProperties(p); break;
        case 5: DrawLoads(p); break;
        case 6: DrawRestraints(p); break;
        case 7: DrawStability(p); break;
        case 8: DrawReinforcement(p); break;
        case 9: DrawCalculator(p); break;
        default: DrawHelp(p); break;
    }
    return pixmap;
}

}  // namespace brindlemar
