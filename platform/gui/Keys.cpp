#include "platform/gui/Keys.h"

#include "platform/canvas/QtBridge_p.h"
#include "platform/gui/TestHooks.h"

#include <QGuiApplication>

namespace {

std::optional<TShiftState> g_injected;

bool ModifierDown(TShiftStateElement element, Qt::KeyboardModifier modifier)
{
    if (g_injected)
        return g_injected->count(element) > 0;
    return QGuiApplication::instance() && (QGuiApplication::queryKeyboardModifiers() & modifier);
}

}  // namespace

bool GetShiftDown() { return ModifierDown(ssShift, Qt::ShiftModifier); }
bool GetCtrlDown() { return ModifierDown(ssCtrl, Qt::ControlModifier); }
bool GetAltDown() { return ModifierDown(ssAlt, Qt::AltModifier); }

void TestHooks::SetKeyboardState(std::optional<TShiftState> state) { g_injected = std::move(state); }
