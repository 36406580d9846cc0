#pragma once
// A user at the OPC browsing dialogs: every modal dialog is shown as a window, the next step of
// the script acts on it with keys (and saves a picture of it when asked), and the dialog's own
// modal result answers ShowModal.

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/ImageCodecs.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Keys.h"
#include "platform/gui/TestHooks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

inline void GiveFocus(TWinControl& control)
{
    control.SetFocus();
    TestHooks::PumpUntil([&] { return control.Focused(); }, 2000);
}

// Moves down the list with the arrow keys to the line of that caption.
inline bool ArrowToLine(TListView& list, const std::string& caption)
{
    GiveFocus(list);
    TestHooks::SendKey(list, VK_HOME);
    for (int i = 0; i < 100; ++i) {
        if (list.Selected() && list.Selected()->Caption == caption)
            return true;
        TestHooks::SendKey(list, VK_DOWN);
    }
    return false;
}

// Moves down the tree to each name of the path in turn, opening every node on the way with the
// right arrow key.
inline bool ArrowToNode(TTreeView& tree, const std::vector<std::string>& path)
{
    GiveFocus(tree);
    TestHooks::SendKey(tree, VK_HOME);
    for (size_t level = 0; level < path.size(); ++level) {
        int steps = 0;
        while (!(tree.Selected() && tree.Selected()->Text() == path[level])) {
            if (++steps > 100)
                return false;
            TestHooks::SendKey(tree, VK_DOWN);
        }
        if (level + 1 < path.size())
            TestHooks::SendKey(tree, VK_RIGHT);
    }
    return true;
}

// Saves what the control paints now as a PNG file in the gallery folder of the build's tests.
inline void SavePicture(TControl& control, const std::string& name)
{
    TestHooks::PumpFor(50);
    TBitmap bitmap;
    TestHooks::GrabControl(control, bitmap);
    ASSERT_GT(bitmap.GetWidth(), 0) << name;
    std::filesystem::create_directories("editor_gallery");
    const TBytes png = EncodePNG(bitmap, 6);
    std::ofstream("editor_gallery/" + name + ".png", std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
}

class TDialogUser {
public:
    using TStep = std::function<void(TForm&)>;

    TDialogUser()
    {
        m_script.OnShowModal = [this](TForm& form) {
            form.Show();
            TestHooks::PumpUntil([&] { return form.Showing(); }, 2000);
            if (m_next < Steps.size())
                Steps[m_next++](form);
            else
                ADD_FAILURE() << "no step for the dialog " << form.Name();
            const TModalResult result = form.ModalResult();
            form.Hide();
            return result == mrNone ? mrCancel : result;
        };
    }

    std::vector<TStep> Steps;
    const std::vector<std::string>& Shown() const { return m_script.ModalForms; }
    // The texts of the error and message boxes shown, one per line.
    std::string Messages() const
    {
        std::string text;
        for (const TestHooks::TMessageRecord& m : m_script.Messages)
            text += m.Text + "\n";
        return text;
    }

private:
    TestHooks::TModalScript m_script;
    size_t m_next = 0;
};
