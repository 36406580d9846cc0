#include "FuzzComponent.h"

PRAVIX_PUBLISH(TFuzzComponent)

void TFuzzComponent::iPaintTo(TCanvas& canvas)
{
    DrawBackGround(canvas, BackGroundColor());
    canvas.MoveTo(0, 0);
    canvas.LineTo(Width(), Height());
    DrawBorder(canvas);
}
