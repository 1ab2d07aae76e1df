// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/DeferredIconStyle.h"

#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include <memory>

using zorvek::ui::DeferredIconStyle;

// The extension arrows come late, but they are the platform style's own.
TEST(DeferredIconStyleTest, ExtensionArrowsDrawAsTheBaseStylesAndOtherIconsPassThrough)
{
    const auto style = std::make_unique<DeferredIconStyle>();
    for (auto which :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton, QStyle::SP_ArrowUp}) {
        const QImage shown = style->standardIcon(which).pixmap(16, 16).toImage();
        const QImage own = style->baseStyle()->standardIcon(which).pixmap(16, 16).toImage();
        EXPECT_FALSE(own.isNull()) << which;
        EXPECT_EQ(shown, own) << which;
    }
}
