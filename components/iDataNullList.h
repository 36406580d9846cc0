#pragma once
// TiDataNullList: a growable list of value and status records with an optional ring mode
// (see iRingList.h).

#include "components/iRingList.h"
#include "components/iTypes.h"

struct TDataNull {
    double Value = 0;
    TiChannelDataSatus Status = icdsActual;
    friend bool operator==(const TDataNull&, const TDataNull&) = default;
};

class TiDataNullList : public TiRingList<TDataNull> {
public:
    // True when the list is a full ring and the oldest record was replaced.
    bool Add(const TDataNull& item) { return Append(item); }
};
