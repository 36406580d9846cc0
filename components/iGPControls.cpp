#include "components/iGPControls.h"

#include "platform/gui/ComCtrls.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Forms.h"

void iSetFocus(TWinControl* Control)
{
    if (Control)
        Control->SetFocus();
}

void iSetDesigning(TComponent* Component) { Component->SetComponentState(csDesigning, true); }

void iAlignVCenterControl(TControl* Reference, TControl* Control)
{
    Control->SetTop(Reference->Top() + Reference->Height() / 2 - Control->Height() / 2);
}

void SetActivePageIndex(TPageControl* PageControl, int Index)
{
    if (Index >= 0 && Index < PageControl->PageCount())
        PageControl->SetActivePage(PageControl->Pages(Index));
}

int GetActivePageIndex(TPageControl* PageControl)
{
    const TTabSheet* active = PageControl->ActivePage();
    for (int i = 0; i < PageControl->PageCount(); ++i)
        if (PageControl->Pages(i) == active)
            return i;
    return -1;
}

TWinControl* GetCustomFormOwner(TComponent* Component)
{
    TWinControl* windowed = nullptr;
    for (TComponent* owner = Component ? Component->Owner() : nullptr; owner; owner = owner->Owner()) {
        if (auto* form = dynamic_cast<TForm*>(owner))
            return form;
        if (auto* control = dynamic_cast<TWinControl*>(owner))
            windowed = control;
    }
    return windowed;
}
