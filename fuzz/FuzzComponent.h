#pragma once
// The smallest concrete component of the library: its background, border and one line, so
// that the properties and schemes read into it reach a real paint.

#include "components/iCustomComponent.h"

class TFuzzComponent : public TiCustomComponent {
    PRAVIX_CLASS(TFuzzComponent, TiCustomComponent)
public:
    explicit TFuzzComponent(TComponent* owner) : TiCustomComponent(owner) {}
    void iPaintTo(TCanvas& canvas) override;
};
