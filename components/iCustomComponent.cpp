#include "components/iCustomComponent.h"

PRAVIX_PUBLISH(TiCustomComponent)

TiCustomComponent::TiCustomComponent(TComponent* owner) : TiVCLComponent(owner) {}
