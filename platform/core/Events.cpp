#include "Events.h"

std::atomic<EventAssignments::TCount> EventAssignments::s_count{0};
