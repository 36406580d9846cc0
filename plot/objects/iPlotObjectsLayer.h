#pragma once
// Every header of the plot's objects (plot/objects/) includes this one first. Targets that link
// plot_objects are compiled with PRAVIX_PLOT_OBJECTS_LAYER; the plot's core (plot/core/) is
// not, so an object header included there stops the build instead of closing a circle between
// the layers.

#ifndef PRAVIX_PLOT_OBJECTS_LAYER
#error "The plot's core includes a header of its objects; only plot_objects and the layers above it may"
#endif
