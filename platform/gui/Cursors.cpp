#include "platform/gui/Cursors.h"

#include "platform/canvas/QtBridge_p.h"

#include <QGuiApplication>

namespace {
TCursor g_screenCursor = crDefault;
}

void SetScreenCursor(TCursor cursor)
{
    if (cursor == g_screenCursor)
        return;
    if (g_screenCursor != crDefault)
        QGuiApplication::restoreOverrideCursor();
    g_screenCursor = cursor;
    if (cursor != crDefault)
        QGuiApplication::setOverrideCursor(QCursor(CursorShapeFor(cursor)));
}

TCursor ScreenCursor() { return g_screenCursor; }

TScreenCursorGuard::TScreenCursorGuard(TCursor cursor) : m_previous(g_screenCursor) { SetScreenCursor(cursor); }

TScreenCursorGuard::~TScreenCursorGuard() { SetScreenCursor(m_previous); }
