#pragma once
// Internal to the platform layer: the state behind a control.

#include "platform/canvas/Graphics.h"
#include "platform/canvas/VisualLayer.h"
#include "platform/gui/ControlBridge_p.h"
#include "platform/gui/Controls.h"

#include <QPointer>
#include <QWidget>

#include <memory>

struct TControl::Private {
    QPointer<QWidget> widget;
    std::unique_ptr<ControlBridge> bridge;
    TWinControl* parent = nullptr;
    TRect bounds{0, 0, 0, 0};
    bool visible = true;
    bool enabled = true;
    TAlign align = alNone;
    TAnchors anchors{akLeft, akTop};
    // Where a control anchored otherwise than left and top stands in its parent, taken when it
    // was placed (UpdateAnchorRules): per direction the size when anchored to both edges, the
    // near edge when anchored to the far one only, the centre when anchored to neither; and the
    // parent's client size then. Unanchored: the parent's realignment leaves it alone.
    bool anchored = false;
    TPoint anchorRules{0, 0};
    TPoint originalParentSize{0, 0};
    TSizeConstraints constraints;
    TCursor cursor = crDefault;
    std::string hint;
    bool showHint = false;
    TColor color = clBtnFace;
    TPopupMenu* popupMenu = nullptr;
    TFont font;
    std::string caption;
    int repaintRequests = 0;
    bool pressed = false;  // a left press waits for its release (click)
};
