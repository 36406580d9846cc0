// The open dialog: one file, or several with the multi-select flag.

#include "editors/iOpenDialog.h"

#include "platform/gui/Forms.h"
#include "platform/gui/TestHooks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(iOpenDialog, OneFileOrSeveral)
{
    TForm form(nullptr);
    auto* dialog = new TiOpenDialog(&form);
    dialog->SetFilter("Devices (*.dev)|*.dev");
    dialog->SetFileName("old.dev");
    TestHooks::TModalScript script;
    std::vector<std::string> chosen{"/a/one.dev", "/b/two.dev"};
    script.OnFileDialog = [&](TFileDialogRequest& r) {
        r.Files = chosen;
        r.FileName = chosen.front();
        return true;
    };
    ASSERT_TRUE(dialog->Execute());
    const TFileDialogRequest& shown = script.FileDialogs.back();
    EXPECT_EQ(shown.FileName, "old.dev");
    EXPECT_EQ(shown.FilterIndex, 1);
    EXPECT_EQ(shown.InitialDir, ".");
    EXPECT_TRUE(shown.PathMustExist);
    EXPECT_FALSE(shown.FileMustExist);
    EXPECT_FALSE(shown.AllowMultiSelect);
    EXPECT_EQ(dialog->FileName(), "/a/one.dev");
    EXPECT_EQ(dialog->Files(), (std::vector<std::string>{"/a/one.dev"}));

    dialog->SetMultiSelect(true);
    dialog->SetFileMustExist(true);
    // Many long names: no buffer to fill.
    chosen.assign(200, "/data/" + std::string(40, 'f') + ".dev");
    ASSERT_TRUE(dialog->Execute());
    EXPECT_TRUE(script.FileDialogs.back().AllowMultiSelect);
    EXPECT_TRUE(script.FileDialogs.back().FileMustExist);
    EXPECT_EQ(dialog->Files().size(), 200u);
    EXPECT_EQ(dialog->FileName(), chosen.front());

    script.OnFileDialog = nullptr;  // Cancel empties the list and keeps the name
    EXPECT_FALSE(dialog->Execute());
    EXPECT_TRUE(dialog->Files().empty());
    EXPECT_EQ(dialog->FileName(), chosen.front());

    TiOpenDialog loose(nullptr);
    EXPECT_FALSE(loose.Execute());
}
