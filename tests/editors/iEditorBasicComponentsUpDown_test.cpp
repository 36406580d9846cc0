// The toolkit's up-down: limits, stepping by press, the auto-repeat on a pinned clock, and
// how it looks.

#include "editors/iEditorBasicComponents.h"

#include "editors/EditorTestForm.h"
#include "platform/canvas/Bitmap.h"
#include "platform/canvas/SystemColors.h"
#include "platform/gui/TestHooks.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Points of a 15 x 21 up-down: the buttons are rows 0..9 and 11..20, row 10 lies between.
constexpr TPoint kUp{7, 4};
constexpr TPoint kDown{7, 16};
constexpr TPoint kBetween{7, 10};

struct TUpDownOnForm {
    TestHooks::TFakeTimers timers;
    TEditorTestForm form;
    TiComponentEditorEdit* edit = form.Add<TiComponentEditorEdit>("CountEdit", 10, 10, 60, 21);
    TiUpDown* upDown = form.Add<TiUpDown>("CountUpDown", 0, 0, 15, 21);

    TUpDownOnForm()
    {
        upDown->SetAssociate(edit);
        edit->OnUpdate = form.Logs("u");
        form.Show();
        TestHooks::PumpUntil([this] { return form.Showing(); }, 2000);
    }

    void Press(TPoint at) { TestHooks::SendMouseDown(*upDown, mbLeft, at.X, at.Y); }
    void Move(TPoint at) { TestHooks::SendMouseMove(*upDown, at.X, at.Y, {ssLeft}); }
    void Release(TPoint at) { TestHooks::SendMouseUp(*upDown, mbLeft, at.X, at.Y); }
};

}  // namespace

TEST(ToolkitUpDown, StandsAgainstItsEditAndForgetsItWhenItGoes)
{
    TEditorTestForm form;
    auto* edit = form.Add<TiComponentEditorEdit>("Edit", 30, 40, 80, 25);
    auto* upDown = form.Add<TiUpDown>("UpDown", 0, 0, 15, 21);
    upDown->SetAssociate(edit);
    EXPECT_EQ(upDown->BoundsRect(), (TRect{110, 40, 125, 65}));
    delete edit;
    EXPECT_EQ(upDown->Associate(), nullptr);
    EXPECT_EQ(upDown->GetPosition(), 0);
    upDown->SetPosition(5);  // nothing to show it in
    TestHooks::SendClick(*upDown, kUp.X, kUp.Y);
    EXPECT_EQ(form.Log, "");
}

TEST(ToolkitUpDown, APressStepsWithinTheLimits)
{
    struct Case {
        const char* Why;
        int Min, Max;
        const char* Start;
        TPoint Button;
        const char* Shown;
        const char* Log;
    };
    const Case cases[] = {
        {"Min and Max both 0: no limit", 0, 0, "100", kUp, "101", "uU"},
        {"", 0, 0, "-5", kDown, "-6", "uU"},
        {"at Max the up button keeps the value, and the press still reaches the form", 0, 100, "100", kUp, "100", "U"},
        {"a value above Max is brought down to it", 0, 100, "150", kDown, "100", "uU"},
        {"at Min the down button keeps the value", 0, 100, "0", kDown, "0", "U"},
        {"with Min above Max, Min wins", 5, 3, "0", kUp, "5", "uU"},
        {"text that is no number steps from 0", 0, 100, "abc", kUp, "1", "uU"},
        {"a press between the buttons steps nothing", 0, 100, "7", kBetween, "7", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Why);
        TUpDownOnForm f;
        f.upDown->SetMin(c.Min);
        f.upDown->SetMax(c.Max);
        f.edit->SetAsString(c.Start);
        f.Press(c.Button);
        f.Release(c.Button);
        EXPECT_EQ(f.edit->Text(), c.Shown);
        EXPECT_EQ(f.form.Log, c.Log);
    }
    TUpDownOnForm f;
    f.upDown->SetMin(-40000);
    f.upDown->SetMax(40000);
    EXPECT_EQ(f.upDown->Min(), -32768) << "the limits are 16-bit";
    EXPECT_EQ(f.upDown->Max(), 32767);
    f.upDown->SetAsInteger(99999);
    EXPECT_EQ(f.edit->Text(), "32767");
    EXPECT_EQ(f.form.Log, "") << "SetAsInteger is silent";
}

// Holding a button steps once at the press, again after 500 ms and then every 50 ms, while the
// button shows pressed; releasing stops it.
TEST(ToolkitUpDown, HoldingAButtonRepeatsOnThePinnedClock)
{
    TUpDownOnForm f;
    f.edit->SetAsInteger(0);
    struct Step {
        const char* Why;
        char Action;  // 'p' press up, 'm' move to the point, 'r' release, 'a' advance the clock
        TPoint At;
        int Milliseconds;
        const char* Shown;
    };
    const TPoint outside{40, 4};
    const Step steps[] = {
        {"the press steps at once", 'p', kUp, 0, "1"},
        {"nothing more before 500 ms", 'a', {}, 499, "1"},
        {"the first repeat", 'a', {}, 1, "2"},
        {"then every 50 ms", 'a', {}, 49, "2"},
        {"", 'a', {}, 1, "3"},
        {"", 'a', {}, 100, "5"},
        {"slid off the button: the repeat pauses", 'm', outside, 0, "5"},
        {"", 'a', {}, 200, "5"},
        {"back on it: it goes on", 'm', kUp, 0, "5"},
        {"", 'a', {}, 50, "6"},
        {"slid onto the down button: it counts down", 'm', kDown, 0, "6"},
        {"", 'a', {}, 100, "4"},
        {"released: it stops", 'r', kDown, 0, "4"},
        {"", 'a', {}, 1000, "4"},
    };
    for (const Step& s : steps) {
        switch (s.Action) {
        case 'p': f.Press(s.At); break;
        case 'm': f.Move(s.At); break;
        case 'r': f.Release(s.At); break;
        default: f.timers.Advance(s.Milliseconds); break;
        }
        EXPECT_EQ(f.edit->Text(), s.Shown) << s.Why << " (" << s.Action << " " << s.Milliseconds << ")";
    }
    // Every step committed and told the form.
    std::string expected;
    for (int i = 0; i < 8; ++i)
        expected += "uU";
    EXPECT_EQ(f.form.Log, expected);
}

TEST(ToolkitUpDown, DisableTakesItsEditAlongAndGreysTheArrows)
{
    TUpDownOnForm f;
    f.edit->SetAsInteger(3);
    TBitmap enabled, pressed, disabled;
    TestHooks::GrabControl(*f.upDown, enabled);
    f.Press(kUp);
    TestHooks::GrabControl(*f.upDown, pressed);
    f.Release(kUp);
    f.upDown->Disable();
    EXPECT_FALSE(f.upDown->Enabled());
    EXPECT_FALSE(f.edit->Enabled());
    EXPECT_EQ(f.edit->Text(), "");
    TestHooks::GrabControl(*f.upDown, disabled);
    f.upDown->Enable();
    EXPECT_TRUE(f.edit->Enabled());

    // The arrows point up and down from the buttons' centres (7, 5) and (7, 16).
    EXPECT_EQ(enabled.Canvas().GetPixel(7, 5), clBlack);
    EXPECT_EQ(enabled.Canvas().GetPixel(7, 16), clBlack);
    EXPECT_EQ(enabled.Canvas().GetPixel(7, 3), ColorToRGB(clBtnFace)) << "the up arrow's tip is one pixel up";
    EXPECT_EQ(disabled.Canvas().GetPixel(7, 5), RGB(128, 128, 128));
    // Raised buttons are lit at their top left; the pressed one is shaded there.
    EXPECT_NE(enabled.Canvas().GetPixel(0, 0), pressed.Canvas().GetPixel(0, 0));
    EXPECT_EQ(enabled.Canvas().GetPixel(0, 12), pressed.Canvas().GetPixel(0, 12)) << "the down button stays raised";
}
