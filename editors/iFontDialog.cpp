#include "editors/iFontDialog.h"

#include "platform/canvas/Graphics.h"
#include "platform/core/StrUtils.h"
#include "platform/gui/Dialogs.h"

TiFontDialog::TiFontDialog(TComponent* owner) : TComponent(owner), m_font(std::make_unique<TFont>()) {}

TiFontDialog::~TiFontDialog() = default;

void TiFontDialog::SetFont(TFont* value)
{
    if (value)
        m_font->Assign(*value);
}

bool TiFontDialog::Execute()
{
    TFontData chosen = m_font->Data();
    if (!ExecuteFontDialog(chosen))
        return false;
    TFontData result = m_font->Data();
    if (!SameText(chosen.Name, result.Name))
        result.Charset = chosen.Charset;
    result.Color = chosen.Color;
    result.Name = chosen.Name;
    result.Height = chosen.Height;
    result.Style = chosen.Style;
    m_font->SetData(result);
    return true;
}

PRAVIX_PUBLISH(TiFontDialog, Prop("Font", &TiFontDialog::Font, &TiFontDialog::SetFont).Owned())
