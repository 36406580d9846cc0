#include "app/FormResource.h"

#include "platform/Exceptions.h"
#include "platform/Resources.h"

std::string FormResource(const std::string& name)
{
    std::string text;
    if (!ReadResource(name, text))
        throw Exception("The form description " + name + " is missing from the program.");
    return text;
}
