#pragma once
// Internal to the platform layer: the published properties the standard controls share,
// so that each control lists its own set from the same groups. Their order is the order in
// which a control's properties are written to a form description and assigned when it is
// read back: saved descriptions, and the tests that compare them line by line, depend on it.

#include "platform/canvas/Graphics.h"
#include "platform/canvas/VisualLayer.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Menus.h"

#include <initializer_list>
#include <vector>

inline std::vector<TPropDecl> JoinProps(std::initializer_list<std::vector<TPropDecl>> groups)
{
    std::vector<TPropDecl> all;
    for (const auto& group : groups)
        all.insert(all.end(), group.begin(), group.end());
    return all;
}

// PRAVIX_PUBLISH for a class whose list is joined from groups.
#define PRAVIX_PUBLISH_GROUPS(Class, ...) PRAVIX_PUBLISH_LIST(Class, JoinProps({__VA_ARGS__}))

inline std::vector<TPropDecl> CaptionProps() { return {Prop("Caption", &TControl::Caption, &TControl::SetCaption)}; }

inline std::vector<TPropDecl> TextProps() { return {Prop("Text", &TControl::Text, &TControl::SetText)}; }

// Align, Anchors, Color, Constraints, Enabled, Font, PopupMenu, ShowHint, Visible.
inline std::vector<TPropDecl> VisualProps()
{
    return {
        Prop("Align", &TControl::Align, &TControl::SetAlign).Default(alNone),
        Prop("Anchors", &TControl::Anchors, &TControl::SetAnchors).Default(TAnchors{akLeft, akTop}),
        Prop("Color", &TControl::Color, &TControl::SetColor).AsColor(),
        Prop("Constraints", &TControl::Constraints, &TControl::SetConstraints).Owned(),
        Prop("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true),
        Prop("Font", &TControl::Font, &TControl::SetFont).Owned(),
        Prop("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu),
        Prop("ShowHint", &TControl::ShowHint, &TControl::SetShowHint).Default(false),
        Prop("Visible", &TControl::Visible, &TControl::SetVisible).Default(true),
    };
}

inline std::vector<TPropDecl> TabProps()
{
    return {
        Prop("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder),
        Prop("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop),
    };
}

inline std::vector<TPropDecl> MouseEventProps()
{
    return {
        Field("OnClick", &TControl::OnClick),         Field("OnDblClick", &TControl::OnDblClick),
        Field("OnMouseDown", &TControl::OnMouseDown), Field("OnMouseMove", &TControl::OnMouseMove),
        Field("OnMouseUp", &TControl::OnMouseUp),
    };
}

inline std::vector<TPropDecl> KeyEventProps()
{
    return {
        Field("OnEnter", &TWinControl::OnEnter),     Field("OnExit", &TWinControl::OnExit),
        Field("OnKeyDown", &TWinControl::OnKeyDown), Field("OnKeyPress", &TWinControl::OnKeyPress),
        Field("OnKeyUp", &TWinControl::OnKeyUp),
    };
}
