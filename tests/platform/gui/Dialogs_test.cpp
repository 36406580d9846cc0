#include "platform/canvas/Bitmap.h"
#include "platform/canvas/Graphics.h"
#include "platform/canvas/Printer.h"
#include "platform/core/Exceptions.h"
#include "platform/gui/Application.h"
#include "platform/gui/Clipboard.h"
#include "platform/gui/Cursors.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/Keys.h"
#include "platform/gui/TestHooks.h"
#include "platform/gui/Timers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

using TestHooks::TModalKind;

TEST(Dialogs, MessageBoxesAreRecordedAndAnsweredByScript)
{
    TestHooks::TModalScript script;
    script.OnMessage = [](const TestHooks::TMessageRecord& m) { return m.Buttons.count(mbNo) ? mrNo : mrOk; };
    EXPECT_EQ(MessageBox("Missing or Invalid device file 'a.dev'", "Device File Error"), mrOk);
    EXPECT_EQ(MessageDlg("Delete?", mtConfirmation, {mbYes, mbNo}), mrNo);
    EXPECT_EQ(MessageDlg("Careful", mtWarning, {mbOK}), mrOk);
    ASSERT_EQ(script.Messages.size(), 3u);
    EXPECT_EQ(script.Messages[0].Kind, TModalKind::MessageBox);
    EXPECT_EQ(script.Messages[0].Caption, "Device File Error");
    EXPECT_EQ(script.Messages[1].Caption, "Confirm");
    EXPECT_EQ(script.Messages[2].Caption, "Warning");
    EXPECT_EQ(script.Messages[2].Type, mtWarning);
}

TEST(Dialogs, CaptionsOfMessageDialogTypes)
{
    EXPECT_EQ(MessageDlgCaption(mtConfirmation), "Confirm");
    EXPECT_EQ(MessageDlgCaption(mtWarning), "Warning");
    EXPECT_EQ(MessageDlgCaption(mtError), "Error");
    EXPECT_EQ(MessageDlgCaption(mtInformation), "Information");
}

TEST(Dialogs, BeepsAreCounted)
{
    TestHooks::ResetBeepCount();
    Beep();
    Beep();
    EXPECT_EQ(TestHooks::BeepCount(), 2);
}

TEST(Dialogs, FilterStringsBecomeQtFilters)
{
    EXPECT_EQ(FilterToQtFilter("Device File (*.dev)|*.dev|All files (*.*)|*.*"),
              "Device File (*.dev) (*.dev);;All files (*.*) (*.*)");
    EXPECT_EQ(FilterToQtFilter("Pictures|*.bmp;*.png"), "Pictures (*.bmp *.png)");
    EXPECT_EQ(FilterToQtFilter(""), "");
}

TEST(Dialogs, DefaultExtensionIsAppendedOnlyWithoutOne)
{
    struct Case {
        const char* name;
        const char* ext;
        const char* result;
    };
    const Case cases[] = {
        {"/tmp/run1", "*.raw", "/tmp/run1.raw"},   {"/tmp/run1", "raw", "/tmp/run1.raw"},
        {"/tmp/run1", ".dev", "/tmp/run1.dev"},    {"/tmp/run1.txt", "raw", "/tmp/run1.txt"},
        {"/tmp.d/run1", "eng", "/tmp.d/run1.eng"}, {"/tmp/run1", "", "/tmp/run1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AppendDefaultExt(c.name, c.ext), c.result) << c.name << " " << c.ext;
}

TEST(Dialogs, SaveDialogSeesItsSettingsAndGetsDefaultExtension)
{
    TestHooks::TModalScript script;
    script.OnFileDialog = [](TFileDialogRequest& r) {
        r.FileName = "/tmp/record";
        r.FilterIndex = 2;
        return true;
    };
    TSaveDialog dialog;
    dialog.Title = "Record Raw Data";
    dialog.DefaultExt = "*.raw";
    dialog.Filter = "Raw Files (*.raw)|*.raw|All Files (*.*)|*.*";
    dialog.OverwritePrompt = true;
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName, "/tmp/record.raw");
    EXPECT_EQ(dialog.FilterIndex, 2);
    ASSERT_EQ(script.FileDialogs.size(), 1u);
    EXPECT_TRUE(script.FileDialogs[0].Save);
    EXPECT_TRUE(script.FileDialogs[0].OverwritePrompt);
    EXPECT_EQ(script.FileDialogs[0].Title, "Record Raw Data");
    EXPECT_EQ(script.Shown, (std::vector<TModalKind>{TModalKind::SaveDialog}));
}

TEST(Dialogs, CancelledDialogsChangeNothing)
{
    TestHooks::TModalScript script;  // no handlers: everything is cancelled
    TOpenDialog open;
    open.FileName = "keep.dev";
    EXPECT_FALSE(open.Execute());
    EXPECT_EQ(open.FileName, "keep.dev");
    TColorDialog colour;
    colour.Color = clRed;
    EXPECT_FALSE(colour.Execute());
    EXPECT_EQ(colour.Color, clRed);
    TPrintDialog print;
    EXPECT_FALSE(print.Execute());
    EXPECT_EQ(script.Shown,
              (std::vector<TModalKind>{TModalKind::OpenDialog, TModalKind::ColorDialog, TModalKind::PrintDialog}));
}

TEST(Dialogs, OpenDialogMultiSelectReturnsEveryFile)
{
    TestHooks::TModalScript script;
    script.OnFileDialog = [](TFileDialogRequest& r) {
        EXPECT_TRUE(r.AllowMultiSelect);
        r.Files = {"/a.txt", "/b.txt"};
        r.FileName = "/a.txt";
        return true;
    };
    TOpenDialog open;
    open.AllowMultiSelect = true;
    ASSERT_TRUE(open.Execute());
    EXPECT_EQ(open.Files, (std::vector<std::string>{"/a.txt", "/b.txt"}));
}

TEST(Dialogs, ColourDialogShowsSystemColoursResolvedAndSixteenWhiteCustomColours)
{
    TestHooks::TModalScript script;
    script.OnColorDialog = [](TColorRequest& r) {
        r.Color = clTeal;
        return true;
    };
    TColorDialog dialog;
    dialog.Color = clBtnFace;
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.Color, clTeal);
    ASSERT_EQ(script.ColorDialogs.size(), 1u);
    EXPECT_EQ(script.ColorDialogs[0].Color, RGB(0xF0, 0xF0, 0xF0));
    for (TColor c : script.ColorDialogs[0].CustomColors)
        EXPECT_EQ(c, clWhite);
}

TEST(Dialogs, FontDialogSeesTheFontAndAnswersAChangedOne)
{
    TestHooks::TModalScript script;
    script.OnFontDialog = [](TFontData& f) {
        f.Style = {fsItalic};
        f.Color = clBlue;
        return true;
    };
    TFontDialog dialog;
    dialog.Font()->SetSize(10);
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.Font()->GetStyle(), (TFontStyles{fsItalic}));
    EXPECT_EQ(dialog.Font()->GetColor(), clBlue);
    ASSERT_EQ(script.FontDialogs.size(), 1u);
    EXPECT_EQ(script.FontDialogs[0].Height, -13);
    script.OnFontDialog = nullptr;
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.Font()->GetColor(), clBlue);
}

TEST(Dialogs, RealDialogsRunTheirOwnLoopAndCancelChangesNothing)
{
    TTimer closer;
    closer.SetInterval(50);
    closer.OnTimer = [](TObject*) { TestHooks::CloseActiveModal(); };
    TFontDialog font;
    font.Font()->SetColor(clRed);
    EXPECT_FALSE(font.Execute());
    EXPECT_EQ(font.Font()->GetColor(), clRed);
    TSaveDialog save;
    save.FileName = "keep.raw";
    EXPECT_FALSE(save.Execute());
    EXPECT_EQ(save.FileName, "keep.raw");
}

TEST(Keyboard, InjectedModifierState)
{
    TestHooks::SetKeyboardState(TShiftState{ssShift, ssAlt});
    EXPECT_TRUE(GetShiftDown());
    EXPECT_FALSE(GetCtrlDown());
    EXPECT_TRUE(GetAltDown());
    TestHooks::SetKeyboardState(std::nullopt);
    EXPECT_FALSE(GetShiftDown());
}

TEST(Cursors, GuardRestoresTheScreenCursor)
{
    {
        TScreenCursorGuard busy(crHourGlass);
        EXPECT_EQ(ScreenCursor(), crHourGlass);
        {
            TScreenCursorGuard cross(crCross);
            EXPECT_EQ(ScreenCursor(), crCross);
        }
        EXPECT_EQ(ScreenCursor(), crHourGlass);
    }
    EXPECT_EQ(ScreenCursor(), crDefault);
}

TEST(Clipboard, TextImageAndNamedFormatsRoundTrip)
{
    Clipboard()->SetText("Caf\xE9");
    EXPECT_EQ(Clipboard()->AsText(), "Caf\xE9");

    const TClipboard::Bytes emf = {1, 0, 0, 0, 0x6C, 0, 0, 0};
    const TClipboard::Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xD9};
    Clipboard()->SetFormats({{"image/emf", emf}, {"image/jpeg", jpeg}});
    EXPECT_EQ(Clipboard()->GetFormat("image/emf"), emf);
    EXPECT_EQ(Clipboard()->GetFormat("image/jpeg"), jpeg);
    EXPECT_FALSE(Clipboard()->HasFormat("image/png"));
    EXPECT_FALSE(Clipboard()->HasText());

    TBitmap bitmap;
    bitmap.SetSize(4, 3);
    bitmap.Canvas().SetPixel(1, 2, clRed);
    Clipboard()->SetBitmap(bitmap);
    EXPECT_TRUE(Clipboard()->HasFormat("image/png"));
    TBitmap back;
    ASSERT_TRUE(Clipboard()->GetBitmap(back));
    EXPECT_EQ(back.GetWidth(), 4);
    EXPECT_EQ(back.Canvas().GetPixel(1, 2), clRed);
}

TEST(Printer, PrintsToPdfWithoutAnInstalledPrinter)
{
    TPrinter* printer = Printer();
    ASSERT_FALSE(printer->Printers().empty());
    if (!printer->PrintsToFile())
        GTEST_SKIP() << "a real printer is installed";
    const std::string file = testing::TempDir() + "printer_test.pdf";
    std::remove(file.c_str());
    printer->SetOutputFileName(file);
    printer->SetTitle("Plot");
    printer->SetOrientation(poLandscape);
    EXPECT_EQ(printer->PaperCode(), 1);  // Letter
    EXPECT_DOUBLE_EQ(printer->PaperWidthInches(), 11.0);
    EXPECT_DOUBLE_EQ(printer->PaperHeightInches(), 8.5);
    EXPECT_GT(printer->DpiX(), 300);
    EXPECT_GT(printer->PageWidth(), printer->PageHeight());
    EXPECT_GE(printer->OffsetX(), 0);

    EXPECT_THROW(printer->NewPage(), Exception);
    printer->BeginDoc();
    EXPECT_TRUE(printer->Printing());
    EXPECT_THROW(printer->BeginDoc(), Exception);
    ASSERT_NE(printer->Canvas(), nullptr);
    printer->Canvas()->TextOut(100, 100, "Page one");
    printer->NewPage();
    EXPECT_EQ(printer->PageNumber(), 2);
    printer->EndDoc();
    EXPECT_FALSE(printer->Printing());
    EXPECT_EQ(printer->Canvas(), nullptr);
    std::ifstream in(file, std::ios::binary);
    const std::string head(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(head.substr(0, 5), "%PDF-");
    printer->SetOrientation(poPortrait);
}
