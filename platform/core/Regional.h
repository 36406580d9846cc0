#pragma once
// The user's regional settings: the one object that the library's display text follows
// (decimal and thousands separators, date and time formats and names). Files never use it:
// they are written with "." whatever the region.
//
// Date and time formats use the tokens of FormatDateTime; "/" and ":" in them stand for
// DateSeparator and TimeSeparator.

#include <array>
#include <string>
#include <string_view>

struct TFormatSettings {
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    char DateSeparator = '/';
    char TimeSeparator = ':';
    std::string ShortDateFormat = "m/d/yyyy";
    std::string LongTimeFormat = "hh:nn:ss";
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
    std::array<std::string, 12> ShortMonthNames;  // January first
    std::array<std::string, 12> LongMonthNames;
    std::array<std::string, 7> ShortDayNames;  // Sunday first
    std::array<std::string, 7> LongDayNames;

    // The fixed English set that tests pin: ".", ",", "/", ":", "m/d/yyyy", "hh:nn:ss".
    static TFormatSettings English();
    // The settings of a named locale ("de_DE"); an empty name means the user's locale. The C
    // locale gives the English set.
    static TFormatSettings FromLocale(std::string_view name);
};

// The current settings, taken from the user's locale at first use.
const TFormatSettings& Region();
void SetRegion(const TFormatSettings& settings);

// Pins the settings for a scope (the English set by default) and restores the previous ones.
class TRegionGuard {
public:
    explicit TRegionGuard(const TFormatSettings& settings = TFormatSettings::English());
    ~TRegionGuard();
    TRegionGuard(const TRegionGuard&) = delete;
    TRegionGuard& operator=(const TRegionGuard&) = delete;

private:
    TFormatSettings m_saved;
};
