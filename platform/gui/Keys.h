#pragma once
// Keyboard: Windows virtual-key numbers as key events report them, and the state of the
// modifier keys now (injectable in tests through TestHooks::SetKeyboardState).

#include "platform/canvas/VisualLayer.h"

constexpr int VK_BACK = 8;
constexpr int VK_TAB = 9;
constexpr int VK_RETURN = 13;
constexpr int VK_SHIFT = 16;
constexpr int VK_CONTROL = 17;
constexpr int VK_MENU = 18;
constexpr int VK_ESCAPE = 27;
constexpr int VK_SPACE = 32;
constexpr int VK_PRIOR = 33;
constexpr int VK_NEXT = 34;
constexpr int VK_END = 35;
constexpr int VK_HOME = 36;
constexpr int VK_LEFT = 37;
constexpr int VK_UP = 38;
constexpr int VK_RIGHT = 39;
constexpr int VK_DOWN = 40;
constexpr int VK_INSERT = 45;
constexpr int VK_DELETE = 46;
constexpr int VK_APPS = 93;
constexpr int VK_NUMPAD0 = 96;
constexpr int VK_F1 = 112;
constexpr int VK_F10 = 121;
constexpr int VK_F12 = 123;

bool GetShiftDown();
bool GetCtrlDown();
bool GetAltDown();
