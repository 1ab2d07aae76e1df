// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Artwork.h"

#include "data/GameData.h"
#include "data/PaintKit.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <functional>
#include <span>

namespace zorvek::data {

namespace paint {

QPolygonF starPolygon(QPointF c, double outer, double inner, int points, double turn)
{
    QPolygonF poly;
    for (int i = 0; i < points * 2; ++i) {
        const double r = i % 2 ? inner : outer, angle = turn - kPi / 2 + i * kPi / points;
        poly.append(c + QPointF(r * std::cos(angle), r * std::sin(angle)));
    }
    return poly;
}

} // namespace paint

namespace {

using namespace paint;

// ---------------------------------------------------------------------------
// Attack animations: a description is reduced to a few features, then drawn.

enum class Shape { Blank, Glitch, Slash, Jagged, Curl, SmallStars, LargeStar, ManyStars, Shuriken, Arrow, Bells };
enum class Dir { Horizontal, Vertical, Diagonal, ReverseDiagonal };
enum class Element { None, Fire, Ice, Bolt };

struct Look {
    Shape shape = Shape::Slash;
    Dir dir = Dir::Horizontal;
    Element element = Element::None;
    bool mirrored = false; // a "Reverse" curl turns the other way
    bool large = false;
    bool twin = false; // "Dual ... Slashes"
    bool crashes = false;
    bool named = false; // carries a weapon name in parentheses
    QList<QColor> colours;
};

struct NamedColour {
    const char* name;
    QRgb rgb;
};

// Two-word names come first so "Light Blue" wins over "Blue".
constexpr NamedColour kColours[] = {
    {"Light Blue", 0x7fd4ff},   {"Dark Pink", 0xb8266e}, {"Light Green", 0x9af07a}, {"Deep Red", 0x9a0d1a},
    {"Bluish Green", 0x1db89a}, {"Grey", 0xb8bcc6},      {"Blue", 0x3d6dff},        {"Pink", 0xff8ccb},
    {"Green", 0x2fc03c},        {"Red", 0xec3428},       {"Yellow", 0xffe035},      {"Black", 0x161616},
    {"Fire", 0xff7a1a},         {"Ice", 0xbff6ff},       {"Bolt", 0xfff04a},
};

bool addColour(const QString& word, QList<QColor>& out)
{
    for (const auto& c : kColours) {
        if (word == QLatin1String(c.name)) {
            out.append(QColor::fromRgb(c.rgb));
            return true;
        }
    }
    return false;
}

Look parseLook(QString text)
{
    Look look;
    if (const int paren = text.indexOf(QLatin1Char('(')); paren >= 0) {
        look.named = true;
        text.truncate(paren);
    }
    look.crashes = text.contains(QLatin1String("Crashes"));
    if (text.startsWith(QLatin1String("Blank"))) {
        look.shape = Shape::Blank;
        return look;
    }
    if (text.startsWith(QLatin1String("Glitch"))) {
        look.shape = Shape::Glitch;
        return look;
    }

    bool curl = false, jagged = false, stars = false, star = false, arrow = false, bells = false;
    bool chinese = false, smallMedium = false, multiple = false;
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& w = words[i];
        if (i + 1 < words.size() && addColour(w + QLatin1Char(' ') + words[i + 1], look.colours)) {
            ++i;
        } else if (w == QLatin1String("Reverse")) {
            if (i + 1 < words.size() && words[i + 1] == QLatin1String("Diagonal")) {
                look.dir = Dir::ReverseDiagonal;
                ++i;
            } else {
                look.mirrored = true;
            }
        } else if (w == QLatin1String("Horizontal")) {
            look.dir = Dir::Horizontal;
        } else if (w == QLatin1String("Vertical")) {
            look.dir = Dir::Vertical;
        } else if (w == QLatin1String("Diagonal")) {
            look.dir = Dir::Diagonal;
        } else if (w == QLatin1String("Small-Medium")) {
            smallMedium = true;
        } else if (w == QLatin1String("Large")) {
            look.large = true;
        } else if (w == QLatin1String("Multiple")) {
            multiple = true;
        } else if (w == QLatin1String("Jagged") || w == QLatin1String("Lightning")) {
            jagged = true;
        } else if (w == QLatin1String("Curl")) {
            curl = true;
        } else if (w == QLatin1String("Dual") || w == QLatin1String("Slashes")) {
            look.twin = true;
        } else if (w == QLatin1String("Stars")) {
            stars = true;
        } else if (w == QLatin1String("Star")) {
            star = true;
        } else if (w == QLatin1String("Chinese")) {
            chinese = true;
        } else if (w == QLatin1String("Arrow")) {
            arrow = true;
        } else if (w == QLatin1String("Bells")) {
            bells = true;
        } else {
            for (const QString& part : w.split(QLatin1Char('/')))
                addColour(part, look.colours);
        }
    }

    if (bells)
        look.shape = Shape::Bells;
    else if (arrow)
        look.shape = Shape::Arrow;
    else if (chinese)
        look.shape = Shape::Shuriken;
    else if (stars || star)
        look.shape = smallMedium ? Shape::SmallStars : multiple ? Shape::ManyStars : Shape::LargeStar;
    else if (curl)
        look.shape = Shape::Curl;
    else if (jagged)
        look.shape = Shape::Jagged;

    if (look.colours.isEmpty())
        look.colours.append(QColor::fromRgb(0xb8bcc6));
    if (words.contains(QLatin1String("Fire")))
        look.element = Element::Fire;
    else if (words.contains(QLatin1String("Ice")))
        look.element = Element::Ice;
    else if (words.contains(QLatin1String("Bolt")))
        look.element = Element::Bolt;
    return look;
}

// The colour of a stroke along its length (t in 0..1).
struct Ink {
    QList<QColor> colours;
    Element element = Element::None;

    QColor at(double t) const
    {
        if (element == Element::Fire)
            return t < 0.5 ? mix(QColor(255, 214, 64), QColor(255, 122, 26), t * 2)
                           : mix(QColor(255, 122, 26), QColor(214, 28, 20), t * 2 - 1);
        if (colours.size() > 1)
            return mix(colours[0], colours[1], t);
        return mix(colours[0].darker(135), colours[0].lighter(112), t);
    }
    bool dark() const { return colours[0].lightness() < 50; }
    QColor glow() const
    {
        if (dark())
            return QColor(205, 205, 225, 110); // a black stroke needs a pale halo to show on the night sky
        QColor g = element == Element::Fire ? QColor(255, 110, 30) : colours[0];
        g.setAlpha(80);
        return g;
    }
    QColor core(double t) const { return mix(at(t), Qt::white, dark() ? 0.25 : 0.55); }
};

// A stroke with a soft halo, a coloured body and a bright core.
void sweep(QPainter& p, const QList<QPointF>& pts, const std::function<double(double)>& width, const Ink& ink)
{
    const qsizetype n = pts.size();
    double widest = 0;
    for (qsizetype i = 0; i < n; ++i)
        widest = std::max(widest, width(double(i) / double(n - 1)));
    p.setPen(QPen(ink.glow(), widest + 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(pts.data(), int(n));
    for (int pass = 0; pass < 2; ++pass) {
        for (qsizetype i = 1; i < n; ++i) {
            const double t = double(i) / double(n - 1);
            const double w = width(t) * (pass == 0 ? 1.0 : 0.35);
            p.setPen(QPen(pass == 0 ? ink.at(t) : ink.core(t), std::max(w, 0.6), Qt::SolidLine, Qt::RoundCap));
            p.drawLine(pts[i - 1], pts[i]);
        }
    }
}

std::pair<QPointF, QPointF> ends(Dir dir)
{
    switch (dir) {
    case Dir::Horizontal:
        return {{7, 38}, {57, 38}};
    case Dir::Vertical:
        return {{30, 7}, {30, 57}};
    case Dir::Diagonal:
        return {{9, 55}, {55, 9}};
    case Dir::ReverseDiagonal:
        return {{9, 9}, {55, 55}};
    }
    return {};
}

QPointF normalOf(QPointF a, QPointF b)
{
    const QPointF d = b - a;
    const double len = std::hypot(d.x(), d.y());
    return QPointF(d.y() / len, -d.x() / len);
}

void drawSlash(QPainter& p, const Look& look, const Ink& ink)
{
    const auto [a, b] = ends(look.dir);
    const QPointF n = normalOf(a, b);
    const QList<double> offsets = look.twin ? QList<double>{-7, 7} : QList<double>{0};
    for (double off : offsets) {
        // A pair is drawn a little shorter so neither stroke leaves the frame.
        const QPointF inset = look.twin ? (b - a) * 0.1 : QPointF();
        const QPointF a2 = a + inset + n * off, b2 = b - inset + n * off, c = (a2 + b2) / 2 + n * 10;
        QList<QPointF> pts;
        for (int i = 0; i <= 24; ++i) {
            const double t = i / 24.0;
            pts.append((1 - t) * (1 - t) * a2 + 2 * t * (1 - t) * c + t * t * b2);
        }
        const double peak = look.twin ? 4.5 : 6.0;
        sweep(
            p, pts, [peak](double t) { return 0.8 + peak * std::sin(kPi * t); }, ink);
    }
}

void drawJagged(QPainter& p, const Look& look, const Ink& ink)
{
    static constexpr double kAmp[] = {0, 6, -5, 7, -6, 5, -7, 4, 0};
    const auto [a, b] = ends(look.dir);
    const QPointF n = normalOf(a, b);
    QList<QPointF> pts;
    for (int i = 0; i <= 8; ++i)
        pts.append(a + (b - a) * (i / 8.0) + n * kAmp[i]);
    sweep(
        p, pts, [](double t) { return 2.5 + 1.5 * (1 - std::abs(2 * t - 1)); }, ink);
}

void drawCurl(QPainter& p, const Look& look, const Ink& ink)
{
    p.save();
    if (look.mirrored) {
        p.translate(64, 0);
        p.scale(-1, 1);
    }
    struct Whorl {
        double x, y, size;
    };
    static constexpr Whorl kOne[] = {{32, 33, 1.0}};
    static constexpr Whorl kTwo[] = {{22, 24, 0.62}, {40, 42, 0.62}};
    for (const Whorl& w : look.twin ? std::span<const Whorl>(kTwo) : std::span<const Whorl>(kOne)) {
        QList<QPointF> pts;
        for (int i = 0; i <= 48; ++i) {
            const double t = i / 48.0, r = (3 + 21 * t) * w.size, angle = -kPi / 2 + t * 2.3 * kPi;
            pts.append(QPointF(w.x + r * std::cos(angle), w.y + r * std::sin(angle)));
        }
        pts.append(QPointF(w.x + 27 * w.size, w.y - 21 * w.size)); // the spiral flings out into a slash
        sweep(
            p, pts, [&w](double t) { return (1 + 5 * t) * std::max(w.size, 0.75); }, ink);
    }
    p.restore();
}

void drawStar(QPainter& p, QPointF c, double r, int points, const Ink& ink)
{
    QColor halo = ink.glow();
    QRadialGradient glow(c, r * 1.7);
    glow.setColorAt(0, halo);
    halo.setAlpha(0);
    glow.setColorAt(1, halo);
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(c, r * 1.7, r * 1.7);
    QRadialGradient body(c, r);
    body.setColorAt(0, ink.core(0.5));
    body.setColorAt(1, ink.at(0.2));
    p.setBrush(body);
    p.setPen(QPen(ink.at(0).darker(150), 0.8));
    p.drawPolygon(starPolygon(c, r, r * (points == 4 ? 0.3 : 0.45), points));
}

void drawStars(QPainter& p, const Look& look, const Ink& ink)
{
    struct Spot {
        double x, y, r;
    };
    static constexpr Spot kSparkles[] = {{17, 18, 8}, {45, 14, 5}, {33, 35, 10}, {13, 47, 5},
                                         {51, 44, 8}, {27, 56, 4}, {54, 27, 3}};
    static constexpr Spot kBig[] = {{20, 21, 15}, {45, 27, 14}, {28, 47, 15}};
    if (look.shape == Shape::SmallStars)
        for (const Spot& s : kSparkles)
            drawStar(p, {s.x, s.y}, s.r, 4, ink);
    else if (look.shape == Shape::ManyStars)
        for (const Spot& s : kBig)
            drawStar(p, {s.x, s.y}, s.r, 5, ink);
    else
        drawStar(p, {32, 33}, 27, 5, ink);
}

void drawShuriken(QPainter& p, const Look& look, const Ink& ink)
{
    const double r = look.large ? 27 : 13;
    const QPointF c = look.large ? QPointF(32, 32) : QPointF(38, 28);
    if (!look.large) { // speed lines behind a small, fast star
        p.setPen(QPen(QColor(200, 205, 215, 120), 1.5, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 3; ++i)
            p.drawLine(QPointF(6 + i * 4, 36 + i * 6), QPointF(22 + i * 2, 30 + i * 5));
    }
    QLinearGradient steel(c - QPointF(r, r), c + QPointF(r, r));
    steel.setColorAt(0, ink.core(0.5));
    steel.setColorAt(1, ink.at(0));
    p.setBrush(steel);
    p.setPen(QPen(ink.at(0).darker(170), 1));
    p.drawPolygon(starPolygon(c, r, r * 0.28, 4, kPi / 9));
    p.setBrush(kNight);
    p.drawEllipse(c, r * 0.13, r * 0.13);
}

void drawArrow(QPainter& p, const Look& look, const Ink& ink)
{
    const QPointF tail = look.large ? QPointF(8, 56) : QPointF(19, 45);
    const QPointF tip = look.large ? QPointF(56, 8) : QPointF(45, 19);
    const double thick = look.large ? 3.5 : 2.0, head = look.large ? 12 : 7;
    const QPointF dir = (tip - tail) / std::hypot(tip.x() - tail.x(), tip.y() - tail.y());
    const QPointF side(-dir.y(), dir.x());
    QList<QPointF> shaft{tail, tip - dir * head * 0.6};
    sweep(
        p, shaft, [thick](double) { return thick; }, ink);
    const QColor tipColour = ink.colours.size() > 1 ? ink.colours[1] : ink.core(1);
    p.setPen(QPen(tipColour.darker(160), 0.8));
    p.setBrush(tipColour);
    p.drawPolygon(QPolygonF{tip, tip - dir * head + side * head * 0.5, tip - dir * head - side * head * 0.5});
    p.setPen(QPen(ink.at(0), thick * 0.8, Qt::SolidLine, Qt::RoundCap));
    for (int k = 0; k < 2; ++k) {
        const QPointF base = tail + dir * (head * 0.3 + k * head * 0.35);
        p.drawLine(base, base - dir * head * 0.45 + side * head * 0.45);
        p.drawLine(base, base - dir * head * 0.45 - side * head * 0.45);
    }
}

void drawBell(QPainter& p, QPointF c, double s, const Ink& ink)
{
    QPainterPath bell;
    bell.moveTo(c + QPointF(-s, s * 0.8));
    bell.cubicTo(c + QPointF(-s * 0.8, s * 0.2), c + QPointF(-s * 0.75, -s), c + QPointF(0, -s));
    bell.cubicTo(c + QPointF(s * 0.75, -s), c + QPointF(s * 0.8, s * 0.2), c + QPointF(s, s * 0.8));
    bell.closeSubpath();
    QLinearGradient shine(c - QPointF(s, 0), c + QPointF(s, 0));
    shine.setColorAt(0, ink.core(0.5));
    shine.setColorAt(1, ink.at(0));
    p.setPen(QPen(ink.at(0).darker(170), 1));
    p.setBrush(ink.at(0).darker(130));
    p.drawEllipse(c + QPointF(0, s * 1.1), s * 0.22, s * 0.22); // clapper
    p.drawEllipse(c + QPointF(0, -s - 1.5), 2.0, 2.0);          // loop on top
    p.setBrush(shine);
    p.drawPath(bell);
    p.drawEllipse(c + QPointF(0, s * 0.8), s, s * 0.22);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int k = 1; k <= 2; ++k) // ringing
        p.drawArc(QRectF(c.x() + s * 0.3, c.y() - s * 0.9, s * (0.9 + k * 0.5), s * (1.2 + k * 0.5)), -40 * 16,
                  80 * 16);
}

void drawElement(QPainter& p, Element element)
{
    p.setPen(Qt::NoPen);
    if (element == Element::Fire) {
        static constexpr double kEmbers[][3] = {
            {14, 20, 2.2}, {50, 52, 2.6}, {20, 54, 1.6}, {56, 26, 1.8}, {9, 33, 1.4}};
        for (const auto& e : kEmbers) {
            p.setBrush(QColor(255, 190, 60, 220));
            p.drawEllipse(QPointF(e[0], e[1]), e[2], e[2]);
        }
    } else if (element == Element::Ice) {
        static constexpr double kFlakes[][2] = {{14, 16}, {50, 50}, {16, 50}, {52, 20}};
        p.setBrush(QColor(235, 252, 255, 230));
        for (const auto& f : kFlakes)
            p.drawPolygon(starPolygon(QPointF(f[0], f[1]), 3.5, 1.0, 4));
    } else if (element == Element::Bolt) {
        static constexpr double kSparks[][2] = {{12, 18}, {48, 48}, {18, 46}};
        p.setPen(QPen(QColor(255, 250, 170), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        for (const auto& s : kSparks) {
            const QPointF o(s[0], s[1]);
            p.drawPolyline(QPolygonF{o, o + QPointF(3, 3), o + QPointF(1, 5), o + QPointF(5, 8)});
        }
    }
}

void drawWeaponMark(QPainter& p)
{
    p.setPen(QPen(QColor(225, 230, 240), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(50, 58), QPointF(61, 47));
    p.setPen(QPen(QColor(210, 170, 60), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(47, 55), QPointF(53, 61));
    p.setPen(QPen(QColor(120, 70, 30), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(47, 61), QPointF(49, 59));
}

void drawGlitch(QImage& image, int seed)
{
    static constexpr QRgb kJunk[] = {0xff00ff, 0x00ffcc, 0xf8f800, 0x2040ff, 0xff4000, 0x10a010, 0xffffff, 0x000000};
    quint32 state = 0x9e3779b9u ^ quint32(seed) * 2654435761u;
    auto next = [&state] { // a tiny LCG keeps the noise identical on every platform
        state = state * 1664525u + 1013904223u;
        return state >> 16;
    };
    QPainter p(&image);
    for (int ty = 0; ty < 8; ++ty)
        for (int tx = 0; tx < 8; ++tx)
            if (next() % 2 != 0)
                p.fillRect(tx * 8, ty * 8, 8, 8, QColor::fromRgb(kJunk[next() % 8]));
    for (int k = 0; k < 6; ++k) // torn scan lines
        p.fillRect(0, int(next() % 64), 64, 1 + int(next() % 2), QColor::fromRgb(kJunk[next() % 8]));
}

void drawCrashMark(QPainter& p, bool cross)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor(230, 20, 20), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1.5, 1.5, 61, 61));
    if (cross) {
        p.setRenderHint(QPainter::Antialiasing);
        for (const QPen& pen : {QPen(QColor(20, 0, 0), 7, Qt::SolidLine, Qt::RoundCap),
                                QPen(QColor(235, 25, 25), 4, Qt::SolidLine, Qt::RoundCap)}) {
            p.setPen(pen); // dark rim first so the cross stands out on the noise
            p.drawLine(14, 14, 50, 50);
            p.drawLine(50, 14, 14, 50);
        }
    }
}

QImage paintLook(const Look& look, int index)
{
    QImage image = canvas(64, 64, kNight);
    if (look.shape == Shape::Glitch)
        drawGlitch(image, index);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (look.shape == Shape::Blank || look.shape == Shape::Glitch) {
        if (look.crashes)
            drawCrashMark(p, look.shape == Shape::Glitch);
        return image;
    }
    QRadialGradient sky(32, 32, 46); // a faint glow so strokes read as light
    sky.setColorAt(0, QColor(34, 38, 58));
    sky.setColorAt(1, kNight);
    p.fillRect(image.rect(), sky);

    const Ink ink{look.colours, look.element};
    switch (look.shape) {
    case Shape::Slash:
        drawSlash(p, look, ink);
        break;
    case Shape::Jagged:
        drawJagged(p, look, ink);
        break;
    case Shape::Curl:
        drawCurl(p, look, ink);
        break;
    case Shape::SmallStars:
    case Shape::LargeStar:
    case Shape::ManyStars:
        drawStars(p, look, ink);
        break;
    case Shape::Shuriken:
        drawShuriken(p, look, ink);
        break;
    case Shape::Arrow:
        drawArrow(p, look, ink);
        break;
    case Shape::Bells:
        drawBell(p, {17, 25}, 11, ink);
        drawBell(p, {38, 39}, 11, ink);
        break;
    default:
        break;
    }
    drawElement(p, look.element);
    if (look.named)
        drawWeaponMark(p);
    return image;
}

} // namespace

QImage attackAnimationPicture(int index)
{
    const QStringList& descriptions = attackAnimationDescriptions();
    if (index < 0 || index >= descriptions.size())
        return {};
    return paintLook(parseLook(descriptions[index]), index);
}

} // namespace zorvek::data
