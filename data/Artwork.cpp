// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Artwork.h"

#include "data/PaintKit.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace zorvek::data {
namespace {

using namespace paint;

// ---------------------------------------------------------------------------
// Small helpers for the fixed pictures.

QPolygonF zigZagZ(QRectF box)
{
    auto at = [&box](double x, double y) {
        return QPointF(box.left() + x * box.width(), box.top() + y * box.height());
    };
    return QPolygonF{at(0, 0), at(1, 0), at(1, 0.17), at(0.32, 0.83), at(1, 0.83),
                     at(1, 1), at(0, 1), at(0, 0.83), at(0.68, 0.17), at(0, 0.17)};
}

QPainterPath questionMark(QPointF c, double s)
{
    QPainterPath path;
    path.moveTo(c + QPointF(-s * 0.5, -s * 0.45));
    path.arcTo(QRectF(c.x() - s * 0.5, c.y() - s, s, s * 0.9), 180, -220);
    path.quadTo(c + QPointF(0, -s * 0.05), c + QPointF(0, s * 0.25));
    return path;
}

void strokeQuestion(QPainter& p, QPointF c, double s, const QColor& colour)
{
    p.setPen(QPen(colour, s * 0.22, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(questionMark(c, s));
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(c + QPointF(0, s * 0.62), s * 0.13, s * 0.13);
}

void drawGear(QPainter& p, QPointF c, double r, const QColor& colour)
{
    QPolygonF teeth;
    for (int k = 0; k < 8; ++k) { // flat-topped teeth read as a gear even when tiny
        const double a = k * kPi / 4;
        for (auto [da, rr] : {std::pair{-0.24, 0.74}, {-0.15, 1.0}, {0.15, 1.0}, {0.24, 0.74}})
            teeth.append(c + QPointF(r * rr * std::cos(a + da), r * rr * std::sin(a + da)));
    }
    QPainterPath gear;
    gear.addPolygon(teeth);
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(c, r * 0.3, r * 0.3);
    QRadialGradient metal(c - QPointF(r / 3, r / 3), r * 1.5);
    metal.setColorAt(0, colour.lighter(130));
    metal.setColorAt(1, colour.darker(130));
    p.setPen(QPen(colour.darker(180), 1));
    p.setBrush(metal);
    p.drawPath(gear.subtracted(hole));
}

void drawMonsterHead(QPainter& p, QRectF box, const QColor& skin)
{
    const double w = box.width(), h = box.height();
    auto at = [&](double x, double y) { return QPointF(box.left() + x * w, box.top() + y * h); };
    p.setPen(QPen(skin.darker(180), std::max(1.0, w / 40)));
    p.setBrush(skin.lighter(115));
    p.drawPolygon(QPolygonF{at(0.18, 0.35), at(0.1, 0.02), at(0.36, 0.22)}); // horns
    p.drawPolygon(QPolygonF{at(0.82, 0.35), at(0.9, 0.02), at(0.64, 0.22)});
    p.setBrush(skin);
    p.drawEllipse(QRectF(at(0.08, 0.15), at(0.92, 0.98)));
    p.setBrush(Qt::white);
    p.drawEllipse(at(0.35, 0.5), w * 0.12, h * 0.13);
    p.drawEllipse(at(0.65, 0.5), w * 0.12, h * 0.13);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(25, 25, 35));
    p.drawEllipse(at(0.37, 0.53), w * 0.055, h * 0.065);
    p.drawEllipse(at(0.63, 0.53), w * 0.055, h * 0.065);
    p.setPen(QPen(skin.darker(200), std::max(1.0, w / 30), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(at(0.35, 0.62), at(0.65, 0.84)), 200 * 16, 140 * 16); // a friendly grin
}

} // namespace

QImage dumpButtonPicture()
{
    QImage image = canvas(32, 32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath page;
    page.moveTo(4.5, 2.5);
    page.lineTo(16.5, 2.5);
    page.lineTo(22.5, 8.5);
    page.lineTo(22.5, 28.5);
    page.lineTo(4.5, 28.5);
    page.closeSubpath();
    p.setPen(QPen(QColor(70, 75, 90), 1));
    p.setBrush(QColor(250, 250, 245));
    p.drawPath(page);
    p.drawPolyline(QPolygonF{{16.5, 2.5}, {16.5, 8.5}, {22.5, 8.5}});
    p.setPen(QPen(QColor(120, 130, 150), 1.2));
    for (int y = 12; y <= 24; y += 3)
        p.drawLine(QPointF(7.5, y), QPointF(y < 20 ? 19.5 : 14.5, y));
    // The arrow: the stats go out into a file.
    const QPolygonF arrow{{21, 14}, {27, 14}, {27, 22}, {31, 22}, {24, 30}, {17, 22}, {21, 22}};
    p.setPen(QPen(QColor(20, 70, 30), 1));
    p.setBrush(QColor(60, 180, 80));
    p.drawPolygon(arrow);
    return image;
}

QImage lockButtonPicture()
{
    QImage image = canvas(32, 32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 125, 135), 3.5));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(9, 3, 14, 18), 0, 180 * 16);
    p.drawLine(QPointF(9, 12), QPointF(9, 15));
    p.drawLine(QPointF(23, 12), QPointF(23, 15));
    QLinearGradient brass(5, 14, 27, 30);
    brass.setColorAt(0, QColor(255, 224, 120));
    brass.setColorAt(1, QColor(190, 130, 30));
    p.setPen(QPen(QColor(120, 80, 20), 1));
    p.setBrush(brass);
    p.drawRoundedRect(QRectF(5.5, 14.5, 21, 15), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(50, 35, 15));
    p.drawEllipse(QPointF(16, 20.5), 2.5, 2.5);
    p.drawPolygon(QPolygonF{{15, 21}, {17, 21}, {18, 26}, {14, 26}});
    return image;
}

QImage monsterPlaceholderPicture()
{
    QImage image = canvas(153, 119);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 119);
    sky.setColorAt(0, QColor(196, 206, 236));
    sky.setColorAt(1, QColor(150, 164, 204));
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 100, 140, 90));
    p.drawEllipse(QPointF(66, 108), 44, 7); // shadow on the ground

    const QColor body(62, 68, 98);
    p.setBrush(body);
    p.drawEllipse(QRectF(38, 78, 16, 30)); // feet
    p.drawEllipse(QRectF(78, 78, 16, 30));
    QPainterPath blob;
    blob.moveTo(24, 96);
    blob.cubicTo(16, 60, 36, 28, 66, 28);
    blob.cubicTo(96, 28, 116, 60, 108, 96);
    blob.quadTo(66, 106, 24, 96);
    p.drawPath(blob);
    p.drawPolygon(QPolygonF{{40, 44}, {30, 14}, {56, 33}}); // horns
    p.drawPolygon(QPolygonF{{92, 44}, {102, 14}, {76, 33}});
    p.drawEllipse(QRectF(12, 62, 20, 14)); // little arms
    p.drawEllipse(QRectF(100, 62, 20, 14));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(53, 58), 9, 10);
    p.drawEllipse(QPointF(79, 58), 9, 10);
    p.setBrush(QColor(20, 22, 34));
    p.drawEllipse(QPointF(55, 60), 4, 5);
    p.drawEllipse(QPointF(77, 60), 4, 5);
    p.setPen(QPen(QColor(230, 232, 245), 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(52, 66, 28, 16), 200 * 16, 140 * 16);

    // A speech bubble with a question mark: the real graphic is not known here.
    p.setPen(QPen(QColor(70, 80, 120), 2));
    p.setBrush(QColor(255, 255, 250));
    p.drawEllipse(QRectF(108, 6, 38, 34));
    p.drawPolygon(QPolygonF{{112, 32}, {104, 44}, {120, 37}});
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(112, 31, 8, 5));
    strokeQuestion(p, QPointF(127, 24), 16, QColor(200, 60, 60));
    return image;
}

QImage equipmentIcon(int slot)
{
    if (slot < 0 || slot > 4)
        return {};
    QImage image = canvas(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor steel(200, 206, 218), dark(60, 64, 76), gold(220, 170, 50);
    p.setPen(QPen(dark, 1));
    switch (slot) {
    case 0: // sword
        p.setBrush(steel);
        p.drawPolygon(QPolygonF{{14.5, 1.5}, {14, 4}, {6, 12}, {4, 10}, {12, 2}});
        p.setPen(QPen(gold, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(2.5, 9.5), QPointF(6.5, 13.5));
        p.setPen(QPen(QColor(120, 70, 30), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(2, 14), QPointF(4, 12));
        break;
    case 1: { // shield
        QPainterPath shield;
        shield.moveTo(2.5, 2.5);
        shield.lineTo(13.5, 2.5);
        shield.cubicTo(13.5, 9, 11, 12.5, 8, 14.5);
        shield.cubicTo(5, 12.5, 2.5, 9, 2.5, 2.5);
        p.setBrush(QColor(60, 100, 200));
        p.drawPath(shield);
        p.setPen(QPen(gold, 1.5));
        p.drawLine(QPointF(8, 4), QPointF(8, 12));
        p.drawLine(QPointF(4.5, 7), QPointF(11.5, 7));
        break;
    }
    case 2: // helmet
        p.setBrush(steel);
        p.drawChord(QRectF(2.5, 2.5, 11, 16), 0, 180 * 16);
        p.drawRect(QRectF(2.5, 10.5, 3, 4)); // cheek guards
        p.drawRect(QRectF(10.5, 10.5, 3, 4));
        p.setPen(QPen(dark, 1.5));
        p.drawLine(QPointF(4, 8.5), QPointF(12, 8.5)); // visor slit
        p.setPen(QPen(dark, 1));
        p.drawLine(QPointF(8, 8.5), QPointF(8, 12.5)); // nose guard
        break;
    case 3: // body armour
        p.setBrush(steel);
        p.drawPolygon(QPolygonF{
            {5, 1.5}, {11, 1.5}, {14.5, 4}, {13, 8}, {12, 8}, {12, 14.5}, {4, 14.5}, {4, 8}, {3, 8}, {1.5, 4}});
        p.setPen(QPen(gold, 1));
        p.drawLine(QPointF(8, 3), QPointF(8, 13));
        break;
    case 4: // gauntlet
        p.setBrush(steel);
        p.drawRoundedRect(QRectF(3.5, 3.5, 9, 8), 2, 2);
        p.drawRect(QRectF(4.5, 11.5, 7, 3));
        p.setPen(QPen(dark, 0.8));
        for (double x = 5.5; x <= 10.5; x += 2.5)
            p.drawLine(QPointF(x, 4), QPointF(x, 8));
        p.setBrush(steel);
        p.drawEllipse(QRectF(11, 6, 3.5, 4));
        break;
    }
    return image;
}

QImage toolbarIcon(const QString& key)
{
    QImage image = canvas(32, 32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (key == QLatin1String("Open")) {
        p.setPen(QPen(QColor(150, 100, 20), 1));
        p.setBrush(QColor(230, 180, 60));
        p.drawPolygon(QPolygonF{{2.5, 7.5}, {11.5, 7.5}, {14.5, 10.5}, {27.5, 10.5}, {27.5, 26.5}, {2.5, 26.5}});
        p.setBrush(QColor(255, 214, 100));
        p.drawPolygon(QPolygonF{{6.5, 14.5}, {30.5, 14.5}, {27.5, 26.5}, {2.5, 26.5}});
    } else if (key == QLatin1String("Save")) {
        p.setPen(QPen(QColor(20, 40, 90), 1));
        p.setBrush(QColor(50, 90, 190));
        p.drawPolygon(QPolygonF{{3.5, 3.5}, {25.5, 3.5}, {28.5, 6.5}, {28.5, 28.5}, {3.5, 28.5}});
        p.setBrush(QColor(235, 238, 245));
        p.drawRect(QRectF(8.5, 3.5, 14, 9));
        p.setBrush(QColor(50, 90, 190));
        p.drawRect(QRectF(17.5, 5, 3, 6));
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(QRectF(7.5, 17.5, 17, 11));
    } else if (key == QLatin1String("Config")) {
        drawGear(p, QPointF(16, 16), 13, QColor(160, 166, 178));
    } else if (key == QLatin1String("URL")) {
        QRadialGradient sea(12, 11, 18);
        sea.setColorAt(0, QColor(120, 190, 255));
        sea.setColorAt(1, QColor(30, 90, 190));
        p.setPen(QPen(QColor(20, 50, 110), 1));
        p.setBrush(sea);
        p.drawEllipse(QPointF(16, 16), 13.5, 13.5);
        p.setBrush(QColor(70, 170, 80));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(8, 8, 8, 7));
        p.drawEllipse(QRectF(17, 15, 7, 10));
        p.setPen(QPen(QColor(230, 240, 255, 170), 1));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(16, 16), 6, 13.5);
        p.drawLine(QPointF(2.5, 16), QPointF(29.5, 16));
        p.drawLine(QPointF(16, 2.5), QPointF(16, 29.5));
    } else if (key == QLatin1String("Characters")) {
        p.setPen(QPen(QColor(60, 40, 30), 1));
        p.setBrush(QColor(60, 110, 200));
        p.drawChord(QRectF(5.5, 17.5, 21, 22), 0, 180 * 16);
        p.setBrush(QColor(250, 210, 170));
        p.drawEllipse(QPointF(16, 11), 6.5, 7);
        p.setBrush(QColor(150, 80, 30));
        p.drawChord(QRectF(9.5, 3.5, 13, 10), 0, 180 * 16);
    } else if (key == QLatin1String("Monsters")) {
        drawMonsterHead(p, QRectF(2, 2, 28, 28), QColor(90, 170, 80));
    } else if (key == QLatin1String("Play")) {
        p.setPen(QPen(QColor(20, 90, 40), 1));
        p.setBrush(QColor(60, 170, 90));
        p.drawEllipse(QPointF(16, 16), 13.5, 13.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(250, 250, 240));
        p.drawPolygon(QPolygonF{{12, 8.5}, {24, 16}, {12, 23.5}});
    } else {
        return {};
    }
    return image;
}

QImage aboutPicture()
{
    QImage image = canvas(64, 64);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shield;
    shield.moveTo(6, 6);
    shield.lineTo(58, 6);
    shield.cubicTo(58, 36, 48, 52, 32, 61);
    shield.cubicTo(16, 52, 6, 36, 6, 6);
    QLinearGradient blue(0, 0, 0, 64);
    blue.setColorAt(0, QColor(50, 80, 170));
    blue.setColorAt(1, QColor(20, 30, 80));
    p.setPen(QPen(QColor(230, 185, 60), 3));
    p.setBrush(blue);
    p.drawPath(shield);
    p.setPen(QPen(QColor(120, 80, 20), 1));
    p.setBrush(QColor(245, 200, 70));
    p.drawPolygon(zigZagZ(QRectF(18, 14, 28, 28)));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 250, 220));
    p.drawPolygon(starPolygon(QPointF(32, 49), 4, 1.4, 4));
    return image;
}

QImage applicationIcon()
{
    QImage image = canvas(64, 64);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient plate(0, 0, 64, 64);
    plate.setColorAt(0, QColor(110, 60, 170));
    plate.setColorAt(1, QColor(35, 20, 70));
    p.setPen(QPen(QColor(20, 10, 40), 2));
    p.setBrush(plate);
    p.drawRoundedRect(QRectF(3, 3, 58, 58), 12, 12);
    p.setPen(QPen(QColor(120, 80, 20), 1.5));
    p.setBrush(QColor(250, 205, 70));
    p.drawPolygon(zigZagZ(QRectF(14, 13, 36, 38)));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawPolygon(starPolygon(QPointF(50, 14), 6, 1.8, 4));
    return image;
}

} // namespace zorvek::data
