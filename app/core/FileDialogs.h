#pragma once
// The open and save dialogs the host shows; the main window implements them, tests script
// the answers.

#include <optional>
#include <string>

struct FileDialogRequest {
    std::string Title;
    std::string DefaultExt;  // as the dialog is given it ("dev", "*.raw" ...)
    std::string Filter;      // "Description|pattern|Description|pattern"
    bool PromptOverwrite = false;
};

class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // The chosen path, or nothing when cancelled.
    virtual std::optional<std::string> OpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> SaveFile(const FileDialogRequest& request) = 0;
};
