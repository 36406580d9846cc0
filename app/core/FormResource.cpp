#include "app/core/FormResource.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Resources.h"

std::string FormResource(const std::string& name)
{
    std::string text;
    if (!ReadResource(name, text))
        throw Exception("The form description " + name + " is missing from the program.");
    return text;
}
