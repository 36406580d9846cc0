#include "platform/canvas/Bitmap.h"
#include "platform/core/FormDescription.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/TestHooks.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// A 16 x 16 glyph: a square of `color` on teal, the colour of its bottom-left pixel.
void PaintGlyph(TBitmap& glyph, TColor color)
{
    glyph.SetSize(16, 16);
    glyph.Canvas().Brush().SetColor(clTeal);
    glyph.Canvas().FillRect({0, 0, 16, 16});
    glyph.Canvas().Brush().SetColor(color);
    glyph.Canvas().FillRect({4, 4, 12, 12});
}

int CountPixels(TControl& control, TColor color)
{
    TBitmap shot;
    TestHooks::GrabControl(control, shot);
    int count = 0;
    for (int y = 0; y < shot.GetHeight(); ++y)
        for (int x = 0; x < shot.GetWidth(); ++x)
            count += shot.Canvas().GetPixel(x, y) == color;
    return count;
}

TSpeedButton* MakeButton(TForm& form)
{
    auto* button = new TSpeedButton(&form);
    button->SetName("PrintButton");
    button->SetParent(&form);
    button->SetBounds(8, 8, 28, 28);
    return button;
}

}  // namespace

TEST(SpeedButtonGlyph, ShowsTheGlyphWithoutItsTransparentColourAndFollowsChangesToIt)
{
    TForm form(nullptr);
    TSpeedButton* button = MakeButton(form);
    EXPECT_TRUE(button->Glyph()->Empty());

    TBitmap picture;
    PaintGlyph(picture, clRed);
    button->SetGlyph(&picture);
    EXPECT_EQ(CountPixels(*button, clRed), 64);
    EXPECT_EQ(CountPixels(*button, clTeal), 0);

    button->Glyph()->Canvas().Brush().SetColor(clBlue);
    button->Glyph()->Canvas().FillRect({4, 4, 12, 12});
    EXPECT_EQ(CountPixels(*button, clBlue), 64);
    EXPECT_EQ(CountPixels(*button, clRed), 0);

    button->SetGlyph(nullptr);
    EXPECT_TRUE(button->Glyph()->Empty());
    EXPECT_EQ(CountPixels(*button, clBlue), 0);
}

TEST(SpeedButtonGlyph, TheGlyphIsStoredWithTheForm)
{
    std::string text;
    {
        TForm form(nullptr);
        form.SetName("PreviewForm");
        MakeButton(form);
        EXPECT_EQ(WriteComponentToText(form).find("@Glyph"), std::string::npos) << "no glyph, nothing stored";
        PaintGlyph(*static_cast<TSpeedButton*>(form.FindComponent("PrintButton"))->Glyph(), clRed);
        text = WriteComponentToText(form);
    }
    ASSERT_NE(text.find("@Glyph = #424D"), std::string::npos) << text;  // a BMP

    std::unique_ptr<TComponent> form(CreateComponentFromText(text, nullptr));
    auto* button = dynamic_cast<TSpeedButton*>(form->FindComponent("PrintButton"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Glyph()->GetWidth(), 16);
    EXPECT_EQ(button->Glyph()->Canvas().GetPixel(5, 5), clRed);
    EXPECT_EQ(CountPixels(*button, clRed), 64);
    EXPECT_EQ(CountPixels(*button, clTeal), 0);
}
