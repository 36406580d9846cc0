#include "app/forms/warning.h"

#include "app/core/FormResource.h"
#include "app/core/HostCore.h"
#include "app/forms/QX5Main.h"
#include "platform/gui/StdCtrls.h"

TForm2* Form2 = nullptr;

TForm2::TForm2(TComponent* owner) : TForm(owner)
{
    ReadDescription(FormResource("warning"));
    FindControl<TButton>("Button1")->OnClick = TNotifyEvent::Bind(this, &TForm2::Button1Click);
    Form2 = this;
}

TForm2::~TForm2()
{
    if (Form2 == this)
        Form2 = nullptr;
}

void TForm2::Button1Click(TObject*)
{
    if (Form1)
        Form1->Core().Form2Button1Click();
}

PRAVIX_PUBLISH(TForm2)
