#include "components/iCheckBox.h"

#include "components/InputScript.h"
#include "components/iGPFunctions.h"
#include "platform/canvas/Bitmap.h"
#include "platform/canvas/ImageCodecs.h"
#include "platform/canvas/PixelTestUtil.h"
#include "platform/canvas/SystemColors.h"
#include "platform/core/FormDescription.h"
#include "platform/core/Streams.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Keys.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A shown form with one check box whose events are written to Log: "P" for
// OnChangeProperty, "C" for OnChange, "U" for OnChangeUser.
struct TCheckBoxOnForm {
    TForm form{nullptr};
    TiCheckBox* box = new TiCheckBox(&form);
    std::string Log;

    TCheckBoxOnForm()
    {
        form.SetBounds(0, 0, 300, 200);
        box->SetParent(&form);
        box->SetBounds(10, 10, 97, 17);
        box->OnChangeProperty = [this](TObject*, const std::string& name) { Log += "P(" + name + ")"; };
        box->OnChange = [this](TObject*) { Log += "C"; };
        box->OnChangeUser = [this](TObject*) { Log += "U"; };
        form.Show();
    }
};

}  // namespace

TEST(iCheckBox, KeyAndMouseSequences)
{
    struct Case {
        const char* why;
        const char* input;
        bool checked;
        const char* events;
    };
    const Case cases[] = {
        {"a click toggles and counts as the user's change", "down 5,5; up 5,5", true, "P(Checked)CU"},
        {"a release outside the control leaves it as it was", "down 5,5; up 120,5", false, ""},
        {"right and bottom edges lie outside", "down 5,5; up 97,16", false, ""},
        {"", "down 5,5; up 96,17", false, ""},
        {"the last pixel lies inside", "down 5,5; up 96,16", true, "P(Checked)CU"},
        {"the release may be dragged back inside", "down 5,5; move 150,60; up 20,8", true, "P(Checked)CU"},
        {"the right button presses nothing", "rdown 5,5; rup 5,5", false, ""},
        {"two clicks make a double click: each press counts once", "dblclick 5,5", false, "P(Checked)CUP(Checked)CU"},
        {"the space key toggles when it comes up", "key-down 32", false, ""},
        {"", "key-down 32; key-up 32", true, "P(Checked)CU"},
        {"a space up without its down does nothing", "key-up 32", false, ""},
        {"other keys do nothing", "key 13; key 65; key 39", false, ""},
        {"space down takes over a mouse press", "down 5,5; key-down 32; up 5,5; key-up 32", true, "P(Checked)CU"},
        {"a click while space is down toggles, and so does the space", "key-down 32; down 5,5; up 5,5; key-up 32",
         false, "P(Checked)CUP(Checked)CU"},
        {"losing the focus cancels a key press", "key-down 32; blur; key-up 32", false, ""},
        {"losing the focus cancels a mouse press", "down 5,5; blur; up 5,5", false, ""},
    };
    for (const Case& c : cases) {
        TCheckBoxOnForm f;
        PlayInput(*f.box, c.input);
        EXPECT_EQ(f.box->Checked(), c.checked) << c.input;
        EXPECT_EQ(f.Log, c.events) << c.input;
    }
}

TEST(iCheckBox, ChangesFromCodeAreNotTheUsers)
{
    TCheckBoxOnForm f;
    f.box->SetChecked(true);
    f.box->SetChecked(true);  // no change, no event
    EXPECT_EQ(f.Log, "P(Checked)C");

    // A veto leaves the state without notice.
    std::string asked;
    f.box->OnRequestEdit = [&](TObject*, const std::string& name, bool& canEdit) {
        asked += name;
        canEdit = false;
    };
    f.Log.clear();
    f.box->SetChecked(false);
    PlayInput(*f.box, "click 5,5");
    EXPECT_TRUE(f.box->Checked());
    EXPECT_EQ(asked, "CheckedChecked");
    EXPECT_EQ(f.Log, "");
    f.box->OnRequestEdit = nullptr;

    // While loading the state changes and nothing fires.
    f.box->SetLoading(true);
    f.box->SetChecked(false);
    PlayInput(*f.box, "click 5,5");
    f.box->SetLoading(false);
    EXPECT_TRUE(f.box->Checked());
    EXPECT_EQ(f.Log, "");

    // A handler that fails during a click does not leave the change marked as the user's.
    f.box->OnChange = [](TObject*) { throw Exception("handler failed"); };
    PlayInput(*f.box, "click 5,5");
    EXPECT_FALSE(f.box->Checked());
    f.box->OnChange = nullptr;
    f.box->SetChecked(true);
    EXPECT_EQ(f.Log, "P(Checked)P(Checked)");
}

TEST(iCheckBox, AutoSizeFitsTheCaptionAndKeepsTheBoxInPlace)
{
    TiCheckBox box(nullptr);
    EXPECT_EQ(box.Width(), 97);  // a new check box keeps its start size
    EXPECT_EQ(box.Height(), 17);
    EXPECT_EQ(box.Caption(), "Caption");

    TBitmap scratch;
    scratch.Canvas().Font().Assign(*box.Font());
    const auto fitted = [&](const std::string& text) {
        return TPoint(scratch.Canvas().TextWidth(text) + 20, scratch.Canvas().TextHeight(text) + 4);
    };

    box.SetBounds(100, 40, 97, 17);
    box.SetCaption("Keep the trace");
    EXPECT_EQ(box.BoundsRect(), TRect(100, 40, 100 + fitted("Keep the trace").X, 40 + fitted("Keep the trace").Y));

    // Caption at the left: the control grows to the left, its right edge (the box) stays.
    box.SetAlignment(taLeftJustify);
    const int right = box.Left() + box.Width();
    box.SetCaption("Keep the trace between runs");
    EXPECT_EQ(box.Left() + box.Width(), right);
    EXPECT_EQ(box.Width(), fitted("Keep the trace between runs").X);

    // A bigger font sizes it too.
    TFont big;
    big.SetHeight(-20);
    box.SetFont(&big);
    scratch.Canvas().Font().Assign(big);
    EXPECT_EQ(box.Height(), fitted("Keep the trace between runs").Y);
    EXPECT_EQ(box.Left() + box.Width(), right);

    // Without AutoSize, or while loading, the size stays.
    const TRect before = box.BoundsRect();
    box.iSetAutoSize(false);
    box.SetCaption("x");
    EXPECT_EQ(box.BoundsRect(), before);
    box.SetLoading(true);
    box.iSetAutoSize(true);
    box.SetCaption("y");
    EXPECT_EQ(box.BoundsRect(), before);
    box.SetLoading(false);

    box.SetAlignment(taCenter);  // no choice for a check box
    EXPECT_EQ(box.Alignment(), taLeftJustify);
}

TEST(iCheckBox, PublishedPropertiesRoundTripThroughAPropertyFile)
{
    std::vector<std::string> names;
    for (const TPropInfo* p : TiCheckBox::StaticClassInfo().Properties())
        names.push_back(p->Name());
    const std::vector<std::string> own = {"Caption",  "Checked",      "Alignment",       "AutoSize", "Font",
                                          "OnChange", "OnChangeUser", "BackGroundColor", "TabOrder", "TabStop"};
    ASSERT_GE(names.size(), own.size());
    EXPECT_EQ(std::vector<std::string>(names.end() - own.size(), names.end()), own);

    TempDir dir;
    TiCheckBox a(nullptr);
    a.SetAlignment(taLeftJustify);
    a.SetCaption("Log to file");
    a.SetChecked(true);
    a.SavePropertiesToFile(dir.Path("box.txt"));
    TiCheckBox b(nullptr);
    b.LoadPropertiesFromFile(dir.Path("box.txt"));
    EXPECT_EQ(b.Caption(), "Log to file");
    EXPECT_TRUE(b.Checked());
    EXPECT_EQ(b.Alignment(), taLeftJustify);
    EXPECT_TRUE(b.TabStop());

    // Checked has no declared default: it is written either way, so a box saved unchecked
    // reloads unchecked into a box that was checked.
    a.SetChecked(false);
    a.SavePropertiesToFile(dir.Path("unchecked.txt"));
    EXPECT_NE(ReadFileBytes(dir.Path("unchecked.txt")).find("\r\nChecked = 0\r\n"), std::string::npos);
    b.LoadPropertiesFromFile(dir.Path("unchecked.txt"));
    EXPECT_FALSE(b.Checked());
}

namespace {

std::unique_ptr<TBitmap> Paint(TiCheckBox& box)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(box.Width(), box.Height());
    box.iPaintTo(bitmap->Canvas());
    return bitmap;
}

const std::vector<Legend> kColours = {{clWhite, 'w'},
                                      {clBlack, 'k'},
                                      {ColorToRGB(clBtnFace), '-'},
                                      {ColorToRGB(clBtnShadow), 's'},
                                      {ColorToRGB(clBtnHighlight), 'w'},
                                      {ColorToRGB(cl3DDkShadow), 'd'},
                                      {ColorToRGB(cl3DLight), 'l'}};

}  // namespace

int CountColour(TBitmap& b, TRect area, TColor colour)
{
    int n = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            n += b.Canvas().GetPixel(x, y) == colour;
    return n;
}

TEST(iCheckBox, DrawsTheBoxTheTickAndThePress)
{
    TiCheckBox box(nullptr);
    box.iSetAutoSize(false);
    box.SetBounds(0, 0, 97, 17);  // mid = 8: the box spans rows 1..13 and columns 0..12
    struct Case {
        const char* why;
        std::function<void()> change;
        int x;
        const char* column;  // rows 0..16
    };
    int space = VK_SPACE;
    const Case cases[] = {
        {"sunken edge, white inside", [] {}, 5, "-sdwwwwwwwwwlw---"},
        {"the tick, three pixels thick", [&] { box.SetChecked(true); }, 5, "-sdwwwwwkkkwlw---"},
        {"where the tick starts", [] {}, 3, "-sdwwwkkkwwwlw---"},
        {"pressed: the box shows the background", [&] { box.iKeyDown(space, {}); }, 5, "-sd-----kkk-lw---"},
        {"disabled: the same",
         [&] {
             box.iDoKillFocus();
             box.SetChecked(false);
             box.SetEnabled(false);
         },
         5, "-sd---------lw---"},
        {"caption first: the box sits at the right edge",
         [&] {
             box.SetEnabled(true);
             box.SetAlignment(taLeftJustify);
         },
         97 - 13 + 5, "-sdwwwwwwwwwlw---"},
        {"", [] {}, 70, "-----------------"},
    };
    for (const Case& c : cases) {
        c.change();
        EXPECT_EQ(Column(*Paint(box), c.x, 0, 17, kColours), c.column) << c.why;
    }
}

TEST(iCheckBox, CaptionIsEmbossedWhenDisabledAndFramedWhenFocused)
{
    TiCheckBox box(nullptr);
    box.iSetAutoSize(false);
    box.SetBounds(0, 0, 97, 17);
    TBitmap scratch;
    scratch.Canvas().Font().Assign(*box.Font());
    const int tw = scratch.Canvas().TextWidth("Caption");
    const int th = scratch.Canvas().TextHeight("Caption");
    const TRect text(18, 8 - th / 2 - 1, 18 + tw, 8 + th - th / 2 - 1);

    auto plain = Paint(box);
    EXPECT_GT(CountColour(*plain, text, clBlack), 20);
    EXPECT_EQ(CountColour(*plain, TRect(text.Right, 0, 97, 17), clBlack), 0);  // clipped to its rectangle

    box.SetEnabled(false);
    auto disabled = Paint(box);
    EXPECT_EQ(CountColour(*disabled, text, clBlack), 0);
    EXPECT_GT(CountColour(*disabled, text, ColorToRGB(ColorOffset(clBtnFace, 32, false))), 20);  // embossed
    box.SetEnabled(true);

    // Focused: every other pixel of the outline around the text (grown by 1, and by 2 at the
    // bottom, within the control less its last row and column) is inverted.
    box.iDoSetFocus();
    auto focused = Paint(box);
    TRect mark(text.Left - 1, text.Top - 1, text.Right + 1, text.Bottom + 2);
    IntersectRect(mark, mark, TRect(0, 0, 96, 16));
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 97; ++x) {
            const bool onOutline = PtInRect(mark, TPoint(x, y)) &&
                                   (x == mark.Left || x == mark.Right - 1 || y == mark.Top || y == mark.Bottom - 1);
            const TColor before = plain->Canvas().GetPixel(x, y);
            const TColor expected = onOutline && (x + y) % 2 == 0 ? TColor(before ^ 0xFFFFFF) : before;
            ASSERT_EQ(focused->Canvas().GetPixel(x, y), expected) << x << "," << y;
        }
}

// Leaves checkbox_states.png beside the test program for a person to look at.
TEST(iCheckBox, PictureOfTheStates)
{
    TBitmap sheet;
    sheet.SetSize(130, 6 * 22 + 4);
    sheet.Canvas().Brush().SetColor(clWhite);
    sheet.Canvas().FillRect(TRect(0, 0, 130, 6 * 22 + 4));
    const char* captions[] = {"Unchecked", "Checked", "Pressed", "Disabled", "Caption left", "Focused"};
    for (int i = 0; i < 6; ++i) {
        TiCheckBox box(nullptr);
        box.SetCaption(captions[i]);
        int space = VK_SPACE;
        box.SetChecked(i != 0 && i != 2);
        if (i == 2)
            box.iKeyDown(space, {});
        if (i == 3)
            box.SetEnabled(false);
        if (i == 4)
            box.SetAlignment(taLeftJustify);
        if (i == 5)
            box.iDoSetFocus();
        sheet.Canvas().Draw(4, 4 + i * 22, *Paint(box));
    }
    const TBytes png = EncodePNG(sheet, 9);
    WriteFileBytes("checkbox_states.png", png.data(), png.size());
}

TEST(iCheckBox, ReadFromAFormDescriptionWithoutEventsOrResizing)
{
    std::unique_ptr<TComponent> form(CreateComponentFromText(R"(
        TForm Settings {
          TiCheckBox LogBox { Left = 8 Top = 8 Width = 140 Height = 21 Caption = "Log to file"
                              Checked = True Alignment = taLeftJustify }
        })",
                                                             nullptr));
    auto* box = dynamic_cast<TiCheckBox*>(form->FindComponent("LogBox"));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(box->Alignment(), taLeftJustify);
    EXPECT_EQ(box->BoundsRect(), TRect(8, 8, 148, 29));  // as written, not fitted while loading
    EXPECT_FALSE(box->GetLoading());
}
