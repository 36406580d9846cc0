#pragma once
// TiDoubleList: a growable list of doubles with an optional ring mode (see iRingList.h).

#include "components/iRingList.h"

class TiDoubleList : public TiRingList<double> {
public:
    void Add(double item) { Append(item); }
};
