#include "DeferredIconStyle.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QStyleFactory>
#include <gtest/gtest.h>

#include <memory>

namespace {

// The icons that the main window's bars and the file dialogs ask for.
constexpr QStyle::StandardPixmap kIcons[] = {
    QStyle::SP_ToolBarHorizontalExtensionButton,
    QStyle::SP_ToolBarVerticalExtensionButton,
    QStyle::SP_DirIcon,
    QStyle::SP_DirLinkIcon,
    QStyle::SP_FileIcon,
    QStyle::SP_DriveHDIcon,
    QStyle::SP_ComputerIcon,
    QStyle::SP_FileDialogToParent,
    QStyle::SP_FileDialogNewFolder,
    QStyle::SP_FileDialogDetailedView,
    QStyle::SP_FileDialogListView,
    QStyle::SP_ArrowBack,
    QStyle::SP_MessageBoxWarning,
};

// What a person sees of a pixmap: its size in pixels and the ratio at which it is drawn.
std::string Shape(const QPixmap& pixmap) {
    return std::to_string(pixmap.width()) + "x" + std::to_string(pixmap.height()) + "@" +
           std::to_string(pixmap.devicePixelRatio());
}

} // namespace

// tests/CMakeLists.txt runs this again with the screen scaled by 1.5 and by 2.
TEST(DeferredIconStyle, GivesEveryIconAtTheSizeAndRatioOfThePlainStyle) {
    DeferredIconStyle deferred;
    std::unique_ptr<QStyle> plain(QStyleFactory::create(deferred.baseStyle()->name()));
    ASSERT_TRUE(plain);
    const QSize sizes[] = {{16, 16}, {32, 32}};
    const qreal ratios[] = {1, 1.5, 2};
    for (QStyle::StandardPixmap icon : kIcons) {
        const QIcon expected = plain->standardIcon(icon);
        const QIcon actual = deferred.standardIcon(icon);
        for (QSize size : sizes) {
            const std::string where = "icon " + std::to_string(icon) + " at " + std::to_string(size.width());
            EXPECT_EQ(Shape(actual.pixmap(size)), Shape(expected.pixmap(size))) << where;
            EXPECT_EQ(actual.actualSize(size), expected.actualSize(size)) << where;
            for (qreal ratio : ratios) {
                EXPECT_EQ(Shape(actual.pixmap(size, ratio)), Shape(expected.pixmap(size, ratio)))
                    << where << " ratio " << ratio;
            }
        }
    }
}

TEST(DeferredIconStyle, IconOutlivesTheStyleThatMadeIt) {
    auto style = std::make_unique<DeferredIconStyle>();
    const QIcon icon = style->standardIcon(QStyle::SP_DirIcon);
    style.reset();

    EXPECT_FALSE(icon.pixmap(QSize(16, 16)).isNull());
}
