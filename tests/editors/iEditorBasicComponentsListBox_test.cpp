// The toolkit's list box: entries dragged to another row with the mouse, entries removed with
// or without their objects, and each entry drawn with its colour box.

#include "editors/iEditorBasicComponents.h"

#include "editors/EditorTestForm.h"
#include "platform/canvas/Bitmap.h"
#include "platform/canvas/SystemColors.h"
#include "platform/gui/TestHooks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// An object that counts how many of its kind are alive.
class TCounted : public TObject {
public:
    explicit TCounted(int& alive) : m_alive(alive) { ++m_alive; }
    ~TCounted() override { --m_alive; }

private:
    int& m_alive;
};

struct TListOnForm {
    TEditorTestForm form;
    TiComponentEditorListBox* list = form.Add<TiComponentEditorListBox>("List", 10, 10, 120, 100);
    int alive = 0;

    explicit TListOnForm(int count = 4)
    {
        for (int i = 0; i < count; ++i)
            list->Items()->AddObject(std::string(1, char('A' + i)), new TCounted(alive));
        list->OnItemMove = form.Logs("m");
        list->OnClick = form.Logs("k");
        form.ShowWithFocus(*list);
    }

    ~TListOnForm()
    {
        for (int i = 0; i < list->Count(); ++i)
            delete list->Items()->GetObject(i);
    }

    std::string Order() const
    {
        std::string order;
        for (int i = 0; i < list->Count(); ++i)
            order += list->Items()->Get(i);
        return order;
    }

    // The middle of row `row` in the list's own coordinates (rows below the last included).
    TPoint RowPoint(int row) const
    {
        const TRect first = list->ItemRect(0);
        return {first.Left + 20, first.Top + row * list->ItemHeight() + list->ItemHeight() / 2};
    }

    // Presses on one row, moves in steps to another point and releases there.
    void Drag(int fromRow, TPoint to)
    {
        const TPoint from = RowPoint(fromRow);
        TestHooks::SendMouseDown(*list, mbLeft, from.X, from.Y);
        for (int step = 1; step <= 4; ++step) {
            TestHooks::SendMouseMove(*list, from.X + (to.X - from.X) * step / 4, from.Y + (to.Y - from.Y) * step / 4,
                                     {ssLeft});
        }
        TestHooks::SendMouseUp(*list, mbLeft, to.X, to.Y);
    }
};

}  // namespace

TEST(ToolkitListBox, DraggingAnEntryMovesItWithItsObject)
{
    struct Case {
        const char* Why;
        int From;
        int ToRow;  // the row the mouse is released over
        const char* Order;
        int Selected;
        const char* Log;  // "k" the press selected, "m" OnItemMove
    };
    const Case cases[] = {
        {"down two rows", 0, 2, "BCAD", 2, "km"},
        {"up to the top", 3, 0, "DABC", 0, "km"},
        {"below the last row: to the last row", 1, 5, "ACDB", 3, "km"},
        {"onto its own row: nothing", 2, 2, "ABCD", 2, "k"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Why);
        TListOnForm f;
        TObject* moved = f.list->Items()->GetObject(c.From);
        f.Drag(c.From, f.RowPoint(c.ToRow));
        EXPECT_EQ(f.Order(), c.Order);
        EXPECT_EQ(f.list->ItemIndex(), c.Selected);
        EXPECT_EQ(f.list->Items()->GetObject(c.Selected), moved);
        EXPECT_EQ(f.form.Log, c.Log);
    }
}

TEST(ToolkitListBox, OnlyDragsWithinTheListAreTaken)
{
    TListOnForm f;
    auto* other = f.form.Add<TiComponentEditorListBox>("Other", 200, 10, 120, 100);
    other->Items()->Add("X");
    other->OnItemMove = f.form.Logs("M");
    // A click without a move is no drag.
    const TPoint at = f.RowPoint(1);
    TestHooks::SendClick(*f.list, at.X, at.Y);
    EXPECT_EQ(f.Order(), "ABCD");
    // Released over the other list: refused there.
    f.Drag(0, {other->Left() - f.list->Left() + 20, 20});
    EXPECT_EQ(f.Order(), "ABCD");
    EXPECT_EQ(other->Count(), 1);
    EXPECT_EQ(f.form.Log.find_first_of("mM"), std::string::npos);
}

// A list that lets the test drop onto it directly.
class TOpenListBox : public TiComponentEditorListBox {
public:
    using TiComponentEditorListBox::DragDrop;
    using TiComponentEditorListBox::TiComponentEditorListBox;
};

TEST(ToolkitListBox, ADropWithoutASelectionIsIgnored)
{
    TOpenListBox list(nullptr);
    for (const char* s : {"A", "B"})
        list.Items()->Add(s);
    int moves = 0;
    list.OnItemMove = [&](TObject*) { ++moves; };
    list.SetItemIndex(-1);
    list.DragDrop(&list, 5, 20);
    EXPECT_EQ(list.Items()->Get(0), "A");
    EXPECT_EQ(moves, 0);
}

TEST(ToolkitListBox, DeletingEntries)
{
    struct Case {
        const char* Why;
        int Selected;
        const char* Order;
        int NewSelected;
        int Alive;
    };
    const Case cases[] = {
        {"the last of three: the new last is selected", 2, "AB", 1, 2},
        {"the middle: the entry after it takes its place", 1, "AC", 1, 2},
        {"nothing selected: nothing happens", -1, "ABC", -1, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Why);
        TListOnForm f(3);
        f.list->SetItemIndex(c.Selected);
        f.list->DeleteSelectedObject();
        EXPECT_EQ(f.Order(), c.Order);
        EXPECT_EQ(f.list->ItemIndex(), c.NewSelected);
        EXPECT_EQ(f.alive, c.Alive) << "the deleted entry's object is freed";
    }
    TListOnForm f(3);
    f.list->SelectLast();
    EXPECT_EQ(f.list->ItemIndex(), 2);
    TObject* last = f.list->Items()->GetObject(2);
    f.list->DeleteObjectIndex(last);
    EXPECT_EQ(f.Order(), "AB");
    EXPECT_EQ(f.list->ItemIndex(), 1) << "past the end: the last entry";
    EXPECT_EQ(f.alive, 3) << "DeleteObjectIndex leaves the object to its owner";
    delete last;
    TCounted stranger(f.alive);
    f.list->DeleteObjectIndex(&stranger);
    EXPECT_EQ(f.Order(), "AB");
    while (f.list->Count() > 0) {
        f.list->SetItemIndex(0);
        f.list->DeleteSelectedObject();
    }
    EXPECT_EQ(f.alive, 1) << "only the stranger is left";
    f.list->DeleteSelectedObject();  // an empty list: nothing
    EXPECT_EQ(f.form.Log.find('m'), std::string::npos);
}

TEST(ToolkitListBox, EntriesDrawTheirColourBoxAndTheSelectionInTeal)
{
    TListOnForm f(3);
    f.list->OnGetData = [](int index, bool& drawColorBox, TColor& color, std::string& text) {
        if (index == 1)
            color = clBlue;
        if (index == 2) {
            drawColorBox = false;
            text = "no box";
        }
    };
    f.list->SetItemIndex(1);
    TBitmap picture;
    TestHooks::GrabControl(*f.list, picture);
    TCanvas& c = picture.Canvas();
    const TRect row0 = f.list->ItemRect(0);
    const TRect row1 = f.list->ItemRect(1);
    const TRect row2 = f.list->ItemRect(2);
    // The box: a black outline from (2, 1) to (18, bottom - 1), filled with the colour.
    EXPECT_EQ(c.GetPixel(row0.Left + 10, row0.Top + row0.Height() / 2), clRed) << "red by default";
    EXPECT_EQ(c.GetPixel(row0.Left + 2, row0.Top + row0.Height() / 2), clBlack);
    EXPECT_EQ(c.GetPixel(row0.Left + 20, row0.Top + 1), ColorToRGB(clWindow));
    EXPECT_EQ(c.GetPixel(row1.Left + 10, row1.Top + row1.Height() / 2), clBlue);
    EXPECT_EQ(c.GetPixel(row1.Left + 20, row1.Top + 1), clTeal) << "the selected entry";
    EXPECT_EQ(c.GetPixel(row0.Left + 10, row0.Top + 1), clBlack) << "the box's top edge";
    EXPECT_EQ(c.GetPixel(row2.Left + 10, row2.Top + 1), ColorToRGB(clWindow)) << "an entry without its box";
    // White text on the teal, black text elsewhere.
    auto hasInk = [&](const TRect& r, TColor ink) {
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left + 22; x < r.Right; ++x)
                if (c.GetPixel(x, y) == ink)
                    return true;
        return false;
    };
    EXPECT_TRUE(hasInk(row1, clWhite));
    EXPECT_TRUE(hasInk(row0, clBlack));
    EXPECT_TRUE(hasInk({row2.Left - 20, row2.Top, row2.Right, row2.Bottom}, clBlack)) << "the text 2 pixels in";
}
