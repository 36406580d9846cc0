#pragma once
// Every header of the visual platform layer (platform/canvas/, platform/gui/) includes this one
// first. Targets that link the visual layer are compiled with PRAVIX_VISUAL_LAYER; GUI-free
// code (platform/core/, the host's logic) is not, so a visual include there stops the build
// at once instead of turning into a hidden dependency.

#ifndef PRAVIX_VISUAL_LAYER
#error "GUI-free code includes a header of the visual platform layer; link platform_canvas or platform_gui to use it"
#endif
