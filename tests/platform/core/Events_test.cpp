#include "platform/core/Events.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace {

struct TListener {
    int Heard = 0;
    void Hear(TObject*) { ++Heard; }
};

}  // namespace

// Whoever keeps an answer about what events are bound to asks again once the assignment
// count moved: every way of assigning an event must move it, and making a new event must not.
TEST(EventAssignments, EveryAssignmentMovesTheCountAndNoConstructionDoes)
{
    TListener listener;
    const TNotifyEvent bound = TNotifyEvent::Bind(&listener, &TListener::Hear);
    struct Case {
        const char* Name;
        std::function<void(TNotifyEvent&)> Do;
        int Moves;
    };
    const Case cases[] = {
        {"copy assignment", [&](TNotifyEvent& e) { e = bound; }, 1},
        {"move assignment", [&](TNotifyEvent& e) { e = TNotifyEvent(bound); }, 1},
        {"a lambda", [](TNotifyEvent& e) { e = [](TObject*) {}; }, 1},
        {"nullptr", [](TNotifyEvent& e) { e = nullptr; }, 1},
        // Assigning what is already there still counts: the count says "look again", and
        // telling equal bindings apart would cost more than the look.
        {"the same binding again", [&](TNotifyEvent& e) { e = bound, e = bound; }, 2},
        {"a copy made", [&](TNotifyEvent& e) { TNotifyEvent copy(e); }, 0},
        {"a move made", [&](TNotifyEvent& e) { TNotifyEvent moved(std::move(e)); }, 0},
        {"a call", [](TNotifyEvent& e) { e(nullptr); }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TNotifyEvent event = bound;
        const EventAssignments::TCount before = EventAssignments::Count();
        c.Do(event);
        EXPECT_EQ(EventAssignments::Count() - before, EventAssignments::TCount(c.Moves));
    }
}
