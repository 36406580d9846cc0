#pragma once
// Every header of the plot control (plot/control/) includes this one first. Targets that link
// the plot library are compiled with PRAVIX_PLOT_CONTROL_LAYER; the plot's core and objects are
// not, so a control header included there stops the build: objects reach the control only
// through IPlotHost.

#ifndef PRAVIX_PLOT_CONTROL_LAYER
#error "The plot's core or objects include a header of the plot control; reach it through IPlotHost"
#endif
