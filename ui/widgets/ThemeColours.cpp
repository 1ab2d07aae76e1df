// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/ThemeColours.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>

#include <cmath>

namespace zorvek::ui::theme {

namespace {

double luminance(const QColor& c)
{
    const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    const QColor rgb = c.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) + 0.0722 * channel(rgb.blueF());
}

class WindowColoured final : public QObject {
public:
    using QObject::QObject;

    static void apply(QLineEdit* box)
    {
        const QPalette app = QApplication::palette(box);
        QPalette p = box->palette();
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            p.setColor(group, QPalette::Base, app.color(group, QPalette::Window));
            p.setColor(group, QPalette::Text, app.color(group, QPalette::WindowText));
        }
        box->setPalette(p); // an equal palette sends no change, so no loop
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ApplicationPaletteChange || event->type() == QEvent::PaletteChange)
            apply(static_cast<QLineEdit*>(watched));
        return false;
    }
};

} // namespace

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& wanted, const QColor& background, double ratio)
{
    const bool darken = luminance(background) > 0.18;
    QColor c = wanted.toHsl();
    for (int step = 0; step < 100 && contrast(c, background) < ratio; ++step) {
        const double l = c.lightnessF();
        c.setHslF(c.hslHueF(), c.hslSaturationF(), darken ? std::max(0.0, l - 0.02) : std::min(1.0, l + 0.02));
    }
    return c.toRgb();
}

QColor blend(const QColor& base, const QColor& tint, double share)
{
    const auto mix = [share](double a, double b) { return a + (b - a) * share; };
    return QColor::fromRgbF(static_cast<float>(mix(base.redF(), tint.redF())),
                            static_cast<float>(mix(base.greenF(), tint.greenF())),
                            static_cast<float>(mix(base.blueF(), tint.blueF())));
}

void keepWindowColoured(QLineEdit* box)
{
    WindowColoured::apply(box);
    box->installEventFilter(new WindowColoured(box));
}

} // namespace zorvek::ui::theme
