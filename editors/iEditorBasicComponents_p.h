#pragma once
// Internal to the editor toolkit: the keyboard contract its controls share.

#include "editors/EditorsLayer.h"

#include "platform/core/Types.h"

class TWinControl;

// Tab and Shift+Tab move the focus from the control through its form (the owner when that is
// a form, else the form the control sits on), skipping controls that are no tab stops; the
// key is consumed. With keepDialogKeys Enter and Escape are consumed as well, so that they
// never reach the form's default or cancel button.
void ToolkitKeyDown(TWinControl& control, int& key, TShiftState shift, bool keepDialogKeys);
// The characters those keys type are consumed alike (the focus has moved on already).
void ToolkitKeyPress(char& key, bool keepDialogKeys);
