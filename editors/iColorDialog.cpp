#include "editors/iColorDialog.h"

#include "platform/gui/Dialogs.h"

TiColorDialog::TiColorDialog(TComponent* owner) : TComponent(owner) {}

bool TiColorDialog::Execute()
{
    TColorRequest request;
    request.Color = m_color;
    request.CustomColors.fill(clWhite);
    if (!ExecuteColorDialog(request))
        return false;
    m_color = request.Color;
    return true;
}

PRAVIX_PUBLISH(TiColorDialog, Prop("Color", &TiColorDialog::Color, &TiColorDialog::SetColor).AsColor())
