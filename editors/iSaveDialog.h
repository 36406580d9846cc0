#pragma once
// TiSaveDialog: the save-file dialog of the editors. The chosen name is completed with the
// extension of the chosen filter entry: it keeps an extension of its own only when that is
// one of the entry's patterns (compared ignoring case), so with "JPEG (*.jpg)|*.jpg" chosen
// "plot" and "plot.txt" become "plot.jpg" and "plot.txt.jpg" while "plot.JPG" stays. An entry
// of "*.*" adds nothing.
//
//     TiSaveDialog dialog(picker);   // owned by a control on a form
//     dialog.SetFilter("Bitmap (*.bmp)|*.bmp|PNG (*.png)|*.png");
//     if (dialog.Execute()) Save(dialog.FileName());

#include "editors/EditorsLayer.h"

#include "platform/core/Component.h"

#include <string>
#include <vector>

class TiSaveDialog : public TComponent {
    PRAVIX_CLASS(TiSaveDialog, TComponent)
public:
    explicit TiSaveDialog(TComponent* owner);

    std::string FileName() const { return m_fileName; }
    void SetFileName(const std::string& value) { m_fileName = value; }
    // Pairs of a description and its patterns ("*.jpg;*.jpeg"), all separated by "|".
    std::string Filter() const { return m_filter; }
    void SetFilter(const std::string& value) { m_filter = value; }
    // 1-based.
    int FilterIndex() const { return m_filterIndex; }
    void SetFilterIndex(int value) { m_filterIndex = value; }
    std::string DefaultExt() const { return m_defaultExt; }
    void SetDefaultExt(const std::string& value) { m_defaultExt = value; }
    // The extension of the chosen filter entry after Execute (".bmp"); empty when it has none.
    std::string ReturnExt() const { return m_returnExt; }

    // Shows the dialog over the form that owns the dialog (through its owners); false without
    // such a form, on Cancel, and when the dialog cannot be shown. It starts in the current
    // folder, asks before overwriting and wants an existing folder.
    bool Execute();

private:
    void UpdateFilterList();
    std::string ChosenPattern() const;

    std::string m_fileName;
    std::string m_filter;
    int m_filterIndex = 1;
    std::string m_defaultExt;
    std::string m_returnExt;
    // The patterns of the filter's entries, in order.
    std::vector<std::string> m_patterns;
};
