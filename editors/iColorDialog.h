#pragma once
// TiColorDialog: the colour dialog of the editors, starting from Color (a system colour shows
// as its RGB) with sixteen white custom colours.

#include "editors/EditorsLayer.h"

#include "platform/core/Component.h"
#include "platform/core/Types.h"

class TiColorDialog : public TComponent {
    PRAVIX_CLASS(TiColorDialog, TComponent)
public:
    explicit TiColorDialog(TComponent* owner);

    TColor Color() const { return m_color; }
    void SetColor(TColor value) { m_color = value; }

    // True, with the choice in Color, on OK.
    bool Execute();

private:
    TColor m_color = clBlack;
};
