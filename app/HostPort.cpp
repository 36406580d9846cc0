#include "app/HostPort.h"

#include "app/FormResource.h"
#include "app/HostCore.h"
#include "app/QX5Main.h"
#include "app/SerialLink.h"
#include "platform/StdCtrls.h"

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
