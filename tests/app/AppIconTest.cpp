// The window icon carries every size drawn for the desktop, each an opaque picture.

#include "app/ui/AppIcon.h"

#include <QPixmap>

#include <algorithm>

#include <gtest/gtest.h>

TEST(AppIcon, HoldsEveryDrawnSizeAsItself)
{
    const QIcon icon = ApplicationIcon();
    const QList<QSize> drawn = {{16, 16}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}};
    QList<QSize> available = icon.availableSizes();
    std::sort(available.begin(), available.end(),
              [](const QSize& a, const QSize& b) { return a.width() < b.width(); });
    EXPECT_EQ(available, drawn);
    for (const QSize& size : drawn) {
        const QImage image = icon.pixmap(size).toImage();
        ASSERT_EQ(image.size(), size);
        // The dial in the middle is opaque; an unreadable file would leave nothing there.
        EXPECT_EQ(qAlpha(image.pixel(size.width() / 2, size.height() / 2)), 255) << size.width();
    }
}
