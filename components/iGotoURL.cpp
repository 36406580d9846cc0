#include "components/iGotoURL.h"

#include "platform/core/Exceptions.h"
#include "platform/gui/UrlOpener.h"

PRAVIX_PUBLISH(TiGotoURL)

namespace {

constexpr int ERROR_FILE_NOT_FOUND_CODE = 2;

}  // namespace

int TiGotoURL::RegKey(TRegistryRoot RootKey, const std::string& SubKey, std::string& Value)
{
    const auto key = OpenKey(RootKey, SubKey, false);
    if (!key)
        return ERROR_FILE_NOT_FOUND_CODE;
    Value = key->ReadString("");
    return 0;
}

void TiGotoURL::Connect(const std::string& URL, TiURLShowCommand)
{
    if (!OpenUrl(URL))
        throw Exception("Couldn't launch default browser");
}
