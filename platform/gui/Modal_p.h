#pragma once
// Internal to the platform layer: the error box behind the exception boundary.

#include "platform/canvas/VisualLayer.h"
#include "platform/core/Types.h"

#include <string>

TModalResult ShowErrorBox(const std::string& caption, const std::string& text);
void CountBeep();
