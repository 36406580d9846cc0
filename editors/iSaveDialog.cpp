#include "editors/iSaveDialog.h"

#include "components/iGPControls.h"
#include "platform/core/StrUtils.h"
#include "platform/gui/Dialogs.h"

namespace {

std::vector<std::string> SplitAt(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (;;) {
        const auto at = text.find(separator, start);
        parts.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos)
            return parts;
        start = at + 1;
    }
}

// The extension of a file name (".txt"), empty when its last part has none.
std::string FileNameExtension(const std::string& fileName)
{
    const auto dot = fileName.find_last_of('.');
    const auto separator = fileName.find_last_of("/\\");
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator))
        return {};
    return fileName.substr(dot);
}

}  // namespace

TiSaveDialog::TiSaveDialog(TComponent* owner) : TComponent(owner) {}

// Every second part of the filter is an entry's patterns; a description may itself begin
// with "*" without shifting the entries.
void TiSaveDialog::UpdateFilterList()
{
    m_patterns.clear();
    const std::vector<std::string> parts = SplitAt(m_filter, '|');
    for (std::size_t i = 1; i < parts.size(); i += 2)
        m_patterns.push_back(parts[i]);
}

std::string TiSaveDialog::ChosenPattern() const
{
    if (m_filterIndex < 1 || m_filterIndex > int(m_patterns.size()))
        return {};
    return m_patterns[std::size_t(m_filterIndex - 1)];
}

bool TiSaveDialog::Execute()
{
    if (!GetCustomFormOwner(this))
        return false;
    TFileDialogRequest request;
    request.Save = true;
    request.Filter = m_filter;
    request.FilterIndex = m_filterIndex;
    request.FileName = m_fileName;
    request.InitialDir = ".";
    request.DefaultExt = m_defaultExt;
    request.OverwritePrompt = true;
    request.PathMustExist = true;
    if (!ExecuteFileDialog(request))
        return false;
    m_fileName = request.FileName;
    m_filterIndex = request.FilterIndex;
    UpdateFilterList();
    // The first of the entry's patterns gives the extension: "*.jpg;*.jpeg" gives ".jpg".
    const std::vector<std::string> patterns = SplitAt(ChosenPattern(), ';');
    m_returnExt = patterns.front().empty() ? std::string() : patterns.front().substr(1);
    if (m_returnExt.empty() || m_returnExt == ".*")
        return true;
    const std::string extension = FileNameExtension(m_fileName);
    for (const std::string& pattern : patterns) {
        if (!extension.empty() && SameText(pattern, "*" + extension))
            return true;
    }
    m_fileName += m_returnExt;
    return true;
}

PRAVIX_PUBLISH(TiSaveDialog, Prop("FileName", &TiSaveDialog::FileName, &TiSaveDialog::SetFileName),
               Prop("Filter", &TiSaveDialog::Filter, &TiSaveDialog::SetFilter),
               Prop("FilterIndex", &TiSaveDialog::FilterIndex, &TiSaveDialog::SetFilterIndex).Default(1),
               Prop("DefaultExt", &TiSaveDialog::DefaultExt, &TiSaveDialog::SetDefaultExt),
               Prop("ReturnExt", &TiSaveDialog::ReturnExt))
