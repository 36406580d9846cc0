#include "editors/iOpenDialog.h"

#include "components/iGPControls.h"
#include "platform/gui/Dialogs.h"

TiOpenDialog::TiOpenDialog(TComponent* owner) : TComponent(owner) {}

bool TiOpenDialog::Execute()
{
    m_files.clear();
    if (!GetCustomFormOwner(this))
        return false;
    TFileDialogRequest request;
    request.Filter = m_filter;
    request.FilterIndex = 1;
    request.FileName = m_fileName;
    request.InitialDir = ".";
    request.DefaultExt = m_defaultExt;
    request.PathMustExist = true;
    request.FileMustExist = m_fileMustExist;
    request.AllowMultiSelect = m_multiSelect;
    if (!ExecuteFileDialog(request))
        return false;
    m_files = request.Files;
    if (m_files.empty())
        m_files.push_back(request.FileName);
    if (!m_multiSelect)
        m_files.resize(1);
    m_fileName = m_files.front();
    return true;
}

PRAVIX_PUBLISH(TiOpenDialog, Prop("FileName", &TiOpenDialog::FileName, &TiOpenDialog::SetFileName),
               Prop("Filter", &TiOpenDialog::Filter, &TiOpenDialog::SetFilter),
               Prop("DefaultExt", &TiOpenDialog::DefaultExt, &TiOpenDialog::SetDefaultExt),
               Prop("FileMustExist", &TiOpenDialog::FileMustExist, &TiOpenDialog::SetFileMustExist).Default(false))
