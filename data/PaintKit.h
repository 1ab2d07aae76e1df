// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QPolygonF>

#include <cmath>
#include <numbers>

// Small drawing helpers shared by the attack pictures and the icons.
namespace zorvek::data::paint {

inline constexpr double kPi = std::numbers::pi;
inline const QColor kNight(14, 15, 24);

inline QImage canvas(int w, int h, const QColor& fill = Qt::transparent)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(fill);
    return image;
}

inline QColor mix(const QColor& a, const QColor& b, double t)
{
    auto lerp = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()),
                  lerp(a.alpha(), b.alpha()));
}

// A star of `points` tips around c.
QPolygonF starPolygon(QPointF c, double outer, double inner, int points, double turn = 0);

} // namespace zorvek::data::paint
