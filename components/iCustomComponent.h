#pragma once
// TiCustomComponent: the class the library's concrete components derive from. It adds
// nothing to TiVCLComponent; it marks the point where a component's own properties begin.

#include "components/iVCLComponent.h"

class TiCustomComponent : public TiVCLComponent {
    PRAVIX_CLASS(TiCustomComponent, TiVCLComponent)
public:
    explicit TiCustomComponent(TComponent* owner);
};
