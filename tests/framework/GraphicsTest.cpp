#include "Graphics.h"
#include "Canvas.h"
#include "Picture.h"
#include "Runtime.h"
#include "StaticText.h"
#include "Window.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

Ref<Picture> Filled(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return New<Picture>(image);
}

TEST(GraphicsTest, DrawPictureCopiesThePictureToItsPlace) {
    Ref<Picture> target = NewPicture(8, 8, 32);
    target->GraphicsObject()->DrawPicture(Filled(2, 2, Qt::red), 3, 4);

    QImage pixels = target->_Image();
    EXPECT_EQ(pixels.pixel(3, 4), qRgba(255, 0, 0, 255));
    EXPECT_EQ(pixels.pixel(4, 5), qRgba(255, 0, 0, 255));
    EXPECT_EQ(qAlpha(pixels.pixel(2, 4)), 0);
    EXPECT_EQ(qAlpha(pixels.pixel(5, 6)), 0);
}

TEST(GraphicsTest, ANilPictureDrawsNothing) {
    Ref<Picture> target = Filled(4, 4, Qt::blue);
    EXPECT_NO_THROW(target->GraphicsObject()->DrawPicture(nullptr, 0, 0));
    EXPECT_EQ(target->_Image().pixel(0, 0), qRgba(0, 0, 255, 255));
}

TEST(GraphicsTest, DrawingIntoTheMaskDecidesWhichPixelsShow) {
    Ref<Picture> picture = NewPicture(4, 1, 32);
    picture->GraphicsObject()->DrawPicture(Filled(4, 1, Qt::green), 0, 0);
    // White hides, black shows, grey shows in part; the last pixel keeps the new mask's black.
    QImage shades(3, 1, QImage::Format_ARGB32);
    shades.setPixel(0, 0, qRgb(255, 255, 255));
    shades.setPixel(1, 0, qRgb(0, 0, 0));
    shades.setPixel(2, 0, qRgb(128, 128, 128));
    picture->Mask(true)->GraphicsObject()->DrawPicture(New<Picture>(shades), 0, 0);

    QImage composed = picture->_Image();
    EXPECT_EQ(qAlpha(composed.pixel(0, 0)), 0);
    EXPECT_EQ(composed.pixel(1, 0), qRgba(0, 255, 0, 255));
    EXPECT_GT(qAlpha(composed.pixel(2, 0)), 0);
    EXPECT_LT(qAlpha(composed.pixel(2, 0)), 255);
    EXPECT_EQ(composed.pixel(3, 0), qRgba(0, 255, 0, 255));
}

class PlainWindow : public Window {
public:
    void Layout() override {
        WindowDesign design;
        design.Width = 200;
        design.Height = 100;
        design.MenuBarVisible = false;
        ApplyDesign(design);
    }
};

class ControlsTest : public testing::Test {
protected:
    void SetUp() override {
        int argc = 0;
        Runtime::RuntimeInit(argc, nullptr);
        window = New<PlainWindow>();
        window->_Construct();
    }
    void TearDown() override {
        window->Close();
        Runtime::RuntimeExit();
    }

    Ref<PlainWindow> window;
};

TEST_F(ControlsTest, ACanvasPaintsThroughItsPaintEvent) {
    window->_AddControl("canvas", New<Canvas>());
    Ref<Canvas> canvas = window->Control<Canvas>("canvas");
    CanvasDesign design;
    design.Width = 10;
    design.Height = 10;
    canvas->ApplyDesign(design);
    int paints = 0;
    canvas->Paint = [&](const Ref<Graphics>& g) {
        ++paints;
        g->DrawPicture(Filled(10, 10, Qt::red), 0, 0);
    };

    QImage shown = canvas->_View()->grab().toImage();

    EXPECT_GE(paints, 1);
    EXPECT_EQ(shown.pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(canvas->_View()->focusPolicy(), Qt::NoFocus);
}

TEST_F(ControlsTest, AnExceptionOutOfPaintGoesToTheUnhandledPathNotIntoTheToolkit) {
    window->_AddControl("canvas", New<Canvas>());
    Ref<Canvas> canvas = window->Control<Canvas>("canvas");
    canvas->Paint = [](const Ref<Graphics>&) { throw NilObjectException(); };

    EXPECT_NO_THROW(canvas->_View()->grab());
    EXPECT_THROW(Runtime::_RuntimeRun(), NilObjectException);
}

TEST_F(ControlsTest, ALabelShowsItsTextAsWrittenCentredAndStartsALineAtEachBreak) {
    window->_AddControl("label", New<StaticText>());
    Ref<StaticText> label = window->Control<StaticText>("label");
    StaticTextDesign design;
    design.Text = "<b>one</b>\rtwo\r\nthree";
    design.TextAlign = 1;
    design.Multiline = true;
    label->ApplyDesign(design);

    auto* view = static_cast<QLabel*>(label->_View());
    EXPECT_EQ(view->text(), "<b>one</b>\ntwo\nthree");
    EXPECT_EQ(view->textFormat(), Qt::PlainText);
    EXPECT_TRUE(view->alignment() & Qt::AlignHCenter);
    EXPECT_TRUE(view->wordWrap());

    design.Multiline = false;
    label->ApplyDesign(design);
    label->Text("one\rtwo");
    EXPECT_EQ(label->Text(), "one\rtwo");
    EXPECT_EQ(view->text(), "one two");
    EXPECT_EQ(view->focusPolicy(), Qt::NoFocus);
}

} // namespace
