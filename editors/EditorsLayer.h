#pragma once
// Every header of the editors (editors/) includes this one first. The editors sit above the
// plot: the plot reaches an editor, dialog or preview only through the hooks the editors
// register when their library is loaded (plot/core/iPlotEditorHooks.h). Targets that link
// `editors` are compiled with PRAVIX_EDITORS_LAYER; the plot and everything below it are not,
// so an editors include there stops the build at once instead of turning into a dependency
// against the layering.

#ifndef PRAVIX_EDITORS_LAYER
#error "Code below the editors includes an editors header; only targets that link `editors` may use it"
#endif
