// zuvhost: the ZUV meter host program.

#include <exception>

#include "app/forms/HostPort.h"
#include "app/forms/QX5Main.h"
#include "app/forms/password.h"
#include "app/forms/warning.h"
#include "editors/iEditorBasicComponents.h"
#include "platform/gui/Application.h"

int main(int argc, char** argv)
{
    Application->Initialize(argc, argv);
    Application->SetTitle("ZUV Host");
    // The plot's image Save (and what more the plot opens) comes from the editors.
    RegisterEditorHooks();
    try {
        Application->CreateForm(Form1);
        Application->CreateForm(Form2);
        Application->CreateForm(SelectHPForm);
        Application->CreateForm(PasswordForm);
        Application->Run();
    } catch (...) {
        Application->HandleException(std::current_exception());
    }
    return 0;
}
