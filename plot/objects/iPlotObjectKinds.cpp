#include "plot/objects/iPlotObjectKinds.h"

// The registrations themselves ran when the library was loaded; the call is what links it.
void LinkPlotObjectKinds() {}
