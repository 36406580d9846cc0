#include "app/forms/password.h"

#include "app/core/FormResource.h"
#include "app/core/HostCore.h"
#include "app/forms/QX5Main.h"
#include "platform/gui/StdCtrls.h"

TPasswordForm* PasswordForm = nullptr;

TPasswordForm::TPasswordForm(TComponent* owner) : TForm(owner)
{
    ReadDescription(FormResource("password"));
    FindControl<TButton>("BTPasswordOK")->OnClick = TNotifyEvent::Bind(this, &TPasswordForm::BTPasswordOKClick);
    PasswordForm = this;
}

TPasswordForm::~TPasswordForm()
{
    if (PasswordForm == this)
        PasswordForm = nullptr;
}

void TPasswordForm::BTPasswordOKClick(TObject*)
{
    if (Form1)
        Form1->Core().BTPasswordOKClick();
}

PRAVIX_PUBLISH(TPasswordForm)
