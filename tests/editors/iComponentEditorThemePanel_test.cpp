// The theme panel: scheme files written byte for byte and read back after a restart, schemes
// applied to the preview and accepted, malformed files, saves that meet values a scheme file
// cannot hold, deleting, the overall row, the folders of the registry, property access by path.

#include "editors/iComponentEditorThemePanel.h"

#include "editors/ThemePanelBench.h"
#include "editors/ThemedEditorForms.h"
#include "platform/canvas/Bitmap.h"
#include "platform/canvas/ImageCodecs.h"
#include "platform/canvas/SystemColors.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Regional.h"
#include "platform/gui/StdCtrls.h"
#include "plot/control/iPlot.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

const std::string kMineFile =
    CrLfLines({"<SchemeTypes>", "<SchemeType>", "<Name>Preset Scheme</Name>", "</SchemeType>", "<SchemeType>",
               "<Name>Color Scheme</Name>", "<Scheme>", "<Name>Mine</Name>", "<Properties>",
               "<BackGroundColor>65535</BackGroundColor>", "<Font.Color>255</Font.Color>", "</Properties>", "</Scheme>",
               "</SchemeType>", "</SchemeTypes>"});

TEST(ThemePanel, SavedSchemeIsListedAfterRestartAppliedToThePreviewAndAccepted)
{
    TThemeFolders folders;
    TestHooks::TModalScript script;
    {
        TThemeBench bench;
        bench.preview->SetBackGroundColor(clYellow);
        bench.preview->Font()->SetColor(clRed);
        bench.Add(script, 1, "Mine");
        EXPECT_TRUE(script.Messages.empty());
        EXPECT_EQ(FileBytes(folders.userFile), kMineFile);
    }

    TThemeBench restarted;
    EXPECT_EQ(restarted.Listed(0), "Classic Night");
    EXPECT_EQ(restarted.Listed(1), "Sea Sand Mine*");
    EXPECT_FALSE(restarted.panel->AcceptPreviewButton()->Enabled());
    restarted.Pick(1, "Mine");
    EXPECT_TRUE(restarted.panel->DeleteButton(1)->Enabled());  // a user scheme
    TBitmap picture;
    TestHooks::GrabControl(*restarted.preview, picture);
    EXPECT_EQ(picture.Canvas().GetPixel(picture.GetWidth() - 2, picture.GetHeight() / 2), clYellow);
    EXPECT_NE(restarted.component.BackGroundColor(), clYellow);  // only the preview so far

    ASSERT_TRUE(restarted.panel->AcceptPreviewButton()->Enabled());
    restarted.panel->AcceptPreviewButton()->Click();
    EXPECT_EQ(restarted.component.BackGroundColor(), clYellow);
    EXPECT_EQ(restarted.component.Font()->GetColor(), clRed);
    EXPECT_FALSE(restarted.panel->AcceptPreviewButton()->Enabled());

    ASSERT_TRUE(restarted.panel->SaveToXMLFile());
    EXPECT_EQ(FileBytes(folders.userFile), kMineFile);  // the same data, the same bytes
}

struct EdgePixel {
    const char* Why;
    int X, Y;  // from the panel's right or bottom when negative
    TColor Color;
};

// The panel's 500 x 250 client: a sunken 3-D edge of two pixels all round, the children inside.
const EdgePixel kEdgePixels[] = {
    {"outer left, beside the preview box", 0, 125, clBtnShadow},
    {"inner left", 1, 125, cl3DDkShadow},
    {"outer top, above the preview box", 60, 0, clBtnShadow},
    {"inner top", 60, 1, cl3DDkShadow},
    {"outer right, beside the first \"-\"", -1, 28, clBtnHighlight},
    {"inner right", -2, 28, cl3DLight},
    {"outer bottom, below the preview box", 60, -1, clBtnHighlight},
    {"inner bottom, below \"Accept Preview\"", -40, -2, cl3DLight},
};

TEST(ThemePanel, ASunkenEdgeSurroundsTheChildren)
{
    TThemeFolders folders;
    TThemeBench bench;
    TBitmap picture;
    TestHooks::GrabControl(*bench.panel, picture);
    ASSERT_EQ(picture.GetWidth(), 500);
    ASSERT_EQ(picture.GetHeight(), 250);
    for (const EdgePixel& p : kEdgePixels) {
        const int x = p.X < 0 ? 500 + p.X : p.X;
        const int y = p.Y < 0 ? 250 + p.Y : p.Y;
        EXPECT_EQ(picture.Canvas().GetPixel(x, y), ColorToRGB(p.Color)) << p.Why;
    }
}

TEST(ThemePanel, PreDefinedSchemesApplyAndCannotBeDeleted)
{
    TThemeFolders folders;
    TThemeBench bench;
    bench.Pick(0, "Night");
    EXPECT_EQ(bench.preview->BackGroundColor(), clBlack);
    EXPECT_EQ(bench.preview->Font()->GetColor(), clYellow);
    EXPECT_EQ(bench.preview->Font()->GetStyle(), TFontStyles{fsBold});
    EXPECT_FALSE(bench.panel->DeleteButton(0)->Enabled());
}

// A user file broken in one place: the pre-defined schemes and the user schemes read before
// the fault stay; the scheme type after it is not reached.
TEST(ThemePanel, MalformedUserFiles)
{
    const std::string longCaption(300, 'x');
    const auto file = [](const std::string& secondProperty, const std::string& afterProperties,
                         const std::string& between = "\r\n", const std::string& end = "\r\n") {
        const std::string lines[] = {"<SchemeTypes>",
                                     "<SchemeType>",
                                     "<Name>Preset Scheme</Name>",
                                     "<Scheme>",
                                     "<Name>First</Name>",
                                     "<Properties>",
                                     "<Font.Color>255</Font.Color>",
                                     "</Properties>",
                                     "</Scheme>",
                                     "</SchemeType>",
                                     "<SchemeType>",
                                     "<Name>Color Scheme</Name>",
                                     "<Scheme>",
                                     "<Name>Second</Name>",
                                     "<Properties>",
                                     secondProperty,
                                     "</Properties>",
                                     afterProperties,
                                     "</SchemeType>",
                                     "<SchemeType>",
                                     "<Name>Preset Scheme</Name>",
                                     "<Scheme>",
                                     "<Name>Third</Name>",
                                     "<Properties>",
                                     "</Properties>",
                                     "</Scheme>",
                                     "</SchemeType>",
                                     "</SchemeTypes>"};
        std::string text;
        for (const std::string& line : lines)
            text += (text.empty() ? "" : between) + line;
        return text + end;
    };
    const std::string ok = "<Font.Color>65280</Font.Color>";
    const std::string reading = "Error Reading User-Defined Theme Settings - ";
    struct Case {
        const char* Name;
        std::string Text;
        std::string Message;  // empty: none
        const char* Row0;
        const char* Row1;
    } cases[] = {
        {"whole file", file(ok, "</Scheme>"), "", "Classic Night First* Third*", "Sea Sand Second*"},
        {"missing closing tag", file(ok, ""), reading + "Error Loading Scheme. XML File Malformed",
         "Classic Night First*", "Sea Sand Second*"},
        {"empty lines between lines", file(ok, "</Scheme>", "\r\n\r\n"), "", "Classic Night First* Third*",
         "Sea Sand Second*"},
        {"blanks before a line", file("  " + ok, "</Scheme>"), reading + "EOF", "Classic Night First*",
         "Sea Sand Second*"},
        {"value holding <", file("<Caption>a<b</Caption>", "</Scheme>"),
         reading + "XML Parsing Error - \"/\" not Found", "Classic Night First*", "Sea Sand Second*"},
        {"line over 255 characters", file("<Caption>" + longCaption + "</Caption>", "</Scheme>"), "",
         "Classic Night First* Third*", "Sea Sand Second*"},
        {"no final line end", file(ok, "</Scheme>", "\r\n", ""), "", "Classic Night First* Third*", "Sea Sand Second*"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TThemeFolders folders;
        folders.dir.Write("user/TiCheckBoxUser.xml", c.Text);
        TestHooks::TModalScript script;
        TThemeBench bench;
        if (c.Message.empty()) {
            EXPECT_TRUE(script.Messages.empty());
        } else {
            ASSERT_EQ(script.Messages.size(), 1u);
            EXPECT_EQ(script.Messages[0].Text, c.Message);
            EXPECT_EQ(script.Messages[0].Type, mtInformation);
        }
        EXPECT_EQ(bench.Listed(0), c.Row0);
        EXPECT_EQ(bench.Listed(1), c.Row1);
    }
    // The long value is read whole.
    TThemeFolders folders;
    folders.dir.Write("user/TiCheckBoxUser.xml", file("<Caption>" + longCaption + "</Caption>", "</Scheme>"));
    TThemeBench bench;
    bench.Pick(1, "Second");
    EXPECT_EQ(bench.preview->Caption(), longCaption);
}

// Row titles match exactly: a scheme type differing in letter case is read past.
TEST(ThemePanel, ASchemeTypeOfNoRowIsSkipped)
{
    TThemeFolders folders;
    folders.dir.Write(
        "user/TiCheckBoxUser.xml",
        CrLfLines({"<SchemeTypes>", "<SchemeType>", "<Name>color scheme</Name>", "<Scheme>", "<Name>Lost</Name>",
                   "<Properties>", "<Font.Color>1</Font.Color>", "</Properties>", "</Scheme>", "</SchemeType>",
                   "<SchemeType>", "<Name>Color Scheme</Name>", "<Scheme>", "<Name>Kept</Name>", "<Properties>",
                   "</Properties>", "</Scheme>", "</SchemeType>", "</SchemeTypes>"}));
    TestHooks::TModalScript script;
    TThemeBench bench;
    EXPECT_TRUE(script.Messages.empty());
    EXPECT_EQ(bench.Listed(0), "Classic Night");
    EXPECT_EQ(bench.Listed(1), "Sea Sand Kept*");
}

// A save that meets a value the file cannot hold fails as a whole; the stored file stays.
TEST(ThemePanel, SaveMeetingAValueAFileCannotHoldLeavesTheFileAsItWas)
{
    const struct Case {
        const char* Name;
        std::string Caption;
        const char* Reason;  // none: saved
    } cases[] = {
        {"less-than sign", "a<b",
         "The value of Caption holds \"<\" or a line break, which a scheme file cannot store."},
        {"line break", "two\r\nlines",
         "The value of Caption holds \"<\" or a line break, which a scheme file cannot store."},
        {"line of 256 characters", std::string(256 - 19, 'x'), "String Exceeds 255 Characters"},
        {"line of 255 characters", std::string(255 - 19, 'x'), nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TThemeFolders folders;
        folders.dir.Write("user/TiCheckBoxUser.xml", kMineFile);
        TestHooks::TModalScript script;
        TThemeBench bench;
        TStringList names;
        names.SetText("Caption");
        bench.panel->SetSchemePropertyNames(1, &names);
        bench.preview->SetCaption(c.Caption);
        bench.Add(script, 1, "Bad");
        if (!c.Reason) {
            EXPECT_TRUE(script.Messages.empty());
            EXPECT_EQ(bench.Listed(1), "Sea Sand Mine* Bad*");
            continue;
        }
        ASSERT_EQ(script.Messages.size(), 1u);
        EXPECT_EQ(script.Messages[0].Text, std::string("Error Saving User-Defined Theme Settings - ") + c.Reason);
        EXPECT_EQ(script.Messages[0].Type, mtError);
        EXPECT_EQ(FileBytes(folders.userFile), kMineFile);
        EXPECT_EQ(bench.Listed(1), "Sea Sand Mine*");  // read back from the file
    }
}

TEST(ThemePanel, AddingAskBeforeOverwritingAUserSchemeAndRefusesAnEmptyName)
{
    TThemeFolders folders;
    folders.dir.Write("user/TiCheckBoxUser.xml", kMineFile);
    TestHooks::TModalScript script;
    TThemeBench bench;
    bench.preview->SetBackGroundColor(clLime);

    script.OnMessage = [](const TestHooks::TMessageRecord&) { return mrNo; };
    bench.Add(script, 1, " Mine ");
    ASSERT_EQ(script.Messages.size(), 1u);
    EXPECT_EQ(script.Messages[0].Text, "Do you want to overwrite Mine?");
    EXPECT_EQ(FileBytes(folders.userFile), kMineFile);

    script.OnMessage = nullptr;  // Yes
    bench.Add(script, 1, "Mine");
    EXPECT_EQ(bench.Listed(1), "Sea Sand Mine*");
    EXPECT_EQ(bench.panel->Combo(1)->Text(), "Mine");  // selected and applied again
    EXPECT_NE(FileBytes(folders.userFile).find("<BackGroundColor>65280</BackGroundColor>"), std::string::npos);

    bench.Add(script, 1, "   ");
    EXPECT_EQ(script.Messages.back().Text, "No name was entered. Aborting Save.");

    // The name of a pre-defined scheme: added without a question, the pre-defined one selected.
    const std::size_t asked = script.Messages.size();
    bench.Add(script, 1, "sea");
    EXPECT_EQ(script.Messages.size(), asked);
    EXPECT_EQ(bench.Listed(1), "Sea Sand Mine* sea*");
    EXPECT_EQ(bench.panel->Combo(1)->ItemIndex(), 0);
    EXPECT_FALSE(bench.panel->DeleteButton(1)->Enabled());
}

TEST(ThemePanel, DeletingAsksFirstAndLeavesNoFreedSchemeInTheCombo)
{
    TThemeFolders folders;
    folders.dir.Write("user/TiCheckBoxUser.xml", kMineFile);
    TestHooks::TModalScript script;
    TThemeBench bench;
    bench.Pick(1, "Mine");

    script.OnMessage = [](const TestHooks::TMessageRecord&) { return mrNo; };
    bench.panel->DeleteButton(1)->Click();
    EXPECT_EQ(script.Messages.back().Text, "Are you sure you want to permanentely delete this scheme entry?");
    EXPECT_EQ(bench.Listed(1), "Sea Sand Mine*");

    script.OnMessage = nullptr;  // Yes
    bench.panel->DeleteButton(1)->Click();
    EXPECT_EQ(bench.Listed(1), "Sea Sand");
    EXPECT_FALSE(bench.panel->DeleteButton(1)->Enabled());
    EXPECT_EQ(FileBytes(folders.userFile),
              CrLfLines({"<SchemeTypes>", "<SchemeType>", "<Name>Preset Scheme</Name>", "</SchemeType>", "<SchemeType>",
                         "<Name>Color Scheme</Name>", "</SchemeType>", "</SchemeTypes>"}));
    // Every item the combo still holds is a scheme of its row.
    const TStrings& items = *bench.panel->Combo(1)->Items();
    for (int i = 0; i < items.Count(); ++i)
        EXPECT_GE(bench.panel->GetSchemeList(1)->IndexOfObject(items.GetObject(i)), 0);
}

TEST(ThemePanel, OnlyTheOverallRowClearsTheOtherSelections)
{
    TThemeFolders folders;
    TThemeBench bench;
    bench.Pick(1, "Sand");
    bench.Pick(0, "Classic");  // overall
    EXPECT_EQ(bench.panel->Combo(1)->ItemIndex(), -1);
    EXPECT_EQ(bench.panel->Combo(0)->Text(), "Classic");
    bench.Pick(1, "Sea");
    EXPECT_EQ(bench.panel->Combo(0)->Text(), "Classic");
    EXPECT_EQ(bench.preview->BackGroundColor(), TColor(16776960));
}

// A user folder that cannot be written: the add goes on and its reload has no new scheme; a
// delete stops before removing anything.
TEST(ThemePanel, AnUnwritableUserFileIsReported)
{
    TThemeFolders folders;
    folders.dir.Write("user/TiCheckBoxUser.xml", kMineFile);
    TestHooks::TModalScript script;
    TThemeBench bench;
    PointThemesAt(folders.dir, SourcePath("resources/themes"), folders.dir.Path("user/missing"));
    bench.Add(script, 1, "Lost");
    ASSERT_EQ(script.Messages.size(), 1u);
    EXPECT_EQ(script.Messages[0].Text.rfind("Error Saving User-Defined Theme Settings - ", 0), 0u);
    EXPECT_EQ(bench.Listed(1), "Sea Sand");  // the reload reads the (missing) user file

    PointThemesAt(folders.dir, SourcePath("resources/themes"), folders.dir.Path("user"));
    bench.panel->LoadFromXMLFile();
    bench.Pick(1, "Mine");
    PointThemesAt(folders.dir, SourcePath("resources/themes"), folders.dir.Path("user/missing"));
    bench.panel->DeleteButton(1)->Click();  // Yes, then the save fails
    EXPECT_EQ(bench.Listed(1), "Sea Sand Mine*");
    EXPECT_EQ(FileBytes(folders.userFile), kMineFile);
}

TEST(ThemePanel, AutoAcceptPreviewAcceptsEverySelection)
{
    TThemeFolders folders;
    TThemeBench bench;
    bench.panel->SetAutoAcceptPreview(true);
    bench.Pick(1, "Sea");
    EXPECT_EQ(bench.component.BackGroundColor(), TColor(16776960));
}

// Loading, saving, adding and maintenance all need the preview's class.
TEST(ThemePanel, WithoutAPreviewNothingIsReadWrittenOrOpened)
{
    TThemeFolders folders;
    TestHooks::TModalScript script;
    TEditorTestForm form;
    auto* panel = new TiComponentEditorThemePanel(&form);
    panel->SetParent(&form);
    panel->LoadFromXMLFile();
    EXPECT_EQ(panel->GetSchemeList(1)->Count(), 0);
    panel->AddButton(1)->Click();
    panel->OpenMaintenance(nullptr, mbLeft, {ssShift, ssCtrl, ssAlt}, 0, 0);
    EXPECT_TRUE(script.Shown.empty());
    EXPECT_FALSE(panel->SaveToXMLFile());
    EXPECT_TRUE(std::filesystem::is_empty(folders.dir.Path("user")));
}

TEST(ThemePanel, HiddenRowsLoseTheirUserSchemesOnSave)
{
    TThemeFolders folders;
    folders.dir.Write("user/TiCheckBoxUser.xml", kMineFile);
    TThemeBench bench;
    bench.panel->SetSchemeShow(1, false);
    EXPECT_FALSE(bench.panel->Combo(1)->Visible());
    ASSERT_TRUE(bench.panel->SaveToXMLFile());
    EXPECT_EQ(FileBytes(folders.userFile).find("Mine"), std::string::npos);
}

// Without theme folders in the registry the rows are disabled and the files are looked for by
// their bare names in the current folder.
TEST(ThemePanel, WithoutFoldersTheFilesAreThoseOfTheCurrentFolder)
{
    TempDir dir;
    ::setenv("PRAVIX_REGISTRY_DIR", dir.Folder().c_str(), 1);
    dir.Write("TiCheckBox.xml", FileBytes(SourcePath("resources/themes/TiCheckBox.xml")));
    const std::string previous = std::filesystem::current_path().string();
    std::filesystem::current_path(dir.Folder());
    {
        TThemeBench bench;
        EXPECT_FALSE(bench.panel->ThemesInstalled());
        EXPECT_TRUE(bench.panel->NotInstalledLabel()->Visible());
        EXPECT_TRUE(bench.panel->DisabledLabel()->Visible());
        EXPECT_FALSE(bench.panel->Combo(0)->Enabled());
        EXPECT_FALSE(bench.panel->AddButton(1)->Enabled());
        EXPECT_EQ(bench.preview->Width(), 0);
        EXPECT_EQ(bench.Listed(1), "Sea Sand");
    }
    std::filesystem::current_path(previous);
    ::unsetenv("PRAVIX_REGISTRY_DIR");
}

TEST(ThemePanel, ThePreDefinedFileIsFoundThroughTheMachineFolderAndEndsLinesWithCrLf)
{
    TThemeFolders folders;
    TThemeBench bench;
    EXPECT_TRUE(bench.panel->ThemesInstalled());
    EXPECT_FALSE(bench.panel->NotInstalledLabel()->Visible());
    EXPECT_EQ(bench.Listed(0), "Classic Night");
    const std::string bytes = FileBytes(SourcePath("resources/themes/TiCheckBox.xml"));
    EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
}

// --- Property access by path ----------------------------------------------------------------------

TEST(ThemePanel, PropertiesByPath)
{
    TiCheckBox box(nullptr);
    using P = TiComponentEditorThemePanel;
    P::SetProperty(&box, " Font . Color ", "255");
    EXPECT_EQ(P::GetProperty(&box, "Font.Color"), "255");
    P::SetProperty(&box, "Font.Color", "  ");  // a blank number is skipped
    EXPECT_EQ(box.Font()->GetColor(), clRed);
    P::SetProperty(&box, "Caption", "");  // an empty text is one blank
    EXPECT_EQ(box.Caption(), " ");
    P::SetProperty(&box, "Alignment", "7");  // no such enumeration value: refused
    EXPECT_EQ(box.Alignment(), taRightJustify);
    P::SetProperty(&box, "NoSuch.Color", "1");
    EXPECT_EQ(P::GetProperty(&box, "Font.NoSuch"), "");
    EXPECT_THROW(P::SetProperty(&box, "Font.Color", "red"), EConvertError);
}

TEST(ThemePanel, AConversionErrorStopsTheSchemeAtThatLine)
{
    TThemeFolders folders;
    folders.dir.Write(
        "user/TiCheckBoxUser.xml",
        CrLfLines({"<SchemeTypes>", "<SchemeType>", "<Name>Color Scheme</Name>", "<Scheme>", "<Name>Broken</Name>",
                   "<Properties>", "<BackGroundColor>255</BackGroundColor>", "<Font.Color>red</Font.Color>",
                   "<Caption>never</Caption>", "</Properties>", "</Scheme>", "</SchemeType>", "</SchemeTypes>"}));
    TestHooks::TModalScript script;
    TThemeBench bench;
    bench.panel->SchemeComboDropDown(1);
    bench.panel->Combo(1)->SimulateSelect(2);
    ASSERT_EQ(script.Messages.size(), 1u);  // the application's error box
    EXPECT_EQ(script.Messages[0].Kind, TestHooks::TModalKind::ErrorBox);
    EXPECT_NE(script.Messages[0].Text.find("red"), std::string::npos) << script.Messages[0].Text;
    EXPECT_EQ(bench.preview->BackGroundColor(), clRed);
    EXPECT_EQ(bench.preview->Caption(), "Preview");
    EXPECT_FALSE(bench.panel->AcceptPreviewButton()->Enabled());
}

// The panel for a plot: its own file, named after the plot's class; floats are written with "."
// whatever the region and read with "." or ",".
TEST(ThemePanel, APlotPreviewHasItsOwnSchemeFile)
{
    TThemeFolders folders;
    TRegionGuard region;
    TFormatSettings comma = TFormatSettings::English();
    comma.DecimalSeparator = ',';
    SetRegion(comma);
    TestHooks::TModalScript script;
    const auto makePanel = [](TEditorTestForm& form, TiPlot*& plot) {
        form.SetClientWidth(500);
        form.SetClientHeight(250);
        auto* panel = new TiComponentEditorThemePanel(&form);
        panel->SetParent(&form);
        TStringList names;
        names.SetText("BackGroundColor\nTitleMargin\nTitleFont.Color");
        panel->SetSchemePropertyNames(1, &names);
        plot = new TiPlot(&form);
        panel->SetiComponentPreview(plot);
        return panel;
    };
    {
        TEditorTestForm form;
        TiPlot* plot = nullptr;
        TiComponentEditorThemePanel* panel = makePanel(form, plot);
        plot->SetBackGroundColor(clNavy);
        plot->SetTitleMargin(0.75);
        plot->TitleFont()->SetColor(clYellow);
        script.OnShowModal = [](TForm& f) {
            dynamic_cast<TiComponentEditorThemePanelAddDialogForm&>(f).SchemeName()->SetText("Night");
            return mrOk;
        };
        panel->AddButton(1)->Click();
    }
    const std::string bytes = FileBytes(folders.dir.Path("user/TiPlotUser.xml"));
    EXPECT_NE(bytes.find("<TitleMargin>0.75</TitleMargin>\r\n"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("<TitleFont.Color>65535</TitleFont.Color>\r\n"), std::string::npos) << bytes;

    std::string commaFile = bytes;
    commaFile.replace(commaFile.find("0.75"), 4, "0,25");
    folders.dir.Write("user/TiPlotUser.xml", commaFile);
    for (const char separator : {'.', ','}) {
        comma.DecimalSeparator = separator;
        SetRegion(comma);
        TEditorTestForm form;
        TiPlot* plot = nullptr;
        TiComponentEditorThemePanel* panel = makePanel(form, plot);
        panel->SchemeComboDropDown(1);
        ASSERT_EQ(panel->Combo(1)->Items()->Count(), 1);
        panel->Combo(1)->SimulateSelect(0);
        EXPECT_EQ(plot->BackGroundColor(), clNavy);
        EXPECT_DOUBLE_EQ(plot->TitleMargin(), 0.25);
        EXPECT_EQ(plot->TitleFont()->GetColor(), clYellow);
    }
}

// --- In the base editor form --------------------------------------------------------------------

void ShowThemesPage(TiComponentEditorForm& form, const std::string& picture)
{
    form.Show();
    TestHooks::PumpUntil([&] { return form.Showing(); }, 2000);
    form.FindControl<TPageControl>("PageControl")->SimulateSelect(1);
    TestHooks::PumpFor(50);
    SavePicture(*form.FindControl<TPageControl>("PageControl"), picture);
}

// A user scheme saved from the form's settings, listed by the next editor, tried on the preview,
// accepted into the form and written into the component by OK.
TEST(ThemePanelInEditorForm, CheckBoxSchemeSavedListedAppliedAcceptedAndWritten)
{
    TThemeFolders folders;
    TestHooks::TModalScript script;
    TiCheckBox box(nullptr);
    box.SetCaption("Edited");
    {
        TiCheckBoxThemedEditorForm form;
        form.SetComponent(&box);
        form.SetupEditor();
        EXPECT_FALSE(form.Panel.SchemeShow(2));  // from the form description
        form.BackGroundColorPicker->SetColor(clLime);
        form.UserChange();  // the preview follows the form
        AddScheme(script, form.Panel, 1, "Lime");
        EXPECT_EQ(box.BackGroundColor(), clBtnFace);  // the component is not touched
    }
    TiCheckBoxThemedEditorForm form;
    form.SetComponent(&box);
    form.SetupEditor();
    EXPECT_EQ(ListedSchemes(form.Panel, 1), "Sea Sand Lime*");
    PickScheme(form.Panel, 1, "Lime");
    ShowThemesPage(form, "theme-panel-in-checkbox-editor");
    TBitmap picture;
    TestHooks::GrabControl(*form.PreviewInstance(), picture);
    EXPECT_EQ(picture.Canvas().GetPixel(picture.GetWidth() - 2, picture.GetHeight() / 2), clLime);
    EXPECT_FALSE(form.Modified());

    form.Panel.AcceptPreviewButton()->Click();
    EXPECT_TRUE(form.Modified());
    EXPECT_EQ(form.BackGroundColorPicker->Color(), clLime);
    EXPECT_EQ(box.BackGroundColor(), clBtnFace);
    form.OkClicked();
    EXPECT_EQ(box.BackGroundColor(), clLime);
    EXPECT_EQ(box.Caption(), "Edited");
    EXPECT_TRUE(script.Messages.empty());
}

TEST(ThemePanelInEditorForm, PlotSchemeSavedListedAppliedAcceptedAndWritten)
{
    TThemeFolders folders;
    TestHooks::TModalScript script;
    TiPlot plot(nullptr);
    {
        TiPlotThemedEditorForm form;
        form.SetComponent(&plot);
        form.SetupEditor();
        form.BackGroundColorPicker->SetColor(clNavy);
        form.TitleMarginEdit->SetAsFloat(1.5);
        form.UserChange();
        AddScheme(script, form.Panel, 1, "Deep");
    }
    EXPECT_NE(FileBytes(folders.dir.Path("user/TiPlotUser.xml")).find("<TitleMargin>1.5</TitleMargin>"),
              std::string::npos);
    TiPlotThemedEditorForm form;
    form.SetComponent(&plot);
    form.SetupEditor();
    EXPECT_EQ(ListedSchemes(form.Panel, 1), "Deep*");
    PickScheme(form.Panel, 1, "Deep");
    ShowThemesPage(form, "theme-panel-in-plot-editor");
    auto& preview = dynamic_cast<TiPlot&>(*form.PreviewInstance());
    EXPECT_DOUBLE_EQ(preview.TitleMargin(), 1.5);
    TBitmap picture;
    TestHooks::GrabControl(preview, picture);
    EXPECT_EQ(picture.Canvas().GetPixel(4, picture.GetHeight() / 2), clNavy);  // left of the Y axis

    form.Panel.AcceptPreviewButton()->Click();
    form.OkClicked();
    EXPECT_EQ(plot.BackGroundColor(), clNavy);
    EXPECT_DOUBLE_EQ(plot.TitleMargin(), 1.5);
}

}  // namespace
