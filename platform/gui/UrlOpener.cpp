#include "platform/gui/UrlOpener.h"

#include "platform/canvas/QtBridge_p.h"
#include "platform/gui/TestHooks.h"

#include <QDesktopServices>
#include <QUrl>

bool OpenUrl(const std::string& url)
{
    if (auto* script = TestHooks::TUrlOpenerScript::Active()) {
        script->Opened.push_back(url);
        return !script->OnOpen || script->OnOpen(url);
    }
    const QUrl address = QUrl::fromUserInput(ToQString(url));
    if (url.empty() || !address.isValid())
        return false;
    return QDesktopServices::openUrl(address);
}
