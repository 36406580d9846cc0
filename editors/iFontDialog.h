#pragma once
// TiFontDialog: the font dialog of the editors. On OK the font takes the face, height, style
// (bold, italic, underline, strike-out) and colour chosen; the character set only when the
// face changed, so a font keeps its character set through a change of size or colour.

#include "editors/EditorsLayer.h"

#include "platform/core/Component.h"

#include <memory>

class TFont;

class TiFontDialog : public TComponent {
    PRAVIX_CLASS(TiFontDialog, TComponent)
public:
    explicit TiFontDialog(TComponent* owner);
    ~TiFontDialog() override;

    TFont* Font() const { return m_font.get(); }
    // Copies the font.
    void SetFont(TFont* value);

    bool Execute();

private:
    std::unique_ptr<TFont> m_font;
};
