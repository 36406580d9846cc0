#pragma once
// TiGotoURL: opens a web address in the desktop's default browser.

#include "platform/core/Component.h"
#include "platform/core/Reflection.h"
#include "platform/core/Registry.h"

#include <string>

// How the browser window should appear. The desktop's URL opener decides that itself, so
// the value is accepted for the callers' sake and has no effect.
PRAVIX_ENUM(TiURLShowCommand, ssHide, ssMaximize, ssMinimize, ssRestore, ssShow, ssShowDefault, ssShowMaximized,
            ssShowMinimized, ssShowMinNoActivate, ssShowNA, ssShowNoActivate, ssShowNormal)

class TiGotoURL : public TObject {
    PRAVIX_CLASS(TiGotoURL, TObject)
public:
    TiGotoURL() = default;

    // Reads the default value of SubKey under RootKey into Value ("" when the key has
    // none). The result is 0 when the key opened, else 2 (not found) and Value is left alone.
    int RegKey(TRegistryRoot RootKey, const std::string& SubKey, std::string& Value);
    // Opens URL in the default browser, handing it over as one argument (no shell, no
    // command line). Raises "Couldn't launch default browser" when no browser took it.
    void Connect(const std::string& URL, TiURLShowCommand ShowCommand);
};
