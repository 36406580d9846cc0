#include "components/iComponent.h"

#include "platform/canvas/ImageCodecs.h"
#include "platform/canvas/SystemColors.h"
#include "platform/core/Clock.h"
#include "platform/core/Streams.h"
#include "platform/core/StringList.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHooks.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

namespace {

class TTestPart : public TPersistent {
    PRAVIX_CLASS(TTestPart, TPersistent)
public:
    std::string Name = "part";
    int Count = 0;
};

// A component that draws its background and a small square in PointerColor.
class TTestComponent : public TiComponent {
    PRAVIX_CLASS(TTestComponent, TiComponent)
public:
    explicit TTestComponent(TComponent* owner = nullptr) : TiComponent(owner)
    {
        SetBounds(0, 0, 40, 30);
        m_timer.OnInternalTimer = [this] { ++Ticks; };
    }

    bool GetTimerRunning() override { return m_timer.GetTimerRunning(); }
    void TimerStart(int first, int interval) override { m_timer.TimerStart(first, interval); }
    void TimerStop() override { m_timer.TimerStop(); }
    void Lock() override
    {
        ++Locks;
        ++LockDepth;
    }
    void Unlock() override { --LockDepth; }

    void iPaintTo(TCanvas& canvas) override
    {
        ++Paints;
        if (!FailWith.empty()) {
            canvas.IntersectClipRect(TRect(0, 0, 2, 2));
            canvas.SetOrigin(TPoint(30, 30));
            throw Exception(FailWith);
        }
        if (DrawNothing)
            return;
        DrawBackGround(canvas, BackGroundColor());
        canvas.Brush().SetColor(m_pointerColor);
        canvas.FillRect(TRect(4, 4, 8, 8));
    }
    void iMouseUp(TMouseButton button, TShiftState, int x, int y) override
    {
        Log += "iMouseUp(" + std::to_string(int(button)) + "," + std::to_string(x) + "," + std::to_string(y) + ")";
    }
    void iMouseDown(TMouseButton, TShiftState, int, int) override
    {
        Log += InsideUserInput() ? "iMouseDown+" : "iMouseDown-";
        if (ThrowInHook)
            throw Exception("hook");
    }
    void iKeyDown(int& key, TShiftState) override
    {
        Log += InsideUserInput() ? "iKeyDown+" : "iKeyDown-";
        key = 0;
    }

    TColor PointerColor() const { return m_pointerColor; }
    void SetPointerColor(TColor value) { SetColorProperty(value, m_pointerColor, irtInvalidate); }
    double Span() const { return m_span; }
    void SetSpan(double value) { SetDoubleProperty(value, m_span, irtBackGround); }
    std::string Title() const { return m_title; }
    void SetTitle(const std::string& value) { SetStringProperty(value, m_title, irtNone); }
    TTestPart* Part() const { return m_part.get(); }
    void SetPart(TTestPart*) {}

    using TiComponent::BackGroundPending;
    using TiComponent::ChangeAbsorbed;
    using TiComponent::InvalidatePending;
    using TiComponent::KeyDown;
    using TiComponent::MouseDown;

    int Locks = 0;
    int LockDepth = 0;
    int Paints = 0;
    int Ticks = 0;
    bool ThrowInHook = false;
    bool DrawNothing = false;
    std::string FailWith;
    std::string Log;

private:
    TComponentTimer m_timer;
    TColor m_pointerColor = clRed;
    double m_span = 100;
    std::string m_title;
    std::unique_ptr<TTestPart> m_part = std::make_unique<TTestPart>();
};

}  // namespace

PRAVIX_PUBLISH(TTestPart, Field("Name", &TTestPart::Name), Field("Count", &TTestPart::Count).Default(0))

PRAVIX_PUBLISH(
    TTestComponent, Prop("PointerColor", &TTestComponent::PointerColor, &TTestComponent::SetPointerColor),
    Prop("Span", &TTestComponent::Span, &TTestComponent::SetSpan),
    Prop("Title", &TTestComponent::Title, &TTestComponent::SetTitle),
    Prop("BorderStyle", &TiComponent::BorderStyle, &TiComponent::SetBorderStyle).Default(ibsNone),
    Prop("BackGroundColor", &TiComponent::BackGroundColor, &TiComponent::SetBackGroundColor).Default(clBtnFace),
    Prop("Part", &TTestComponent::Part, &TTestComponent::SetPart).Owned(),
    Prop("ErrorFont", &TiComponent::ErrorFont, &TiComponent::SetErrorFont).Owned())

namespace {

// The colours of an off-screen paint, read while the off-screen canvas still exists.
struct TPaintProbe {
    std::vector<std::vector<TColor>> Pixels;
    void Attach(TiComponent& c)
    {
        c.OnOffScreenPaint = [this, &c](TObject*, TCanvas* canvas) {
            Pixels.assign(c.Height(), std::vector<TColor>(c.Width()));
            for (int y = 0; y < c.Height(); ++y)
                for (int x = 0; x < c.Width(); ++x)
                    Pixels[y][x] = canvas->GetPixel(x, y);
        };
    }
    TColor At(int x, int y) const { return Pixels.at(y).at(x); }
    // Rows holding at least one pixel of the colour.
    std::vector<int> RowsWith(TColor color) const
    {
        std::vector<int> rows;
        for (int y = 0; y < int(Pixels.size()); ++y)
            for (TColor p : Pixels[y])
                if (p == color) {
                    rows.push_back(y);
                    break;
                }
        return rows;
    }
};

// Fake timers with the monotonic clock moving along with them.
struct TFakeTime {
    TClockOverride Clock{0, 1000.0};
    TestHooks::TFakeTimers Timers;
    TFakeTime()
    {
        Timers.OnAdvance = [this](long long ms) { Clock.SetMonotonic(1000.0 + ms / 1000.0); };
    }
};

}  // namespace

TEST(iComponent, StartsWithTheSpecifiedState)
{
    TTestComponent c;
    EXPECT_EQ(c.UpdateFrameRate(), 60);
    EXPECT_FALSE(c.AutoFrameRate());
    EXPECT_FALSE(c.OptionSaveAllProperties());
    EXPECT_FALSE(c.Updating());
    EXPECT_EQ(c.BackGroundColor(), clBtnFace);
    EXPECT_TRUE(c.BackGroundChanged());
    EXPECT_EQ(c.BorderStyle(), ibsNone);
    EXPECT_EQ(c.OffsetX(), 0);
    EXPECT_FALSE(c.ShowDisabledState());
    EXPECT_TRUE(c.CachedDrawing());
    EXPECT_FALSE(c.ErrorActive());
    EXPECT_EQ(c.ErrorText(), "Error");
    EXPECT_EQ(c.ErrorBackGroundColor(), clBlack);
    EXPECT_EQ(c.ErrorFont()->GetColor(), clRed);
    EXPECT_EQ(c.ErrorFont()->GetStyle(), TFontStyles{fsBold});
    EXPECT_EQ(c.BackGroundPicture(), nullptr);
    EXPECT_EQ(c.OffScreenBitmap(), nullptr);
    EXPECT_FALSE(c.GetLoading());

    std::vector<std::string> names;
    for (const TPropInfo* p : TiComponent::StaticClassInfo().Properties())
        names.push_back(p->Name());
    const std::vector<std::string> expected = {"Name",          "Tag",
                                               "Left",          "Top",
                                               "Width",         "Height",
                                               "Cursor",        "Hint",
                                               "HelpContext",   "UpdateFrameRate",
                                               "AutoFrameRate", "OptionSaveAllProperties",
                                               "Visible",       "Enabled",
                                               "ShowHint",      "PopupMenu",
                                               "Anchors",       "Constraints",
                                               "OnClick",       "OnDblClick",
                                               "OnDragDrop",    "OnDragOver",
                                               "OnStartDrag",   "OnEndDrag",
                                               "OnMouseDown",   "OnMouseMove",
                                               "OnMouseUp",     "OnKeyDown",
                                               "OnKeyPress",    "OnKeyUp",
                                               "OnEnter",       "OnExit"};
    EXPECT_EQ(names, expected);
}

TEST(iComponent, UpdatesCoalesceAnyNumberOfRequestsIntoOne)
{
    TTestComponent c;
    const int start = c.RepaintRequestCount();
    c.BeginUpdate();
    c.BeginUpdate();  // not counted: the first EndUpdate ends the update
    for (int i = 0; i < 50; ++i) {
        c.SetPointerColor(TColor(i));
        c.SetSpan(i);
        c.InvalidateChange();
        c.BackGroundChange();
    }
    EXPECT_EQ(c.RepaintRequestCount(), start);
    c.EndUpdate();
    EXPECT_FALSE(c.Updating());
    EXPECT_EQ(c.RepaintRequestCount(), start + 1);
    EXPECT_FALSE(c.InvalidatePending());
    EXPECT_FALSE(c.BackGroundPending());
    c.EndUpdate();  // nothing pending any more
    EXPECT_EQ(c.RepaintRequestCount(), start + 1);

    c.BeginUpdate();
    c.InvalidateNow();  // at once, whatever the update
    EXPECT_EQ(c.RepaintRequestCount(), start + 2);
    c.EndUpdate();
    EXPECT_EQ(c.RepaintRequestCount(), start + 2);
}

TEST(iComponent, SettersRequestTheirKindOfRepaintOnlyForChanges)
{
    TTestComponent c;
    int count = c.RepaintRequestCount();
    struct Step {
        std::function<void()> change;
        bool requests;
        bool background;
    };
    const Step steps[] = {
        {[&] { c.SetPointerColor(clRed); }, false, false},  // the current value
        {[&] { c.SetPointerColor(clBlue); }, true, false},
        {[&] { c.SetSpan(100); }, false, false},
        {[&] { c.SetSpan(-0.5); }, true, true},
        {[&] { c.SetTitle("t"); }, false, false},  // irtNone
        {[&] { c.SetErrorText("Error"); }, false, false},
        {[&] { c.SetErrorText("error"); }, true, true},  // strings compare case-sensitively
        {[&] { c.SetBorderStyle(ibsRaised); }, true, true},
        {[&] { c.SetBorderStyle(ibsRaised); }, false, false},
        {[&] { c.ErrorFont()->SetColor(clYellow); }, true, false},
        {[&] { c.SetEnabled(false); }, true, true},
        {[&] { c.RepaintAll(); }, true, true},
        {[&] { c.SetOptionSaveAllProperties(true); }, false, false},
    };
    for (const Step& s : steps) {
        c.ResetBackGroundChange();
        s.change();
        const int now = c.RepaintRequestCount();
        EXPECT_EQ(now - count, s.requests ? 1 : 0) << &s - steps;
        EXPECT_EQ(c.BackGroundChanged(), s.background) << &s - steps;
        count = now;
    }
    EXPECT_EQ(c.Title(), "t");
}

TEST(iComponent, FrameRateBoundsABurstAndTheLastStateIsAlwaysIssued)
{
    TFakeTime time;
    TTestComponent c;
    c.SetAutoFrameRate(true);
    time.Timers.Advance(20);
    const int start = c.RepaintRequestCount();

    // One change per millisecond for a second, at 60 repaints per second.
    for (int i = 0; i < 1000; ++i) {
        c.SetPointerColor(TColor(i + 1));
        time.Timers.Advance(1);
    }
    const int issued = c.RepaintRequestCount() - start;
    EXPECT_LE(issued, 61);
    EXPECT_GE(issued, 50);

    // The last change lands just after a repaint: it waits, then the timer issues it.
    time.Timers.Advance(50);
    const int settled = c.RepaintRequestCount();
    c.SetPointerColor(clGreen);
    c.SetPointerColor(clNavy);
    EXPECT_TRUE(c.InvalidatePending());
    EXPECT_EQ(c.RepaintRequestCount(), settled + 1);  // the first passed, the second waits
    time.Timers.Advance(20);
    EXPECT_FALSE(c.InvalidatePending());
    EXPECT_EQ(c.RepaintRequestCount(), settled + 2);
    time.Timers.Advance(100);
    EXPECT_EQ(c.RepaintRequestCount(), settled + 2);  // nothing more once issued
}

// A live plot asks for a repaint with every batch of points. Whatever the cadence of the
// batches, the frames follow each other at the frame rate: the timer's rounding and the
// time it takes to fire do not stretch every frame.
TEST(iComponent, SteadyRequestsRepaintAtTheFullFrameRate)
{
    const struct {
        const char* What;
        int EveryMs;
        int Low;
        int High;
    } cases[] = {
        {"a request every millisecond", 1, 59, 61},
        {"every 4 ms, as a fed live chart", 4, 59, 61},
        {"every 10 ms", 10, 59, 61},
        {"every 25 ms: slower than the frame rate, each repaints", 25, 40, 40},
    };
    for (const auto& c : cases) {
        TFakeTime time;
        TTestComponent component;
        component.SetAutoFrameRate(true);
        time.Timers.Advance(50);
        const int start = component.RepaintRequestCount();
        for (int ms = 0; ms < 1000; ms += c.EveryMs) {
            component.SetPointerColor(TColor(ms + 1));
            time.Timers.Advance(c.EveryMs);
        }
        const int issued = component.RepaintRequestCount() - start;
        EXPECT_GE(issued, c.Low) << c.What;
        EXPECT_LE(issued, c.High) << c.What;
    }
}

// Frames missed during a pause are not made up: the first request after it repaints, and a
// second one within the frame that repaint began still waits.
TEST(iComponent, NoCatchUpFramesAfterAPause)
{
    TFakeTime time;
    TTestComponent c;
    c.SetAutoFrameRate(true);
    time.Timers.Advance(50);
    c.SetPointerColor(clRed);
    time.Timers.Advance(150);
    const int count = c.RepaintRequestCount();
    c.SetPointerColor(clGreen);
    EXPECT_EQ(c.RepaintRequestCount(), count + 1);
    time.Timers.Advance(5);
    c.SetPointerColor(clBlue);
    EXPECT_EQ(c.RepaintRequestCount(), count + 1);
    EXPECT_TRUE(c.InvalidatePending());
}

// Sub-objects skip their change notification while ChangeAbsorbed holds: it may hold only
// while a further InvalidateChange would change nothing, and must end with each repaint.
TEST(iComponent, ChangeAbsorbedHoldsOnlyWhileARepaintWaits)
{
    TFakeTime time;
    TTestComponent c;
    c.SetAutoFrameRate(true);
    time.Timers.Advance(50);
    struct TStep {
        const char* What;
        std::function<void()> Run;
        bool Absorbed;
    } steps[] = {
        {"settled", [] {}, false},
        {"a change after the interval repaints at once", [&] { c.InvalidateChange(); }, false},
        {"a change within the interval waits for the timer", [&] { c.InvalidateChange(); }, true},
        {"the timer issues the repaint", [&] { time.Timers.Advance(20); }, false},
        {"a change while updating waits",
         [&] {
             c.BeginUpdate();
             c.InvalidateChange();
         },
         true},
        {"EndUpdate after the interval issues it",
         [&] {
             time.Timers.Advance(20);
             c.EndUpdate();
         },
         false},
        {"waiting again", [&] { c.InvalidateChange(); }, true},
        {"turning the frame-rate limit off", [&] { c.SetAutoFrameRate(false); }, false},
        {"without the limit every change repaints", [&] { c.InvalidateChange(); }, false},
    };
    for (const TStep& step : steps) {
        step.Run();
        EXPECT_EQ(c.ChangeAbsorbed(), step.Absorbed) << step.What;
        if (c.ChangeAbsorbed()) {
            const int count = c.RepaintRequestCount();
            c.InvalidateChange();
            EXPECT_EQ(c.RepaintRequestCount(), count) << step.What;
            EXPECT_TRUE(c.InvalidatePending()) << step.What;
        }
    }
}

TEST(iComponent, FrameRateEdgeCases)
{
    TFakeTime time;
    TTestComponent c;
    c.SetAutoFrameRate(true);  // asks for a background repaint, refused: just constructed
    EXPECT_TRUE(c.BackGroundPending());

    // A refused request is carried out by EndUpdate once the interval is over.
    c.BeginUpdate();
    time.Clock.SetMonotonic(1000.5);
    c.InvalidateChange();
    int count = c.RepaintRequestCount();
    c.EndUpdate();
    EXPECT_EQ(c.RepaintRequestCount(), count + 1);

    // Two requests 5 ms apart: the second stays pending until a later one passes.
    time.Clock.SetMonotonic(1001.0);
    count = c.RepaintRequestCount();
    c.InvalidateChange();
    time.Clock.SetMonotonic(1001.005);
    c.InvalidateChange();
    EXPECT_EQ(c.RepaintRequestCount(), count + 1);
    EXPECT_TRUE(c.InvalidatePending());
    time.Clock.SetMonotonic(1001.02);
    c.BackGroundChange();
    EXPECT_EQ(c.RepaintRequestCount(), count + 2);
    EXPECT_FALSE(c.InvalidatePending());

    // Rate 0 (and negative rates): every request repaints at once.
    for (int rate : {0, -5}) {
        c.SetUpdateFrameRate(rate);
        count = c.RepaintRequestCount();
        c.InvalidateChange();
        c.InvalidateChange();
        EXPECT_EQ(c.RepaintRequestCount(), count + 2) << rate;
    }

    // Switching the limit off inside an update ends the update and issues what waits.
    c.SetUpdateFrameRate(60);
    c.BeginUpdate();
    c.InvalidateChange();
    count = c.RepaintRequestCount();
    c.SetAutoFrameRate(false);
    EXPECT_FALSE(c.Updating());
    EXPECT_EQ(c.RepaintRequestCount(), count + 1);
    c.InvalidateChange();
    EXPECT_EQ(c.RepaintRequestCount(), count + 2);
}

TEST(iComponent, PaintsThroughABlackOffScreenBitmap)
{
    TTestComponent c;
    c.SetBorderStyle(ibsLowered);
    TPaintProbe probe;
    probe.Attach(c);
    c.PaintToDC();
    EXPECT_EQ(c.Paints, 1);
    EXPECT_EQ(c.LockDepth, 0);
    EXPECT_EQ(c.OffScreenBitmap(), nullptr);
    EXPECT_FALSE(c.BackGroundChanged());
    EXPECT_EQ(probe.At(0, 0), ColorToRGB(clBtnShadow));  // the sunken edge
    EXPECT_EQ(probe.At(39, 29), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(probe.At(20, 20), ColorToRGB(clBtnFace));
    EXPECT_EQ(probe.At(5, 5), clRed);

    // A picture is stretched over the whole control, without a border.
    TBitmap picture;
    picture.SetSize(2, 2);
    picture.Canvas().Brush().SetColor(clYellow);
    picture.Canvas().FillRect(TRect(0, 0, 2, 2));
    const int count = c.RepaintRequestCount();
    c.SetBackGroundPicture(&picture);
    EXPECT_GE(c.RepaintRequestCount(), count + 1);
    c.PaintToDC();
    EXPECT_EQ(probe.At(0, 0), clYellow);
    EXPECT_EQ(probe.At(39, 29), clYellow);
    EXPECT_EQ(c.GetBorderMargin(), 2);

    c.SetBackGroundPicture(nullptr);
    EXPECT_EQ(c.BackGroundPicture()->GetWidth(), 0);

    // Off-screen bitmaps start black: a component that draws nothing shows black.
    c.DrawNothing = true;
    c.PaintToDC();
    EXPECT_EQ(probe.At(0, 0), clBlack);
    EXPECT_EQ(probe.At(20, 20), clBlack);
}

TEST(iComponent, AFailingPaintShowsItsMessageAndTheProgramGoesOn)
{
    TTestComponent c;
    c.SetBounds(0, 0, 60, 80);
    c.FailWith = "Scale is broken beyond any repair";
    TPaintProbe probe;
    probe.Attach(c);
    EXPECT_NO_THROW(c.PaintToDC());
    EXPECT_EQ(c.LockDepth, 0);
    EXPECT_EQ(probe.At(0, 0), clBlack);
    EXPECT_EQ(probe.At(59, 79), clBlack);
    const std::vector<int> white = probe.RowsWith(clWhite);
    ASSERT_FALSE(white.empty());
    TBitmap scratch;
    const int lineHeight = scratch.Canvas().TextHeight("Scale");
    EXPECT_GT(white.back() - white.front(), lineHeight);  // wrapped onto several lines

    // The next successful paint replaces it.
    c.FailWith.clear();
    c.PaintToDC();
    EXPECT_TRUE(probe.RowsWith(clWhite).empty());
    EXPECT_EQ(probe.At(5, 5), clRed);

    // Also through the platform's own paint of a shown control: no error box.
    TestHooks::TModalScript script;
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 200);
    c.SetParent(&form);
    form.Show();
    c.FailWith = "again";
    const int paints = c.Paints;
    c.Repaint();
    TestHooks::PumpUntil([&] { return c.Paints > paints; }, 2000);
    EXPECT_GT(c.Paints, paints);
    TestHooks::PumpFor(20);
    EXPECT_TRUE(script.Shown.empty());
    c.SetParent(nullptr);
}

// A control of the largest size would want one picture of 4 GB for each paint or export. The
// picture is refused before any memory is asked for: an export raises the reason, a paint on
// the screen shows it.
TEST(iComponent, AControlTooLargeForOnePictureSaysSoInsteadOfAskingForIt)
{
    TempDir dir;
    TTestComponent c;
    c.SetBounds(0, 0, kMaxControlExtent, kMaxControlExtent);
    ASSERT_EQ(c.Width(), kMaxControlExtent);
    const std::string file = dir.Path("huge.bmp");
    try {
        c.SaveImageToBitmap(file);
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Picture too large: 32767 x 32767 pixels.\nThe limit is 67108864 pixels.");
    }
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(c.LockDepth, 0);

    TestHooks::TModalScript script;
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 120);
    c.SetParent(&form);
    form.Show();
    TBitmap shot;
    TestHooks::GrabControl(form, shot);
    EXPECT_EQ(c.Paints, 0);
    EXPECT_EQ(shot.Canvas().GetPixel(299, 119), clBlack);
    int white = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 300; ++x)
            white += shot.Canvas().GetPixel(x, y) == clWhite;
    EXPECT_GT(white, 50);  // the message
    EXPECT_TRUE(script.Shown.empty());
    const TBytes png = EncodePNG(shot, 9);
    WriteFileBytes("component_too_large.png", png.data(), png.size());
    c.SetParent(nullptr);
}

TEST(iComponent, ErrorDisplayReplacesTheContent)
{
    TTestComponent c;
    c.SetBounds(0, 0, 80, 30);
    TPaintProbe probe;
    probe.Attach(c);
    c.SetErrorBackGroundColor(clNavy);
    c.SetErrorActive(true);
    c.PaintToDC();
    EXPECT_EQ(c.Paints, 0);
    EXPECT_EQ(probe.At(0, 0), clNavy);
    const std::vector<int> red = probe.RowsWith(clRed);
    ASSERT_FALSE(red.empty());
    EXPECT_LT(red.front(), 15);  // centred vertically
    EXPECT_GT(red.back(), 15);

    TFont font;
    font.SetColor(clLime);
    c.SetErrorFont(&font);
    EXPECT_EQ(c.ErrorFont()->GetColor(), clLime);
    c.PaintToDC();
    EXPECT_TRUE(probe.RowsWith(clRed).empty());
    EXPECT_FALSE(probe.RowsWith(clLime).empty());
}

TEST(iComponent, MetafilePaintingAndBitmapExportRestoreTheirState)
{
    TempDir dir;
    TTestComponent c;
    c.SetPointerColor(clBlue);
    const std::string file = dir.Path("image.bmp");
    c.SaveImageToBitmap(file);
    TBitmap read;
    read.LoadFromFile(file);
    EXPECT_EQ(read.GetWidth(), 40);
    EXPECT_EQ(read.GetHeight(), 30);
    EXPECT_EQ(read.Canvas().GetPixel(5, 5), clBlue);
    EXPECT_EQ(c.LockDepth, 0);

    c.FailWith = "no paper";
    EXPECT_THROW(c.SaveImageToBitmap(dir.Path("failed.bmp")), Exception);
    EXPECT_EQ(c.LockDepth, 0);

    TBitmap target;
    target.SetSize(40, 30);
    EXPECT_THROW(c.PaintToMetaFile(target.Canvas()), Exception);
    EXPECT_EQ(c.LockDepth, 0);
    EXPECT_TRUE(c.CachedDrawing());
}

TEST(iComponent, CachedDrawingAndTheBackGroundBitmap)
{
    TTestComponent c;
    TBitmap& background = c.GetBackGroundBitmap();
    EXPECT_EQ(background.GetWidth(), 40);
    EXPECT_EQ(&c.GetBackGroundBitmap(), &background);
    const int count = c.RepaintRequestCount();
    c.SetCachedDrawing(false);
    EXPECT_EQ(c.RepaintRequestCount(), count + 1);
    c.SetBounds(0, 0, 50, 20);
    EXPECT_EQ(c.GetBackGroundBitmap().GetWidth(), 50);  // made again at the new size
}

TEST(iComponent, Geometry)
{
    TTestComponent c;
    c.SetBounds(0, 0, 41, 31);
    TBitmap scratch;
    EXPECT_EQ(c.GetCenterPoint(scratch.Canvas()), TPoint(20, 15));
    c.SetOffsetX(3);
    c.SetOffsetY(-4);
    EXPECT_EQ(c.GetCenterPoint(scratch.Canvas()), TPoint(23, 11));
    const TPointDouble centre = c.GetCenterPointDouble(scratch.Canvas());
    EXPECT_EQ(centre.X, 20.0);
    EXPECT_EQ(centre.Y, 15.0);
    EXPECT_EQ(c.GetXYRadPoint(10, TDegrees(90), TPoint(50, 50)), TPoint(50, 40));
    EXPECT_EQ(c.GetXYRadPoint(10, TDegrees(45), TPoint(50, 50)), TPoint(57, 43));
    EXPECT_EQ(c.GetXYRadPoint(2.5, TDegrees(0), TPoint(0, 0)), TPoint(2, 0));  // halves to even
    EXPECT_EQ(c.GetXYRadPoint(3.5, TDegrees(180), TPoint(0, 0)), TPoint(-4, 0));
}

TEST(iComponent, InputHooksAndTheUserInputFlag)
{
    TTestComponent c;
    c.OnKeyDown = [&](TObject*, int&, TShiftState) { c.Log += c.InsideUserInput() ? "OnKeyDown+" : "OnKeyDown-"; };
    int key = 65;
    c.KeyDown(key, {});
    EXPECT_EQ(c.Log, "OnKeyDown+iKeyDown+");
    EXPECT_EQ(key, 0);
    EXPECT_FALSE(c.InsideUserInput());

    c.Log.clear();
    c.OnKeyDown = [](TObject*, int&, TShiftState) { throw Exception("user handler"); };
    key = 65;
    EXPECT_NO_THROW(c.KeyDown(key, {}));  // key exceptions are swallowed
    EXPECT_EQ(c.Log, "");
    EXPECT_FALSE(c.InsideUserInput());

    c.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { c.Log += "OnMouseDown"; };
    c.MouseDown(mbLeft, {}, 1, 2);
    EXPECT_EQ(c.Log, "iMouseDown+OnMouseDown");  // the hook first
    c.ThrowInHook = true;
    EXPECT_THROW(c.MouseDown(mbLeft, {}, 1, 2), Exception);  // mouse exceptions pass
    EXPECT_FALSE(c.InsideUserInput());

    c.Log.clear();
    c.iDoSetFocus();
    EXPECT_TRUE(c.IsFocused());
    const int count = c.RepaintRequestCount();
    c.iDoKillFocus();
    EXPECT_FALSE(c.IsFocused());
    EXPECT_EQ(c.Log, "iMouseUp(0,0,0)");
    EXPECT_EQ(c.RepaintRequestCount(), count + 1);
    EXPECT_FALSE(c.iMouseWheel(120, {}, TPoint(1, 1)));
}

TEST(iComponent, DesigningLoadingAndPropertyTypes)
{
    TTestComponent c;
    EXPECT_FALSE(c.GetIsDesigning());
    c.OnGetDesigning = [](TObject*, bool& designing) { designing = true; };
    bool designing = false;
    c.DoIsDesigning(nullptr, designing);
    EXPECT_TRUE(designing);
    c.SetLoading(true);
    EXPECT_TRUE(c.GetLoading());
    c.SetLoading(false);
    c.SetComponentState(csLoading, true);
    EXPECT_TRUE(c.GetLoading());
    c.SetComponentState(csLoading, false);

    struct Case {
        std::string path;
        TTypeKind kind;
    };
    const Case cases[] = {
        {"ErrorFont.Name", tkString},
        {"ErrorFont.Style", tkSet},
        {"Part.Name", tkString},
        {"part.COUNT", tkInteger},
        {"Span", tkFloat},
        {"AutoFrameRate", tkEnumeration},
        {"Anchors", tkSet},
        {"Constraints.MinWidth", tkInteger},
        {"Part", tkUnknown},
        {"Nothing", tkUnknown},
        {"OnClick", tkMethod},
    };
    for (const Case& k : cases) {
        TTypeKind kind = tkClass;
        c.PropertyVarType(k.path, kind);
        EXPECT_EQ(kind, k.kind) << k.path;
    }
}

TEST(iComponent, PropertyFilesSkipPositionUnlessAskedAndReadBackInOneRepaint)
{
    TempDir dir;
    TTestComponent c;
    c.SetName("Gauge1");
    c.SetBounds(5, 6, 70, 40);
    c.SetPointerColor(clBtnFace);
    c.SetSpan(2.5);
    c.SetTitle("two\r\nlines");
    c.SetBorderStyle(ibsRaised);
    c.Part()->Count = 3;
    const std::string file = dir.Path("gauge.txt");
    c.SavePropertiesToFile(file);
    EXPECT_EQ(ReadFileBytes(file), "File Type = TTestComponent\r\n"
                                   "PointerColor = -2147483633\r\n"
                                   "Span = 2.5\r\n"
                                   "Title = two#13#10lines\r\n"
                                   "BorderStyle = 1\r\n"
                                   "Part.Name = part\r\n"
                                   "Part.Count = 3\r\n"
                                   "ErrorFont.Color = 255\r\n"
                                   "ErrorFont.Height = -11\r\n"
                                   "ErrorFont.Name = Arial\r\n"
                                   "ErrorFont.Style = 1\r\n");

    TTestComponent copy;
    const int count = copy.RepaintRequestCount();
    copy.LoadPropertiesFromFile(file);
    EXPECT_EQ(copy.RepaintRequestCount(), count + 1);
    EXPECT_EQ(copy.PointerColor(), clBtnFace);
    EXPECT_EQ(copy.Span(), 2.5);
    EXPECT_EQ(copy.Title(), "two\r\nlines");
    EXPECT_EQ(copy.BorderStyle(), ibsRaised);
    EXPECT_EQ(copy.Part()->Count, 3);
    EXPECT_EQ(copy.Width(), 40);

    c.SetOptionSaveAllProperties(true);
    c.SavePropertiesToFile(file);
    TStringList lines;
    lines.LoadFromFile(file);
    for (const char* line :
         {"Left = 5", "Top = 6", "Width = 70", "Height = 40", "Hint = ", "OptionSaveAllProperties = 1"})
        EXPECT_NE(lines.IndexOf(line), -1) << line;
    for (int i = 0; i < lines.Count(); ++i)
        EXPECT_NE(lines[i].rfind("Name =", 0), 0u) << lines[i];
    copy.LoadPropertiesFromFile(file);
    EXPECT_EQ(copy.Left(), 5);
    EXPECT_EQ(copy.Width(), 70);
}

TEST(iComponent, MalformedPropertyFilesGiveClearErrorsAndLeaveTheComponentWorking)
{
    TempDir dir;
    struct Case {
        std::string content;
        std::string message;  // the start of it
        double span;          // after the failed load
    };
    const Case cases[] = {
        {"File Type = TTestComponent\r\nSpan = 1.5\r\nPointerColor = red\r\nSpan = 7\r\n",
         "Error Loading Properties - 'red' is not a valid integer value", 1.5},
        {"Span = 1e999\r\n", "Error Loading Properties - '1e999' is not a valid floating point value", 100},
        {"", "Error Loading Properties - Cannot open file", 100},  // no file at all
    };
    for (const Case& k : cases) {
        TTestComponent c;
        const std::string file = dir.Path("bad.txt");
        std::filesystem::remove(file);
        if (!k.content.empty())
            std::ofstream(file, std::ios::binary) << k.content;
        try {
            c.LoadPropertiesFromFile(file);
            ADD_FAILURE() << k.message;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message().rfind(k.message, 0), 0u) << e.Message();
        }
        EXPECT_FALSE(c.Updating());
        EXPECT_EQ(c.Span(), k.span);
        const int count = c.RepaintRequestCount();
        c.SetPointerColor(clLime);
        EXPECT_EQ(c.RepaintRequestCount(), count + 1);
    }

    TTestComponent c;
    std::ofstream(dir.Path("noise.txt"), std::ios::binary) << std::string("\x00\xff=\x01\r\n==\r\nSpan\r\n", 14);
    EXPECT_NO_THROW(c.LoadPropertiesFromFile(dir.Path("noise.txt")));
    try {
        c.SavePropertiesToFile(dir.Path("missing/gauge.txt"));
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message().rfind("Error Saving Properties - Cannot create file", 0), 0u) << e.Message();
    }
}
