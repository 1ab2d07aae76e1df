// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

namespace zorvek::ui {

// The platform's style, except that the arrows of the menu bar's and the
// toolbars' extension buttons are loaded when first drawn instead of when
// the bars are built. Loading them reads every image-format plugin (and the
// libraries those need), a tenth of the main window's start-up, for buttons
// that a window sized to fit its bars never shows.
class DeferredIconStyle : public QProxyStyle {
    Q_OBJECT
public:
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

} // namespace zorvek::ui
