#pragma once
// The screen-wide cursor: set at once for the whole application (e.g. the hourglass during a
// long operation) and restored on every exit path by the guard.

#include "platform/canvas/VisualLayer.h"
#include "platform/core/Types.h"

// crDefault removes the override.
void SetScreenCursor(TCursor cursor);
TCursor ScreenCursor();

class TScreenCursorGuard {
public:
    explicit TScreenCursorGuard(TCursor cursor);
    ~TScreenCursorGuard();
    TScreenCursorGuard(const TScreenCursorGuard&) = delete;
    TScreenCursorGuard& operator=(const TScreenCursorGuard&) = delete;

private:
    TCursor m_previous;
};
