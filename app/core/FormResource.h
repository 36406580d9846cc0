#pragma once
// The stored layout of one of the host's forms, compiled in from resources/forms/.

#include <string>

// Raises when the program was built without it.
std::string FormResource(const std::string& name);
