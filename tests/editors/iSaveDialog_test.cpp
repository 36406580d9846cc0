// The save dialog completes the chosen name with the extension of the chosen filter entry.

#include "editors/iSaveDialog.h"

#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/TestHooks.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* const kImageFilter =
    "Bitmap (*.bmp)|*.bmp|Enhanced Metafile (*.emf)|*.emf|JPEG File (*.jpg)|*.jpg|PNG (*.png)|*.png";

// A dialog on a form, and a script that answers with the given name and filter entry.
struct TSaveOnForm {
    TForm form{nullptr};
    TiSaveDialog* dialog = new TiSaveDialog(&form);
    TestHooks::TModalScript script;

    bool Choose(const std::string& filter, const std::string& typed, int filterIndex)
    {
        dialog->SetFilter(filter);
        script.OnFileDialog = [=](TFileDialogRequest& r) {
            r.FileName = typed;
            r.FilterIndex = filterIndex;
            return true;
        };
        return dialog->Execute();
    }
};

}  // namespace

TEST(iSaveDialog, TheChosenEntrysExtensionCompletesTheName)
{
    struct Case {
        const char* Why;
        const char* Filter;
        const char* Typed;
        int FilterIndex;
        const char* Saved;
        const char* ReturnExt;
    };
    const Case cases[] = {
        {"no extension: the entry's is added", kImageFilter, "plot", 3, "plot.jpg", ".jpg"},
        {"another extension: the entry's goes after it", kImageFilter, "plot.txt", 3, "plot.txt.jpg", ".jpg"},
        {"the entry's own extension in capitals stays", kImageFilter, "plot.JPG", 3, "plot.JPG", ".jpg"},
        {"a dot in a folder name is no extension", kImageFilter, "/my.plots/plot", 4, "/my.plots/plot.png", ".png"},
        {"an entry of *.* adds nothing", "All (*.*)|*.*", "notes", 1, "notes", ".*"},
        // An entry of several patterns gives the first one's extension, and keeps any of them.
        {"", "JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg", "x", 1, "x.jpg", ".jpg"},
        {"", "JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg", "x.jpeg", 1, "x.jpeg", ".jpg"},
        // A description beginning with "*" does not shift the entries.
        {"", "*Bitmaps*|*.bmp|PNG|*.png", "x", 2, "x.png", ".png"},
        {"an entry without patterns adds nothing", "Odd|", "x", 1, "x", ""},
        {"an index past the entries adds nothing", kImageFilter, "x", 9, "x", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Why);
        TSaveOnForm f;
        ASSERT_TRUE(f.Choose(c.Filter, c.Typed, c.FilterIndex));
        EXPECT_EQ(f.dialog->FileName(), c.Saved);
        EXPECT_EQ(f.dialog->ReturnExt(), c.ReturnExt);
        EXPECT_EQ(f.dialog->FilterIndex(), c.FilterIndex);
    }
}

TEST(iSaveDialog, ShowsWhatItHoldsAndAnswersCancelAndMissingOwners)
{
    TSaveOnForm f;
    f.dialog->SetFileName("start");
    f.dialog->SetFilterIndex(2);
    f.dialog->SetDefaultExt("emf");
    f.dialog->SetFilter(kImageFilter);
    EXPECT_FALSE(f.dialog->Execute());
    ASSERT_EQ(f.script.FileDialogs.size(), 1u);
    const TFileDialogRequest& shown = f.script.FileDialogs[0];
    EXPECT_TRUE(shown.Save);
    EXPECT_EQ(shown.FileName, "start");
    EXPECT_EQ(shown.FilterIndex, 2);
    EXPECT_EQ(shown.InitialDir, ".");
    EXPECT_EQ(shown.DefaultExt, "emf");
    EXPECT_TRUE(shown.OverwritePrompt);
    EXPECT_TRUE(shown.PathMustExist);
    EXPECT_EQ(f.dialog->FileName(), "start") << "Cancel changes nothing";

    // A name longer than any fixed buffer goes through whole.
    f.dialog->SetDefaultExt("");
    const std::string longName = "/tmp/" + std::string(300, 'n');
    ASSERT_TRUE(f.Choose(kImageFilter, longName, 1));
    EXPECT_EQ(f.dialog->FileName(), longName + ".bmp");

    // Without a form or windowed control among its owners nothing is shown.
    TiSaveDialog loose(nullptr);
    EXPECT_FALSE(loose.Execute());
    EXPECT_EQ(f.script.FileDialogs.size(), 2u);
}
