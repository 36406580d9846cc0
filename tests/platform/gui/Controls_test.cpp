// Controls follow their parent's size: aligned children share the client, the others keep
// the distances to the edges they are anchored to. Graphic controls take the mouse but never
// the focus; a control whose focus goes to a part of it hears its keys from there.

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/Graphics.h"
#include "platform/core/FormDescription.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Keys.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/TestHooks.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct AnchorCase {
    const char* Why;
    TAnchors Anchors;
    TRect Grown;   // after the parent went from 400 x 300 to 600 x 400
    TRect Shrunk;  // after it went on to 300 x 200 (a size below zero is held at zero)
};

// The child starts at (10, 20), 100 x 50, in a 400 x 300 parent.
const AnchorCase kAnchorCases[] = {
    {"left and top: stays where it is", {akLeft, akTop}, {10, 20, 110, 70}, {10, 20, 110, 70}},
    {"right and bottom: keeps its distances to those edges",
     {akRight, akBottom},
     {210, 120, 310, 170},
     {-90, -80, 10, -30}},
    {"all four: stretches with the parent", {akLeft, akTop, akRight, akBottom}, {10, 20, 310, 170}, {10, 20, 10, 20}},
    {"left, right and top: wider, same height and top", {akLeft, akRight, akTop}, {10, 20, 310, 70}, {10, 20, 10, 70}},
    // The centre (60, 45) keeps its fraction of the parent: 60 / 400 and 45 / 300.
    {"none: the centre keeps its place in proportion", {}, {40, 35, 140, 85}, {-5, 5, 95, 55}},
    {"top and bottom only: taller, centred across", {akTop, akBottom}, {40, 20, 140, 170}, {-5, 20, 95, 20}},
};

TEST(Anchors, ChildrenFollowTheParentsSizeAsTheirAnchorsSay)
{
    for (const AnchorCase& c : kAnchorCases) {
        SCOPED_TRACE(c.Why);
        TPanel parent(nullptr);
        parent.SetBounds(0, 0, 400, 300);
        TPanel child(nullptr);
        child.SetParent(&parent);
        child.SetBounds(10, 20, 100, 50);
        child.SetAnchors(c.Anchors);
        parent.SetBounds(0, 0, 600, 400);
        EXPECT_EQ(child.BoundsRect(), c.Grown);
        parent.SetBounds(0, 0, 300, 200);
        EXPECT_EQ(child.BoundsRect(), c.Shrunk);
        // Back at the first size everything is where it started, whatever was held on the way.
        parent.SetBounds(0, 0, 400, 300);
        EXPECT_EQ(child.BoundsRect(), (TRect{10, 20, 110, 70}));
    }
}

// The program moving a control makes its new place the one its anchors keep; a hidden
// control follows too, so that it appears in its place.
TEST(Anchors, AMoveByTheProgramIsTheNewReferenceAndHiddenControlsFollow)
{
    TPanel parent(nullptr);
    parent.SetBounds(0, 0, 400, 300);
    TPanel child(nullptr);
    child.SetParent(&parent);
    child.SetAnchors({akRight, akBottom});
    child.SetBounds(300, 250, 50, 20);
    child.SetVisible(false);
    parent.SetBounds(0, 0, 500, 350);
    EXPECT_EQ(child.BoundsRect(), (TRect{400, 300, 450, 320}));
    child.SetBounds(100, 100, 50, 20);
    parent.SetBounds(0, 0, 400, 300);
    EXPECT_EQ(child.BoundsRect(), (TRect{0, 50, 50, 70}));
}

// Aligned children share the client first; anchored ones take the whole client as theirs.
TEST(Anchors, AlignedAndAnchoredChildrenTogether)
{
    TPanel parent(nullptr);
    parent.SetBounds(0, 0, 400, 300);
    TPanel top(nullptr), client(nullptr), corner(nullptr);
    for (TPanel* p : {&top, &client, &corner})
        p->SetParent(&parent);
    top.SetHeight(30);
    top.SetAlign(alTop);
    client.SetAlign(alClient);
    corner.SetBounds(350, 270, 40, 20);
    corner.SetAnchors({akRight, akBottom});
    parent.SetBounds(0, 0, 640, 480);
    EXPECT_EQ(top.BoundsRect(), (TRect{0, 0, 640, 30}));
    EXPECT_EQ(client.BoundsRect(), (TRect{0, 30, 640, 480}));
    EXPECT_EQ(corner.BoundsRect(), (TRect{590, 450, 630, 470}));
}

// A form read from its description: the page control sizes its sheets at once, so the
// controls on a sheet grow with the window from the place they were stored at.
TEST(Anchors, StoredControlsOnPagesFollowTheWindow)
{
    const char* const description = R"desc(
TForm AnchorForm {
  Width = 500
  Height = 400
  TPageControl Pages {
    Left = 8 Top = 40 Width = 484 Height = 352 Anchors = [akLeft, akTop, akRight, akBottom]
    TTabSheet Sheet1 {
      Caption = "One"
      TComboBox Choice { Left = 4 Top = 4 Width = 120 Height = 24 }
      TPanel Area { Left = 4 Top = 34 Width = 200 Height = 100 Anchors = [akLeft, akTop, akRight, akBottom] }
      TButton Go { Left = 120 Top = 250 Width = 80 Height = 24 Anchors = [akRight, akBottom] }
    }
  }
  TLabel Status { Left = 300 Top = 8 Width = 192 Height = 16 Anchors = [akTop, akRight] }
}
)desc";
    TForm form(nullptr);
    ReadComponentFromText(form, description);
    auto* pages = form.FindControl<TPageControl>("Pages");
    auto* sheet = pages->Pages(0);
    auto* area = form.FindControl<TPanel>("Area");
    auto* go = form.FindControl<TButton>("Go");
    auto* choice = form.FindControl<TComboBox>("Choice");
    auto* status = form.FindControl<TLabel>("Status");
    ASSERT_GT(sheet->Width(), 400);  // the page area, less the tabs and the frame
    ASSERT_GT(sheet->Height(), 300);
    const TRect areaBefore = area->BoundsRect();
    const TRect goBefore = go->BoundsRect();
    const int sheetWidth = sheet->Width(), sheetHeight = sheet->Height();

    form.SetBounds(form.Left(), form.Top(), 800, 600);
    EXPECT_EQ(pages->BoundsRect(), (TRect{8, 40, 792, 592}));
    EXPECT_EQ(sheet->Width(), sheetWidth + 300);
    EXPECT_EQ(sheet->Height(), sheetHeight + 200);
    EXPECT_EQ(area->BoundsRect(),
              (TRect{areaBefore.Left, areaBefore.Top, areaBefore.Right + 300, areaBefore.Bottom + 200}));
    EXPECT_EQ(go->BoundsRect(),
              (TRect{goBefore.Left + 300, goBefore.Top + 200, goBefore.Right + 300, goBefore.Bottom + 200}));
    EXPECT_EQ(choice->BoundsRect(), (TRect{4, 4, 124, 28}));
    EXPECT_EQ(status->BoundsRect(), (TRect{600, 8, 792, 24}));
}

}  // namespace

namespace {

class TCountingGraphic : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    int Presses = 0;
    int Paints = 0;

protected:
    void MouseDown(TMouseButton, TShiftState, int, int) override { ++Presses; }
    void Paint() override
    {
        ++Paints;
        TGraphicControl::Paint();
    }
};

}  // namespace

// Pressing a graphic control leaves the focus where it was: an edit beside arrow buttons keeps
// what the user is typing.
TEST(GraphicControl, TakesTheMouseButNeverTheFocus)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    auto* arrows = new TCountingGraphic(&form);
    arrows->SetParent(&form);
    arrows->SetBounds(120, 10, 15, 21);
    arrows->SetColor(clRed);
    form.Show();
    ASSERT_TRUE(TestHooks::PumpUntil([&] { return form.Showing(); }, 2000));
    edit->SetFocus();
    ASSERT_TRUE(TestHooks::PumpUntil([&] { return edit->Focused(); }, 1000));
    TestHooks::SendClick(*arrows, 5, 5);
    TestHooks::PumpFor(20);
    EXPECT_EQ(arrows->Presses, 1);
    EXPECT_TRUE(edit->Focused());
    TBitmap picture;
    TestHooks::GrabControl(*arrows, picture);
    EXPECT_GT(arrows->Paints, 0);
    EXPECT_EQ(picture.Canvas().GetPixel(7, 10), clRed) << "the base paints the colour";
}

// A page control's keys arrive at its tab bar, and reach the control from there.
TEST(PageControl, KeysOfItsTabBarReachIt)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    auto* pages = new TPageControl(&form);
    pages->SetParent(&form);
    pages->SetBounds(0, 0, 200, 100);
    auto* sheet = new TTabSheet(&form);
    sheet->SetPageControl(pages);
    std::vector<int> keys;
    pages->OnKeyDown = [&](TObject*, int& key, TShiftState) { keys.push_back(key); };
    form.Show();
    ASSERT_TRUE(TestHooks::PumpUntil([&] { return form.Showing(); }, 2000));
    pages->SetFocus();
    ASSERT_TRUE(TestHooks::PumpUntil([&] { return pages->Focused(); }, 1000));
    TestHooks::SendKey(*pages, VK_RIGHT);
    EXPECT_EQ(keys, std::vector<int>{VK_RIGHT});
}

namespace {

struct Extent {
    int Width;
    int Height;
};

struct ScrollFitCase {
    const char* Why;
    Extent Built;  // the box's size while its page is hidden
    Extent Shown;  // its size, still hidden, just before the page is shown
    Extent Child;  // the yellow child at (0, 0)
    bool Scrolls;  // a scroll bar covers the bottom-right corner
};

const ScrollFitCase kScrollFitCases[] = {
    {"built to fit its child on a hidden page", {150, 60}, {150, 60}, {150, 60}, false},
    {"grown to fit its child while hidden", {100, 40}, {150, 60}, {150, 60}, false},
    {"shrunk below its child while hidden", {150, 60}, {100, 40}, {150, 60}, true},
};

}  // namespace

// A borderless scroll box shows scroll bars only when a child reaches beyond it, also when it
// was built and sized on a page the user had not opened yet.
TEST(ScrollBox, FitsItsContentWhenItsPageIsShown)
{
    for (const ScrollFitCase& c : kScrollFitCases) {
        SCOPED_TRACE(c.Why);
        TForm form(nullptr);
        form.SetBounds(0, 0, 300, 200);
        auto* pages = new TPageControl(&form);
        pages->SetParent(&form);
        pages->SetBounds(0, 0, 300, 200);
        for (int i = 0; i < 2; ++i)
            (new TTabSheet(&form))->SetPageControl(pages);
        pages->SetActivePageIndex(0);
        form.Show();
        ASSERT_TRUE(TestHooks::PumpUntil([&] { return form.Showing(); }, 2000));

        auto* box = new TScrollBox(&form);
        box->SetParent(pages->Pages(1));
        box->SetBorderStyle(bsNoBorder);
        box->SetBounds(0, 0, c.Built.Width, c.Built.Height);
        auto* child = new TPanel(&form);
        child->SetParent(box);
        child->SetBevelOuter(bvNone);
        child->SetColor(clYellow);
        child->SetBounds(0, 0, c.Child.Width, c.Child.Height);
        box->SetBounds(0, 0, c.Shown.Width, c.Shown.Height);
        pages->SimulateSelect(1);
        ASSERT_TRUE(TestHooks::PumpUntil([&] { return box->Showing(); }, 2000));
        TestHooks::PumpFor(20);

        TBitmap picture;
        TestHooks::GrabControl(*box, picture);
        ASSERT_EQ(picture.GetWidth(), c.Shown.Width);
        const TColor corner = picture.Canvas().GetPixel(c.Shown.Width - 1, c.Shown.Height - 1);
        EXPECT_EQ(corner != clYellow, c.Scrolls);
        EXPECT_EQ(picture.Canvas().GetPixel(2, 2), clYellow);
    }
}
