// The toolkit's pickers open their dialog or form with what they hold, take the user's choice
// on OK (telling the form, then firing OnChange) and change nothing on Cancel. Dialogs answer
// from a script and record what they were shown.
//
// Log letters: "U" the form's UserChange; "c" the picker's OnChange; "u" an edit's OnUpdate.

#include "editors/iEditorBasicComponents.h"

#include "editors/EditorTestForm.h"
#include "editors/iValueConverterEdit.h"
#include "platform/canvas/Bitmap.h"
#include "platform/canvas/Graphics.h"
#include "platform/canvas/SystemColors.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/TestHooks.h"
#include "plot/control/iPlot.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using TestHooks::TModalKind;
using TestHooks::TModalScript;

TEST(ToolkitColorPicker, TheButtonOrADoubleClickChoosesAColour)
{
    TEditorTestForm form;
    auto* picker = form.Add<TiComponentEditorColorPicker>("Color", 10, 10, 60, 21);
    picker->OnChange = form.Logs("c");
    EXPECT_EQ(picker->Color(), clRed);
    EXPECT_EQ(picker->Button()->BoundsRect(), (TRect{39, 0, 60, 21})) << "the button keeps to the right edge";
    form.ShowWithFocus(*picker);

    TModalScript script;
    script.OnColorDialog = [](TColorRequest& r) {
        r.Color = clBlue;
        return true;
    };
    picker->Button()->Click();
    EXPECT_EQ(picker->Color(), clBlue);
    EXPECT_EQ(form.Log, "Uc");
    ASSERT_EQ(script.ColorDialogs.size(), 1u);
    EXPECT_EQ(script.ColorDialogs[0].Color, clRed) << "the dialog starts from the shown colour";
    EXPECT_EQ(script.ColorDialogs[0].CustomColors[15], clWhite);

    script.OnColorDialog = nullptr;  // Cancel
    TestHooks::SendDoubleClick(*picker, 5, 5);
    EXPECT_EQ(script.ColorDialogs.size(), 2u);
    EXPECT_EQ(picker->Color(), clBlue);
    EXPECT_EQ(form.Log, "Uc");

    picker->SetColor(clLime);  // silent
    EXPECT_EQ(form.Log, "Uc");
    // The swatch shows the colour left of the button, and button face once disabled.
    TBitmap shown, greyed;
    TestHooks::GrabControl(*picker, shown);
    picker->Disable();
    EXPECT_FALSE(picker->Button()->Enabled());
    TestHooks::GrabControl(*picker, greyed);
    EXPECT_EQ(shown.Canvas().GetPixel(10, 10), clLime);
    EXPECT_EQ(shown.Canvas().GetPixel(0, 10), clBlack) << "the swatch's outline";
    EXPECT_EQ(greyed.Canvas().GetPixel(10, 10), ColorToRGB(clBtnFace));
}

TEST(ToolkitFontPicker, TheDialogStartsFromThePickersFontAndReturnsColourAndEffects)
{
    TEditorTestForm form;
    auto* picker = form.Add<TiComponentEditorFontPicker>("Font", 10, 10, 75, 25);
    picker->OnChange = form.Logs("c");
    picker->OnClick = form.Logs("k");
    EXPECT_EQ(picker->Caption(), "Font");
    TFont start;
    start.SetName("Courier New");
    start.SetHeight(-16);
    picker->SetFont(&start);
    EXPECT_EQ(form.Log, "");

    TModalScript script;
    script.OnFontDialog = [](TFontData& f) {
        f.Color = clNavy;
        f.Style = {fsBold, fsUnderline, fsStrikeOut};
        f.Height = -20;
        return true;
    };
    picker->Click();
    ASSERT_EQ(script.FontDialogs.size(), 1u);
    EXPECT_EQ(script.FontDialogs[0].Name, "Courier New");
    EXPECT_EQ(script.FontDialogs[0].Height, -16);
    EXPECT_EQ(picker->Font()->GetColor(), clNavy);
    EXPECT_EQ(picker->Font()->GetStyle(), (TFontStyles{fsBold, fsUnderline, fsStrikeOut}));
    EXPECT_EQ(picker->Font()->GetHeight(), -20);
    EXPECT_EQ(form.Log, "kUc") << "the inherited click first";

    script.OnFontDialog = nullptr;
    picker->Click();
    EXPECT_EQ(picker->Font()->GetColor(), clNavy);
    EXPECT_EQ(form.Log, "kUck");
}

TEST(ToolkitOpenPicker, StartsInAFolderWithUntitledAndTakesTheChosenFiles)
{
    struct Case {
        const char* FileName;
        const char* Shown;
    };
    const Case cases[] = {
        {"/data/logs/", "/data/logs/Untitled"},
        {"C:\\data\\", "C:\\data\\Untitled"},
        {"", ""},
        {"/data/plot.rbs", "/data/plot.rbs"},
    };
    TEditorTestForm form;
    auto* picker = form.Add<TiComponentEditorOpenPicker>("Open", 10, 10, 75, 25);
    picker->OnChange = form.Logs("c");
    EXPECT_EQ(picker->Caption(), "Open");
    EXPECT_TRUE(picker->TabStop());
    TModalScript script;  // Cancel
    for (const Case& c : cases) {
        picker->SetFileName(c.FileName);
        picker->Click();
        ASSERT_FALSE(script.FileDialogs.empty());
        EXPECT_EQ(script.FileDialogs.back().FileName, c.Shown) << c.FileName;
        EXPECT_EQ(picker->FileName(), c.FileName) << "Cancel changes nothing";
    }
    EXPECT_EQ(form.Log, "");

    picker->SetFilter("Data (*.txt)|*.txt");
    picker->SetDefaultExt("txt");
    picker->SetFileMustExist(true);
    picker->SetAllowMultiSelect(true);
    script.OnFileDialog = [](TFileDialogRequest& r) {
        r.Files = {"/data/a.txt", "/data/b.txt"};
        r.FileName = r.Files.front();
        return true;
    };
    picker->Click();
    const TFileDialogRequest& shown = script.FileDialogs.back();
    EXPECT_FALSE(shown.Save);
    EXPECT_EQ(shown.Filter, "Data (*.txt)|*.txt");
    EXPECT_EQ(shown.DefaultExt, "txt");
    EXPECT_EQ(shown.InitialDir, ".");
    EXPECT_TRUE(shown.FileMustExist);
    EXPECT_TRUE(shown.AllowMultiSelect);
    EXPECT_TRUE(shown.PathMustExist);
    EXPECT_EQ(picker->FileName(), "/data/a.txt");
    ASSERT_EQ(picker->Files()->Count(), 2);
    EXPECT_EQ(picker->Files()->Get(1), "/data/b.txt");
    EXPECT_EQ(form.Log, "Uc");
}

TEST(ToolkitSavePicker, ExecuteAnswersWhetherAFileWasChosen)
{
    TEditorTestForm form;
    auto* picker = form.Add<TiComponentEditorSavePicker>("Save", 10, 10, 75, 25);
    picker->OnChange = form.Logs("c");
    picker->SetFilter("Bitmap (*.bmp)|*.bmp");
    picker->SetFileName("/pictures/");
    TModalScript script;
    EXPECT_FALSE(picker->Execute());
    EXPECT_EQ(script.FileDialogs.back().FileName, "/pictures/Untitled");
    EXPECT_TRUE(script.FileDialogs.back().OverwritePrompt);
    EXPECT_EQ(form.Log, "");
    script.OnFileDialog = [](TFileDialogRequest& r) {
        r.FileName = "/pictures/plot";
        return true;
    };
    EXPECT_TRUE(picker->Execute());
    EXPECT_EQ(picker->FileName(), "/pictures/plot.bmp");
    EXPECT_EQ(form.Log, "Uc");
    picker->Click();
    EXPECT_EQ(script.FileDialogs.size(), 3u);
}

// The computer picker reports to its own OnChange only: it belongs to no editor page.
TEST(ToolkitComputerPicker, TakesTheSelectorsChoiceWithoutTellingTheForm)
{
    TEditorTestForm form;
    auto* picker = form.Add<TiComponentEditorComputerPicker>("Computer", 10, 10, 25, 25);
    picker->OnChange = form.Logs("c");
    EXPECT_EQ(picker->Caption(), "...");
    picker->SetComputerName("here");
    {
        // The OPC computer selector, cancelled: the name stays.
        TestHooks::TModalScript script;
        picker->Click();
        EXPECT_EQ(script.ModalForms, std::vector<std::string>{"iOPCComputerSelectorForm"});
    }
    EXPECT_EQ(picker->ComputerName(), "here");
    std::string offered;
    SetComputerSelectorRunner([&](TComponent& owner, std::string& name) {
        EXPECT_EQ(&owner, picker);
        offered = name;
        if (name == "cancel")
            return false;
        name = "plant-7";
        return true;
    });
    picker->Click();
    EXPECT_EQ(offered, "here");
    EXPECT_EQ(picker->ComputerName(), "plant-7");
    picker->SetComputerName("cancel");
    picker->Click();
    EXPECT_EQ(picker->ComputerName(), "cancel");
    EXPECT_EQ(form.Log, "c");
    SetComputerSelectorRunner(nullptr);
}

namespace {

struct TConverterPickerOnForm {
    TEditorTestForm form;
    TiComponentEditorEdit* edit = form.Add<TiComponentEditorEdit>("SpanEdit", 10, 10, 80, 21);
    TiComponentEditorValueConverterPicker* picker =
        form.Add<TiComponentEditorValueConverterPicker>("SpanPicker", 0, 0, 21, 21);

    TConverterPickerOnForm()
    {
        picker->SetAssociate(edit);
        edit->OnUpdate = form.Logs("u");
        picker->OnChange = form.Logs("c");
    }
};

}  // namespace

TEST(ToolkitValueConverterPicker, OpensOnItsPageWithTheEditsValueAndWritesTheResultAsTyped)
{
    TConverterPickerOnForm f;
    EXPECT_EQ(f.picker->BoundsRect(), (TRect{90, 10, 111, 31})) << "against the edit's right side";
    f.edit->SetAsFloat(1.5);
    f.picker->SetDefaultPage(ivcptDateTime);
    std::string translated;
    f.picker->TranslationMethod = [&](TForm* form) { translated = form->Caption(); };

    TModalScript script;
    int shownPage = -1;
    double shownValue = 0;
    script.OnShowModal = [&](TForm& form) {
        auto& converter = dynamic_cast<TiValueConverterEditForm&>(form);
        shownPage = converter.PageControl()->ActivePageIndex();
        shownValue = converter.GetValue();
        converter.SetValue(2.25);
        converter.FindControl<TButton>("OKButton")->Click();
        return mrNone;
    };
    f.picker->Click();
    EXPECT_EQ(translated, "Value Converter");
    EXPECT_EQ(shownPage, 1);
    EXPECT_EQ(shownValue, 1.5);
    EXPECT_EQ(f.picker->DateTime(), 2.25);
    EXPECT_EQ(f.edit->Text(), "2.25");
    EXPECT_EQ(f.form.Log, "uUc");

    // Cancel changes nothing.
    script.OnShowModal = [](TForm& form) {
        dynamic_cast<TiValueConverterEditForm&>(form).SetValue(99);
        return mrCancel;
    };
    f.picker->Click();
    EXPECT_EQ(f.edit->Text(), "2.25");
    EXPECT_EQ(f.form.Log, "uUc");
    EXPECT_EQ(f.picker->ComponentCount(), 0) << "the converter form lives only while it is shown";
}

TEST(ToolkitValueConverterPicker, WithoutAnEditItConvertsItsOwnDateTime)
{
    TEditorTestForm form;
    auto* picker = form.Add<TiComponentEditorValueConverterPicker>("Picker", 0, 0, 21, 21);
    picker->OnChange = form.Logs("c");
    picker->SetDateTime(7);
    TModalScript script;
    double shown = 0;
    script.OnShowModal = [&](TForm& f) {
        auto& converter = dynamic_cast<TiValueConverterEditForm&>(f);
        shown = converter.GetValue();
        EXPECT_EQ(converter.PageControl()->ActivePageIndex(), 0) << "the interval page by default";
        converter.SetValue(14);
        return mrOk;
    };
    picker->Click();
    EXPECT_EQ(shown, 7);
    EXPECT_EQ(picker->DateTime(), 14);
    EXPECT_EQ(form.Log, "c") << "no edit to commit: the form hears nothing";
}

// The plot's image Save runs a hidden save picker of its own through the hook the editors
// register: the picker's dialog starts in the current folder and completes the name.
TEST(ToolkitSavePicker, ThePlotsImageSaveRunsAHiddenPickerOfThePlot)
{
    TempDir dir;
    TForm form(nullptr);
    auto* plot = new TiPlot(&form);
    plot->SetParent(&form);
    plot->SetBounds(0, 0, 300, 200);
    TModalScript script;
    script.OnFileDialog = [&](TFileDialogRequest& r) {
        r.FileName = dir.Path("plot");
        r.FilterIndex = 4;
        return true;
    };
    plot->Save();
    EXPECT_TRUE(std::filesystem::exists(dir.Path("plot.png")));
    ASSERT_EQ(script.FileDialogs.size(), 1u);
    EXPECT_EQ(script.FileDialogs[0].FileName, "Untitled");
    EXPECT_EQ(script.FileDialogs[0].InitialDir, ".");
    EXPECT_EQ(script.FileDialogs[0].Filter,
              "Bitmap (*.bmp)|*.bmp|Enhanced Metafile (*.emf)|*.emf|JPEG File (*.jpg)|*.jpg|PNG (*.png)|*.png");

    auto pickers = [&] {
        std::vector<TiComponentEditorSavePicker*> found;
        for (int i = 0; i < plot->ComponentCount(); ++i) {
            if (auto* p = dynamic_cast<TiComponentEditorSavePicker*>(plot->Components(i)))
                found.push_back(p);
        }
        return found;
    };
    ASSERT_EQ(pickers().size(), 1u);
    EXPECT_EQ(pickers()[0]->Parent(), plot);
    EXPECT_FALSE(pickers()[0]->Visible());

    script.OnFileDialog = [&](TFileDialogRequest& r) {
        r.FileName = dir.Path("copy.BMP");
        r.FilterIndex = 3;
        return true;
    };
    plot->Save();
    EXPECT_TRUE(std::filesystem::exists(dir.Path("copy.BMP.jpg")));
    EXPECT_EQ(pickers().size(), 1u) << "made once, then reused";
    EXPECT_EQ(script.FileDialogs[1].FileName, "Untitled");

    script.OnFileDialog = nullptr;
    plot->Save();  // Cancel saves nothing
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Folder()), {}), 2);
}
