#pragma once
// TiOpenDialog: the open-file dialog of the editors, for one file or (with the multi-select
// flag its picker sets) several; Files() holds every chosen name, FileName the first.

#include "editors/EditorsLayer.h"

#include "platform/core/Component.h"

#include <string>
#include <vector>

class TiOpenDialog : public TComponent {
    PRAVIX_CLASS(TiOpenDialog, TComponent)
public:
    explicit TiOpenDialog(TComponent* owner);

    std::string FileName() const { return m_fileName; }
    void SetFileName(const std::string& value) { m_fileName = value; }
    std::string Filter() const { return m_filter; }
    void SetFilter(const std::string& value) { m_filter = value; }
    std::string DefaultExt() const { return m_defaultExt; }
    void SetDefaultExt(const std::string& value) { m_defaultExt = value; }
    bool FileMustExist() const { return m_fileMustExist; }
    void SetFileMustExist(bool value) { m_fileMustExist = value; }
    bool MultiSelect() const { return m_multiSelect; }
    void SetMultiSelect(bool value) { m_multiSelect = value; }
    const std::vector<std::string>& Files() const { return m_files; }

    // Shows the dialog over the form that owns the dialog (through its owners), in the current
    // folder, with the first filter entry; the chosen files must lie in an existing folder.
    // False without such a form and on Cancel; the file list is emptied in every case first.
    bool Execute();

private:
    std::string m_fileName;
    std::string m_filter;
    std::string m_defaultExt;
    bool m_fileMustExist = false;
    bool m_multiSelect = false;
    std::vector<std::string> m_files;
};
