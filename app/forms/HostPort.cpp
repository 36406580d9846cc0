#include "app/forms/HostPort.h"

#include "app/core/FormResource.h"
#include "app/core/HostCore.h"
#include "app/core/SerialLink.h"
#include "app/forms/QX5Main.h"
#include "platform/gui/StdCtrls.h"

TSelectHPForm* SelectHPForm = nullptr;

TSelectHPForm::TSelectHPForm(TComponent* owner) : TForm(owner)
{
    ReadDescription(FormResource("HostPort"));
    FindControl<TButton>("BTOK")->OnClick = TNotifyEvent::Bind(this, &TSelectHPForm::BTOKClick);
    SelectHPForm = this;
}

TSelectHPForm::~TSelectHPForm()
{
    if (SelectHPForm == this)
        SelectHPForm = nullptr;
}

void TSelectHPForm::BTOKClick(TObject*)
{
    if (Form1)
        SelectHPFormBTOKClick(Form1->Core().Context());
}

PRAVIX_PUBLISH(TSelectHPForm)
