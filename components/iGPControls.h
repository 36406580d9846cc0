#pragma once
// Small routines for controls and forms, and the state of the modifier keys.

#include "platform/gui/Keys.h"  // GetShiftDown, GetCtrlDown, GetAltDown

class TComponent;
class TControl;
class TPageControl;
class TWinControl;

// Gives the control the keyboard focus directly, without the class library's checks.
void iSetFocus(TWinControl* Control);
// Puts the component (not its owned components) into the design state, as the editor
// forms do with the preview instance they edit.
void iSetDesigning(TComponent* Component);
// Centres Control vertically on Reference.
void iAlignVCenterControl(TControl* Reference, TControl* Control);
// Makes page Index the active page when it exists; otherwise nothing changes.
void SetActivePageIndex(TPageControl* PageControl, int Index);
// The index of the active page; -1 when there is none.
int GetActivePageIndex(TPageControl* PageControl);
// The first form up the component's owner chain (starting with its owner), else the last
// windowed control met on the way, else nullptr. The common dialogs use it as their parent.
TWinControl* GetCustomFormOwner(TComponent* Component);
