#pragma once
// The grammar of the meter's data lines: TAB-separated numeric fields, dates and times,
// after an optional position-bound "QOVA_BB" prefix.

#include <array>
#include <string_view>

#include "app/core/HostState.h"

using FieldArray = std::array<double, kMaxColumns>;
using DateTimeNumbers = std::array<int, 3>;

// Results of ParseField.
namespace FieldKind {
constexpr int NotAField = 0, Number = 1, Time = -1, Date = -2, PackedDate = -3, PackedTime = -4;
}

constexpr int kMaxFieldLength = 199;

// One field with the slash and colon counts met in it; a date or time field stores its
// marker (its kind as a double) in value.
int ParseField(std::string_view text, int slashes, int colons, double& value, DateTimeNumbers& date,
               DateTimeNumbers& time);

// The number of fields, 0 when the line is not a data line. `alternate` is the Alternate
// Commands mode (first field a packed date, second a packed time).
int SplitDataLine(std::string_view line, bool alternate, FieldArray& values, DateTimeNumbers& date,
                  DateTimeNumbers& time);

struct HostContext;
// The data-line gate and store; true when the line was accepted as data.
bool ParseDataLine(HostContext& ctx, std::string_view line);
