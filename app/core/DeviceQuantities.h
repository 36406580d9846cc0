#pragma once
// What each quantity a device file can name means to the host: the keyword that introduces
// its line, how the line gives its column, and how its values are titled on the plot and
// headed in the engineering record.

#include <string>

#include "platform/core/Types.h"

// Kinds of device-file lines that set a parameter rather than name a column type.
constexpr int kWaterPureLine = -1, kWaterSeaLine = -2;
constexpr int kNoKeyword = -3;

struct DeviceKeyword {
    const char* Text = nullptr;
    int Chars = 0;  // compared over its first Chars characters, without regard to case
};

enum class ColumnForm {
    None,        // a parameter line: names no column
    Calibrated,  // "n scale offset"
    Plain,       // "n": scale 1, offset 0
    Own,         // read by a rule of its own (column count, lambdas, PAR)
};

struct DeviceQuantity {
    int Type;  // its type code, or the kind of a parameter line
    DeviceKeyword Keyword, Alias;
    ColumnForm Form;
    const char* RawName;  // its name in raw-mode titles; null: no raw-mode title
    TColor PlotColor;
    const char* PlotTitle;     // first title of its plot channel; null: it gets no channel
    const char* EngrTitle;     // engineering-mode title, formatting the value; null: none
    const char* RecordHeader;  // its heading in the engineering record; null: none
};

// The row of a type code or line kind; null when none has one.
const DeviceQuantity* QuantityOf(int type);
// The kind of a device-file line by its keyword, kNoKeyword for any other line.
int KeywordKind(const std::string& line);
// Every row, for checks over the whole table.
const DeviceQuantity* QuantitiesBegin();
const DeviceQuantity* QuantitiesEnd();
