#pragma once
// A theme panel on a small host form with a TiCheckBox preview, as an editor form holds it: the
// registry stand-in points the pre-defined folder at resources/themes and the user folder at a
// fresh folder of the test; "Accept Preview" copies the themed properties into `component`.
// A new bench on the same folder is the program started again.

#include "components/iCheckBox.h"
#include "components/iClasses.h"
#include "editors/EditorTestForm.h"
#include "editors/iComponentEditorThemePanel.h"
#include "editors/iComponentEditorThemePanelAddDialog.h"
#include "platform/canvas/Bitmap.h"
#include "platform/canvas/ImageCodecs.h"
#include "platform/core/Registry.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/TestHooks.h"
#include "support/SourcePaths.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

inline std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Lines joined with CR LF after each.
inline std::string CrLfLines(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// The registry stand-in in the test's folder: machine-wide folders of the themes.
inline void PointThemesAt(const TempDir& dir, const std::string& predefined, const std::string& user)
{
    ::setenv("PRAVIX_REGISTRY_DIR", dir.Folder().c_str(), 1);
    auto key = OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Pravix\\Themes", true);
    key->WriteString("Pravix Defined Theme Path", predefined);
    key->WriteString("User Defined Theme Path", user);
}

// The names of a row's schemes, a user scheme marked with "*": "Sea Sand Mine*".
inline std::string ListedSchemes(const TiComponentEditorThemePanel& panel, int row)
{
    const TStringList& list = *panel.GetSchemeList(row);
    std::string text;
    for (int i = 0; i < list.Count(); ++i) {
        const bool user = list.GetObject(i)->InheritsFrom(TiUserSchemeList::StaticClassInfo());
        text += (i ? " " : "") + list.Get(i) + (user ? "*" : "");
    }
    return text;
}

// The row's "+" with the add dialog answered by the name.
inline void AddScheme(TestHooks::TModalScript& script, TiComponentEditorThemePanel& panel, int row,
                      const std::string& name)
{
    script.OnShowModal = [name](TForm& f) {
        dynamic_cast<TiComponentEditorThemePanelAddDialogForm&>(f).SchemeName()->SetText(name);
        return mrOk;
    };
    panel.AddButton(row)->Click();
    script.OnShowModal = nullptr;
}

// Opens the row's list and picks the item as the user does.
inline void PickScheme(TiComponentEditorThemePanel& panel, int row, const std::string& name)
{
    panel.SchemeComboDropDown(row);
    panel.Combo(row)->SimulateSelect(panel.Combo(row)->Items()->IndexOf(name));
}

// Saves the control as it paints now as PNG in theme_gallery/ of the test's folder.
inline void SavePicture(TControl& control, const std::string& name)
{
    TBitmap picture;
    TestHooks::GrabControl(control, picture);
    std::filesystem::create_directories("theme_gallery");
    const TBytes png = EncodePNG(picture, 6);
    std::ofstream("theme_gallery/" + name + ".png", std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
}

struct TThemeBench {
    TEditorTestForm form;
    TiComponentEditorThemePanel* panel = nullptr;
    TiCheckBox* preview = nullptr;
    TiCheckBox component{nullptr};

    TThemeBench()
    {
        form.SetClientWidth(500);
        form.SetClientHeight(250);
        panel = new TiComponentEditorThemePanel(&form);
        panel->SetParent(&form);
        for (int row = 0; row < kThemeRowCount; ++row)  // as the form description sets them
            panel->SetSchemeShow(row, row < 2);
        TStringList names;
        names.SetText("BackGroundColor\nFont.Color\nFont.Style");
        panel->SetSchemePropertyNames(0, &names);
        names.SetText("BackGroundColor\nFont.Color");
        panel->SetSchemePropertyNames(1, &names);
        panel->OnAcceptChanges = [this](TObject*) {
            component.SetBackGroundColor(preview->BackGroundColor());
            component.Font()->Assign(*preview->Font());
        };
        preview = new TiCheckBox(&form);
        preview->SetCaption("Preview");
        panel->SetiComponentPreview(preview);
    }

    std::string Listed(int row) const { return ListedSchemes(*panel, row); }

    void Add(TestHooks::TModalScript& script, int row, const std::string& name)
    {
        AddScheme(script, *panel, row, name);
    }
    void Pick(int row, const std::string& name) { PickScheme(*panel, row, name); }
};

// A fresh folder with the registry pointing at the repository's pre-defined themes and at a
// user folder inside it.
struct TThemeFolders {
    TempDir dir;
    std::string userFile;

    TThemeFolders()
    {
        std::filesystem::create_directories(dir.Path("user"));
        PointThemesAt(dir, SourcePath("resources/themes"), dir.Path("user"));
        userFile = dir.Path("user/TiCheckBoxUser.xml");
    }
    ~TThemeFolders() { ::unsetenv("PRAVIX_REGISTRY_DIR"); }
};
