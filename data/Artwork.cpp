#include "data/Artwork.h"

#include "data/GameData.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include <cmath>
#include <functional>
#include <numbers>
#include <span>

namespace zorvek::data {
namespace {

constexpr double kPi = std::numbers::pi;
const QColor kNight(14, 15, 24);

QImage canvas(int w, int h, const QColor& fill = Qt::transparent)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(fill);
    return image;
}

QColor mix(const QColor& a, const QColor& b, double t)
{
    auto lerp = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()),
                  lerp(a.alpha(), b.alpha()));
}

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
    bool twin = false;     // "Dual ... Slashes"
    bool crashes = false;
    bool named = false;    // carries a weapon name in parentheses
    QList<QColor> colours;
};

struct NamedColour {
    const char* name;
    QRgb rgb;
};

// Two-word names come first so "Light Blue" wins over "Blue".
constexpr NamedColour kColours[] = {
    {"Light Blue", 0x7fd4ff}, {"Dark Pink", 0xb8266e},   {"Light Green", 0x9af07a},
    {"Deep Red", 0x9a0d1a},   {"Bluish Green", 0x1db89a}, {"Grey", 0xb8bcc6},
    {"Blue", 0x3d6dff},       {"Pink", 0xff8ccb},         {"Green", 0x2fc03c},
    {"Red", 0xec3428},        {"Yellow", 0xffe035},       {"Black", 0x161616},
    {"Fire", 0xff7a1a},       {"Ice", 0xbff6ff},          {"Bolt", 0xfff04a},
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

    if (bells) look.shape = Shape::Bells;
    else if (arrow) look.shape = Shape::Arrow;
    else if (chinese) look.shape = Shape::Shuriken;
    else if (stars || star) look.shape = smallMedium ? Shape::SmallStars : multiple ? Shape::ManyStars : Shape::LargeStar;
    else if (curl) look.shape = Shape::Curl;
    else if (jagged) look.shape = Shape::Jagged;

    if (look.colours.isEmpty())
        look.colours.append(QColor::fromRgb(0xb8bcc6));
    if (words.contains(QLatin1String("Fire"))) look.element = Element::Fire;
    else if (words.contains(QLatin1String("Ice"))) look.element = Element::Ice;
    else if (words.contains(QLatin1String("Bolt"))) look.element = Element::Bolt;
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
    case Dir::Horizontal: return {{7, 38}, {57, 38}};
    case Dir::Vertical: return {{30, 7}, {30, 57}};
    case Dir::Diagonal: return {{9, 55}, {55, 9}};
    case Dir::ReverseDiagonal: return {{9, 9}, {55, 55}};
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
        sweep(p, pts, [peak](double t) { return 0.8 + peak * std::sin(kPi * t); }, ink);
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
    sweep(p, pts, [](double t) { return 2.5 + 1.5 * (1 - std::abs(2 * t - 1)); }, ink);
}

void drawCurl(QPainter& p, const Look& look, const Ink& ink)
{
    p.save();
    if (look.mirrored) {
        p.translate(64, 0);
        p.scale(-1, 1);
    }
    struct Whorl { double x, y, size; };
    static constexpr Whorl kOne[] = {{32, 33, 1.0}};
    static constexpr Whorl kTwo[] = {{22, 24, 0.62}, {40, 42, 0.62}};
    for (const Whorl& w : look.twin ? std::span<const Whorl>(kTwo) : std::span<const Whorl>(kOne)) {
        QList<QPointF> pts;
        for (int i = 0; i <= 48; ++i) {
            const double t = i / 48.0, r = (3 + 21 * t) * w.size, angle = -kPi / 2 + t * 2.3 * kPi;
            pts.append(QPointF(w.x + r * std::cos(angle), w.y + r * std::sin(angle)));
        }
        pts.append(QPointF(w.x + 27 * w.size, w.y - 21 * w.size)); // the spiral flings out into a slash
        sweep(p, pts, [&w](double t) { return (1 + 5 * t) * std::max(w.size, 0.75); }, ink);
    }
    p.restore();
}

QPolygonF starPolygon(QPointF c, double outer, double inner, int points, double turn = 0)
{
    QPolygonF poly;
    for (int i = 0; i < points * 2; ++i) {
        const double r = i % 2 ? inner : outer, angle = turn - kPi / 2 + i * kPi / points;
        poly.append(c + QPointF(r * std::cos(angle), r * std::sin(angle)));
    }
    return poly;
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
    struct Spot { double x, y, r; };
    static constexpr Spot kSparkles[] = {{17, 18, 8}, {45, 14, 5}, {33, 35, 10}, {13, 47, 5},
                                         {51, 44, 8}, {27, 56, 4}, {54, 27, 3}};
    static constexpr Spot kBig[] = {{20, 21, 15}, {45, 27, 14}, {28, 47, 15}};
    if (look.shape == Shape::SmallStars)
        for (const Spot& s : kSparkles) drawStar(p, {s.x, s.y}, s.r, 4, ink);
    else if (look.shape == Shape::ManyStars)
        for (const Spot& s : kBig) drawStar(p, {s.x, s.y}, s.r, 5, ink);
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
    sweep(p, shaft, [thick](double) { return thick; }, ink);
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
        p.drawArc(QRectF(c.x() + s * 0.3, c.y() - s * 0.9, s * (0.9 + k * 0.5), s * (1.2 + k * 0.5)), -40 * 16, 80 * 16);
}

void drawElement(QPainter& p, Element element)
{
    p.setPen(Qt::NoPen);
    if (element == Element::Fire) {
        static constexpr double kEmbers[][3] = {{14, 20, 2.2}, {50, 52, 2.6}, {20, 54, 1.6}, {56, 26, 1.8}, {9, 33, 1.4}};
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
    case Shape::Slash: drawSlash(p, look, ink); break;
    case Shape::Jagged: drawJagged(p, look, ink); break;
    case Shape::Curl: drawCurl(p, look, ink); break;
    case Shape::SmallStars:
    case Shape::LargeStar:
    case Shape::ManyStars: drawStars(p, look, ink); break;
    case Shape::Shuriken: drawShuriken(p, look, ink); break;
    case Shape::Arrow: drawArrow(p, look, ink); break;
    case Shape::Bells:
        drawBell(p, {17, 25}, 11, ink);
        drawBell(p, {38, 39}, 11, ink);
        break;
    default: break;
    }
    drawElement(p, look.element);
    if (look.named)
        drawWeaponMark(p);
    return image;
}

// ---------------------------------------------------------------------------
// Small helpers for the fixed pictures.

QPolygonF zigZagZ(QRectF box)
{
    auto at = [&box](double x, double y) { return QPointF(box.left() + x * box.width(), box.top() + y * box.height()); };
    return QPolygonF{at(0, 0),     at(1, 0), at(1, 0.17), at(0.32, 0.83), at(1, 0.83),
                     at(1, 1),     at(0, 1), at(0, 0.83), at(0.68, 0.17), at(0, 0.17)};
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

QImage attackAnimationPicture(int index)
{
    const QStringList& descriptions = attackAnimationDescriptions();
    if (index < 0 || index >= descriptions.size())
        return {};
    return paintLook(parseLook(descriptions[index]), index);
}

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
        p.drawRect(QRectF(2.5, 10.5, 3, 4));  // cheek guards
        p.drawRect(QRectF(10.5, 10.5, 3, 4));
        p.setPen(QPen(dark, 1.5));
        p.drawLine(QPointF(4, 8.5), QPointF(12, 8.5)); // visor slit
        p.setPen(QPen(dark, 1));
        p.drawLine(QPointF(8, 8.5), QPointF(8, 12.5)); // nose guard
        break;
    case 3: // body armour
        p.setBrush(steel);
        p.drawPolygon(QPolygonF{{5, 1.5}, {11, 1.5}, {14.5, 4}, {13, 8}, {12, 8}, {12, 14.5},
                                {4, 14.5}, {4, 8}, {3, 8}, {1.5, 4}});
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
