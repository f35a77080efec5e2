#include "about/winAbout.h"
#include "App.h"
#include "BundlePictures.h"
#include "Canvas.h"
#include "Graphics.h"
#include "Picture.h"
#include "StaticText.h"
#include "mainwindow/StartedApp.h"
#include "support/DesktopFontSizes.h"

#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QPixmap>
#include <QWidget>

namespace {

using AboutBoxTest = StartedApp;

Ref<class winAbout> OpenAbout(class winMain& main) {
    EXPECT_TRUE(main._FileAboutWordloom_Action());
    return Cast<class winAbout>(WindowList::FindImplicitInstance("winAbout.winAbout"));
}

size_t AboutBoxesOpen() {
    size_t boxes = 0;
    for (const Ref<Window>& w : WindowList::OpenWindows())
        boxes += IsA<class winAbout>(w) ? 1 : 0;
    return boxes;
}

TEST_F(AboutBoxTest, TwoCommandsShowOneBoxAndAfterItClosesTheNextCommandBuildsANewOne) {
    Ref<class winAbout> first = OpenAbout(*window);
    ASSERT_TRUE(first);
    EXPECT_EQ(OpenAbout(*window), first);
    EXPECT_EQ(AboutBoxesOpen(), 1u);
    EXPECT_TRUE(first->Visible());

    first->Close();
    EXPECT_EQ(AboutBoxesOpen(), 0u);

    Ref<class winAbout> second = OpenAbout(*window);
    ASSERT_TRUE(second);
    EXPECT_NE(second, first);
    EXPECT_EQ(AboutBoxesOpen(), 1u);
    EXPECT_EQ(second->lblVersion()->Text(), "Version 1.0.0 (1)");
}

TEST_F(AboutBoxTest, TheBoxHasItsFixedSizeTitleAndNoMinimiseOrMaximise) {
    Ref<class winAbout> box = OpenAbout(*window);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->Title(), "About Wordloom");
    EXPECT_EQ(box->Width(), 285);
    EXPECT_EQ(box->Height(), 190);

    QWidget* content = box->_Content();
    EXPECT_EQ(content->size(), QSize(285, 190));
    EXPECT_EQ(content->minimumSize(), content->maximumSize());
    Qt::WindowFlags flags = box->_Native()->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
}

TEST_F(AboutBoxTest, TheControlsStandCentredOneUnderAnother) {
    Ref<class winAbout> box = OpenAbout(*window);
    ASSERT_TRUE(box);
    struct Case {
        const char* name;
        int32_t left, top, width, height;
    };
    for (const Case& c : {Case{"cvsIcon", 110, 14, 64, 64}, Case{"lblApp", 82, 87, 120, 20},
                          Case{"lblVersion", 67, 111, 150, 20}, Case{"lblCopyright", 42, 136, 200, 40}}) {
        SCOPED_TRACE(c.name);
        Ref<RectControl> control = box->_FindControl(c.name);
        ASSERT_TRUE(control);
        EXPECT_EQ(control->_View()->geometry(), QRect(c.left, c.top, c.width, c.height));
        // Every control is centred on the same line, 142 pixels from the left.
        EXPECT_NEAR(c.left + c.width / 2.0, 142, 1);
    }
    EXPECT_EQ(box->lblApp()->Text(), "Wordloom");
    EXPECT_TRUE(box->lblApp()->Design().Bold);
}

TEST_F(AboutBoxTest, EveryLabelShowsItsTextWholeAtTheUsualDesktopFontSizes) {
    AtUsualDesktopFontSizes([&] {
        Ref<class winAbout> box = OpenAbout(*window);
        ASSERT_TRUE(box);
        for (const Ref<StaticText>& label : {box->lblApp(), box->lblVersion(), box->lblCopyright()}) {
            SCOPED_TRACE(label->Name());
            auto* shown = static_cast<QLabel*>(label->_View());
            QRect room(0, 0, label->Width(), label->Height());
            int layout = int(shown->alignment()) | (shown->wordWrap() ? Qt::TextWordWrap : 0);
            QRect text = QFontMetrics(shown->font()).boundingRect(room, layout, shown->text());
            EXPECT_TRUE(room.contains(text)) << text.width() << " x " << text.height();
        }
        box->Close();
    });
}

TEST_F(AboutBoxTest, TheVersionLineComesFromTheApplicationsVersionNumbers) {
    Ref<class winAbout> box = OpenAbout(*window);
    ASSERT_TRUE(box);
    Ref<class App> app = App();
    EXPECT_EQ(box->lblVersion()->Text(), "Version " + Str(app->MajorVersion) + "." + Str(app->MinorVersion) +
                                             "." + Str(app->BugVersion) + " (" + Str(app->NonReleaseVersion) +
                                             ")");
    EXPECT_EQ(box->lblVersion()->Text(), "Version 1.0.0 (1)");
}

TEST_F(AboutBoxTest, TheNoticeShowsItsThreeLinesOneUnderAnother) {
    Ref<class winAbout> box = OpenAbout(*window);
    ASSERT_TRUE(box);
    String notice = box->lblCopyright()->Text();
    EXPECT_EQ(std::count(notice.begin(), notice.end(), '\r'), 2);
    String shown = box->lblCopyright()->_ShownText();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), 2);
    EXPECT_EQ(shown.find('\r'), String::npos);
}

/// Compares each pixel of the painted icon with the icon and its mask: black in the mask shows the
/// icon, white hides it.
TEST_F(AboutBoxTest, TheIconShowsThePictureWhereTheMaskIsBlackAndNothingWhereItIsWhite) {
    Ref<class winAbout> box = OpenAbout(*window);
    ASSERT_TRUE(box);
    Ref<Picture> icon = abouticon();
    Ref<Picture> mask = abouticonmask();
    ASSERT_TRUE(icon);
    ASSERT_TRUE(mask);

    Ref<Picture> painted = NewPicture(64, 64, 32);
    box->cvsIcon_Paint(painted->GraphicsObject());

    QImage drawn = painted->_Image();
    QImage source = icon->_Image();
    QImage shades = mask->_Image();
    int shown = 0, hidden = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            int shade = qGray(shades.pixel(x, y));
            QRgb pixel = drawn.pixel(x, y);
            if (shade == 0) {
                ++shown;
                EXPECT_EQ(pixel, source.pixel(x, y) | 0xFF000000u) << x << "," << y;
            } else if (shade == 255) {
                ++hidden;
                EXPECT_EQ(qAlpha(pixel), 0) << x << "," << y;
            }
        }
    }
    EXPECT_GT(shown, 0);
    EXPECT_GT(hidden, 0);
}

TEST_F(AboutBoxTest, TheCanvasOnScreenShowsTheIconOverTheWindowsBackground) {
    Ref<class winAbout> box = OpenAbout(*window);
    ASSERT_TRUE(box);
    QWidget* canvas = box->cvsIcon()->_View();
    QImage screen = canvas->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(screen.size(), QSize(64, 64));
    QImage source = abouticon()->_Image();
    QImage shades = abouticonmask()->_Image();
    QRgb background = canvas->palette().color(canvas->backgroundRole()).rgb();
    bool sawIcon = false, sawBackground = false;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            int shade = qGray(shades.pixel(x, y));
            if (shade == 0) {
                sawIcon = true;
                EXPECT_EQ(screen.pixel(x, y), source.pixel(x, y) | 0xFF000000u) << x << "," << y;
            } else if (shade == 255) {
                sawBackground = true;
                EXPECT_EQ(screen.pixel(x, y), background) << x << "," << y;
            }
        }
    }
    EXPECT_TRUE(sawIcon);
    EXPECT_TRUE(sawBackground);
}

} // namespace
