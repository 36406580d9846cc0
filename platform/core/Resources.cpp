#include "platform/core/Resources.h"

#include "platform/core/ResourceTable.h"
#include "platform/core/StrUtils.h"

bool ReadResource(const std::string& name, std::string& bytes)
{
    for (const TResourceEntry& entry : ResourceTable()) {
        if (SameText(entry.Name, name)) {
            bytes.assign(reinterpret_cast<const char*>(entry.Data), entry.Size);
            return true;
        }
    }
    return false;
}

std::vector<std::string> ResourceNames()
{
    std::vector<std::string> names;
    for (const TResourceEntry& entry : ResourceTable())
        names.emplace_back(entry.Name);
    return names;  // the generator emits the table sorted
}
