#pragma once
// Plays a short script of user input on a control through the platform's input
// simulation, the way a user's keys and mouse arrive:
//
//     PlayInput(box, "down 5,5; move 40,5; up 40,5; key-down 32; key-up 32; blur");
//
// Steps: "down x,y" / "up x,y" (left button), "rdown x,y" / "rup x,y" (right button),
// "move x,y" (left button held), "click x,y", "dblclick x,y", "key-down vk", "key-up vk",
// "key vk" (down and up), "blur" (the focus leaves).

#include "platform/core/StrUtils.h"
#include "platform/gui/Controls.h"
#include "platform/gui/TestHooks.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

inline void PlayInputStep(TWinControl& control, const std::string& step)
{
    std::istringstream in(step);
    std::string verb;
    in >> verb;
    int a = 0, b = 0;
    char comma = 0;
    in >> a >> comma >> b;
    if (verb == "down")
        TestHooks::SendMouseDown(control, mbLeft, a, b);
    else if (verb == "up")
        TestHooks::SendMouseUp(control, mbLeft, a, b);
    else if (verb == "rdown")
        TestHooks::SendMouseDown(control, mbRight, a, b);
    else if (verb == "rup")
        TestHooks::SendMouseUp(control, mbRight, a, b);
    else if (verb == "move")
        TestHooks::SendMouseMove(control, a, b, {ssLeft});
    else if (verb == "click")
        TestHooks::SendClick(control, a, b);
    else if (verb == "dblclick")
        TestHooks::SendDoubleClick(control, a, b);
    else if (verb == "key-down")
        TestHooks::SendKeyDown(control, a);
    else if (verb == "key-up")
        TestHooks::SendKeyUp(control, a);
    else if (verb == "key")
        TestHooks::SendKey(control, a);
    else if (verb == "blur")
        TestHooks::SendFocus(control, false);
    else
        ADD_FAILURE() << "unknown input step '" << step << "'";
}

inline void PlayInput(TWinControl& control, const std::string& script)
{
    std::string rest = script;
    while (!rest.empty()) {
        const auto end = rest.find(';');
        const std::string step = Trim(rest.substr(0, end));
        if (!step.empty())
            PlayInputStep(control, step);
        rest = end == std::string::npos ? std::string() : rest.substr(end + 1);
    }
}
