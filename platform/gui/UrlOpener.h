#pragma once
// Opening a web address in the desktop's default browser.

#include "platform/canvas/VisualLayer.h"

#include <string>

// Hands the address to the desktop's URL opener as one argument: no shell and no command
// line take part, so blanks and shell characters stay part of the address. An address
// without a scheme ("www.example.com") is taken as a web address. False when the address
// is empty or malformed or no program took it. Tests intercept it (TestHooks::TUrlOpenerScript).
bool OpenUrl(const std::string& url);
