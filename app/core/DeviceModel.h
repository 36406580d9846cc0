#pragma once
// The device record a device file defines, built aside while a file is read and committed to
// the state only when the whole file is valid.

#include "app/core/HostState.h"

struct DeviceModel {
    DeviceRecord Record;
    // What the window shows once the load succeeds.
    bool ShowParPage = false;
    bool ParImRead = false, ParA0Read = false, ParA1Read = false;
    int Lambdas = 0;  // "Lambda=" lines read so far

    explicit DeviceModel(const DeviceRecord& current);  // the reset record; parameters kept from current
    void Commit(HostState& s) const;
};
