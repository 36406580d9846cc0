// The editors' gallery: a form holding every toolkit control, the value converter on each of
// its pages, each common dialog and every page of the plot editor, saved as PNG files into
// editor_gallery/ of the build's test folder for a person to look at. Runs under a real X
// server (ctest runs it under xvfb-run); on the offscreen platform it is skipped.

#include "PlotEditorBench.h"
#include "editors/iColorDialog.h"
#include "editors/iEditorBasicComponents.h"
#include "editors/iFontDialog.h"
#include "editors/iOpenDialog.h"
#include "editors/iSaveDialog.h"
#include "editors/iValueConverterEdit.h"
#include "platform/canvas/Graphics.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/TestHooks.h"
#include "platform/gui/Timers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

namespace {

const std::filesystem::path kFolder = "editor_gallery";

bool OnRealScreen()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    return platform && std::string(platform) == "xcb";
}

std::string PicturePath(const std::string& name)
{
    std::filesystem::create_directories(kFolder);
    return (kFolder / (name + ".png")).string();
}

void ExpectPicture(TForm& form, const std::string& name)
{
    TestHooks::PumpFor(150);
    const TestHooks::TWindowImage image = TestHooks::GrabWindow(form, PicturePath(name));
    EXPECT_TRUE(image.Exposed) << name;
    EXPECT_GE(image.DistinctColours, 8) << name;
}

template <class T>
T* Place(TForm& form, const std::string& name, int left, int top, int width, int height, TWinControl* parent = nullptr)
{
    T* control = new T(&form);
    control->SetName(name);
    control->SetParent(parent ? parent : &form);
    control->SetBounds(left, top, width, height);
    return control;
}

// The form with one of each toolkit control, in the states an editor page shows them.
void FillGallery(TiCustomEditorForm& form)
{
    form.SetCaption("Editor toolkit");
    form.SetBounds(0, 0, 600, 430);

    auto* edit = Place<TiComponentEditorEdit>(form, "CountEdit", 10, 10, 70, 21);
    edit->SetAsInteger(42);
    Place<TiUpDown>(form, "CountUpDown", 0, 0, 15, 21)->SetAssociate(edit);
    auto* disabled = Place<TiComponentEditorEdit>(form, "DisabledEdit", 110, 10, 80, 21);
    disabled->Disable();
    auto* spanEdit = Place<TiComponentEditorEdit>(form, "SpanEdit", 200, 10, 80, 21);
    spanEdit->SetAsFloat(1.5);
    Place<TiComponentEditorValueConverterPicker>(form, "SpanPicker", 0, 0, 21, 21)->SetAssociate(spanEdit);

    auto* combo = Place<TiComponentEditorComboBox>(form, "StyleCombo", 10, 40, 130, 21);
    combo->SetStyle(csDropDownList);
    for (const char* s : {"Solid", "Dash", "Dot"})
        combo->Items()->Add(s);
    combo->SetAsInteger(1);
    auto* memo = Place<TiComponentEditorMemo>(form, "TitleMemo", 150, 40, 130, 60);
    memo->SetAsString("Title line one\r\nline two");

    auto* list = Place<TiComponentEditorListBox>(form, "ChannelList", 10, 110, 130, 90);
    for (const char* s : {"Channel 1", "Channel 2", "Channel 3", "Channel 4"})
        list->Items()->Add(s);
    list->OnGetData = [](int index, bool&, TColor& color, std::string&) {
        const TColor colours[] = {clRed, clBlue, clGreen, clFuchsia};
        color = colours[index % 4];
    };
    list->SetItemIndex(1);

    auto* check = Place<TiComponentEditorCheckBox>(form, "VisibleCheck", 150, 110, 120, 17);
    check->SetCaption("Visible");
    check->SetAsBoolean(true);
    auto* greyCheck = Place<TiComponentEditorCheckBox>(form, "GreyCheck", 150, 132, 120, 17);
    greyCheck->SetCaption("Disabled");
    greyCheck->Disable();
    auto* radio = Place<TiComponentEditorRadioGroup>(form, "OrientationRadio", 150, 155, 130, 60);
    radio->SetCaption("Orientation");
    for (const char* s : {"Horizontal", "Vertical"})
        radio->Items()->Add(s);
    radio->SetAsInteger(0);

    auto* color = Place<TiComponentEditorColorPicker>(form, "ColorPicker", 10, 215, 60, 21);
    color->SetColor(clTeal);
    Place<TiComponentEditorComputerPicker>(form, "ComputerPicker", 80, 213, 25, 25);
    Place<TiComponentEditorFontPicker>(form, "FontPicker", 110, 213, 75, 25);
    Place<TiComponentEditorOpenPicker>(form, "OpenPicker", 190, 213, 75, 25);
    Place<TiComponentEditorSavePicker>(form, "SavePicker", 10, 245, 75, 25);
    auto* button = Place<TiComponentEditorButton>(form, "ApplyButton", 90, 245, 75, 25);
    button->SetCaption("Button");

    auto* pages = Place<TiComponentEditorPageControl>(form, "Pages", 300, 10, 280, 200);
    auto* general = new TTabSheet(&form);
    general->SetName("GeneralSheet");
    general->SetPageControl(pages);
    general->SetCaption("General");
    auto* second = new TTabSheet(&form);
    second->SetName("MoreSheet");
    second->SetPageControl(pages);
    second->SetCaption("More");
    auto* group = Place<TiComponentEditorGroupBox>(form, "Group", 8, 8, 250, 70, general);
    group->SetCaption("Group box");
    auto* inGroup = Place<TiComponentEditorEdit>(form, "InGroupEdit", 10, 25, 100, 21, group);
    inGroup->SetAsString("in a group");
    auto* panel = Place<TiComponentEditorPanel>(form, "Panel", 8, 90, 250, 60, general);
    panel->SetCaption("Panel");

    auto* paint = Place<TiPaintBox>(form, "PaintBox", 300, 220, 280, 190);
    paint->OnPaint = [paint](TObject*) {
        TCanvas& c = *paint->Canvas();
        c.Brush().SetColor(clWhite);
        c.FillRect(paint->ClientRect());
        c.Pen().SetColor(clBlack);
        c.Brush().SetColor(clYellow);
        c.Ellipse(20, 20, 260, 170);
        c.Brush().SetStyle(bsClear);
        c.TextOut(110, 85, "Paint box");
    };
}

// Runs a real dialog and saves it as it waits for the user, then cancels it.
void PictureOfDialog(const std::string& name, const std::function<bool()>& execute)
{
    bool grabbed = false;
    TTimer timer;
    timer.SetInterval(300);
    timer.OnTimer = [&](TObject*) {
        if (!grabbed && TestHooks::GrabActiveModal(PicturePath(name))) {
            grabbed = true;
            TestHooks::CloseActiveModal();
        }
    };
    EXPECT_FALSE(execute()) << name << ": cancelled";
    EXPECT_TRUE(grabbed) << name;
}

bool HasSheets(TiPlotEditorForm& form, TTabSheet& sheet)
{
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* pages = dynamic_cast<TPageControl*>(form.Components(i)); pages && pages->Parent() == &sheet)
            return true;
    return false;
}

}  // namespace

TEST(EditorGalleryOnScreen, EveryToolkitControlAndDialog)
{
    if (!OnRealScreen())
        GTEST_SKIP() << "needs a real X server (run under xvfb-run with QT_QPA_PLATFORM=xcb)";

    TiCustomEditorForm gallery(nullptr);
    FillGallery(gallery);
    gallery.Show();
    ASSERT_TRUE(TestHooks::PumpUntil([&] { return gallery.Showing(); }, 5000));
    ExpectPicture(gallery, "toolkit");

    TiValueConverterEditForm converter(nullptr);
    converter.Show();
    ASSERT_TRUE(TestHooks::PumpUntil([&] { return converter.Showing(); }, 5000));
    converter.SetValue(45678.75);
    const char* pages[] = {"converter_interval", "converter_datetime", "converter_price"};
    for (int i = 0; i < 3; ++i) {
        converter.PageControl()->SetActivePageIndex(i);
        ExpectPicture(converter, pages[i]);
    }
    converter.SetValue(1e10);
    converter.PageControl()->SetActivePageIndex(1);
    ExpectPicture(converter, "converter_outside_dates");
    converter.Hide();

    TiColorDialog color(&gallery);
    color.SetColor(clTeal);
    PictureOfDialog("dialog_color", [&] { return color.Execute(); });
    TiFontDialog font(&gallery);
    font.Font()->SetColor(clRed);
    font.Font()->SetSize(14);
    font.Font()->SetStyle({fsBold, fsUnderline});
    PictureOfDialog("dialog_font", [&] { return font.Execute(); });
    TiOpenDialog open(&gallery);
    open.SetFilter("Device files (*.dev)|*.dev|All files (*.*)|*.*");
    PictureOfDialog("dialog_open", [&] { return open.Execute(); });
    TiSaveDialog save(&gallery);
    save.SetFilter("Bitmap (*.bmp)|*.bmp|PNG (*.png)|*.png");
    save.SetFileName("Untitled");
    PictureOfDialog("dialog_save", [&] { return save.Execute(); });
}

// Every page of the plot editor as the window system shows it at the form's own size: each
// sheet that has no sheets of its own, reached through the pages above it.
TEST(EditorGalleryOnScreen, EveryPageOfThePlotEditor)
{
    if (!OnRealScreen())
        GTEST_SKIP() << "needs a real X server (run under xvfb-run with QT_QPA_PLATFORM=xcb)";

    TPlotEditorBench bench;
    // One object of each kind, so that every page shows one.
    bench.plot->AddDataCursor();
    bench.plot->AddLimit();
    bench.plot->AddTable();
    bench.plot->AddLabel();
    TiPlotEditorForm& form = bench.Open();
    EXPECT_EQ(form.ClientWidth(), 576);
    EXPECT_EQ(form.ClientHeight(), 272);
    int pictures = 0;
    for (int i = 0; i < form.ComponentCount(); ++i) {
        auto* sheet = dynamic_cast<TTabSheet*>(form.Components(i));
        if (!sheet || !sheet->TabVisible() || HasSheets(form, *sheet))
            continue;
        bench.ShowPage(sheet->Name());
        ExpectPicture(form, "plot_editor_" + sheet->Name());
        ++pictures;
    }
    EXPECT_GE(pictures, 50) << "every page and sub-page";
}
