#pragma once
// Number routines of the components: decimals and automatic ranges of axis scales,
// integer text in decimal, hexadecimal, binary and octal, and the length of date-time
// spans in whole time units for the choice of date-time tick steps.

#include "components/iTypes.h"
#include "platform/core/DateTime.h"

#include <cstdint>
#include <string>

// Decimals for a scale from Min to Max: Precision itself for fixed decimals; for
// significant digits Precision - (Trunc(Log10(span)) + 1), plus 1 for a span below 1 (a span
// of 0 counts as 0 + 1), never below 0; 0 when Precision <= 0.
int GetDecimalPoints(double Min, double Max, int Precision, TiPrecisionStyle Style);
// Value with GetDecimalPoints(Span, 0, Precision, Style) decimals in the region's format.
std::string iFormatPrecisionStyle(double Value, double Span, int Precision, TiPrecisionStyle Style);

// "b..." binary, "o..." octal (lower-case prefixes; each character converted as a decimal
// digit and weighted by its place, so "b2" is 2), anything else a decimal integer. A
// character that is no decimal digit raises EConvertError. Results wrap to 32 bits.
int iStrToInt(const std::string& S);
// Decimal, 8 hexadecimal (upper case), 32 binary or 11 octal digits of the value with the
// leading zeros removed, then zero-padded to Digits when LeadingZeros; never empty.
std::string iIntToStr(std::uint32_t Value, TiIntegerFormatStyle Style, int Digits, bool LeadingZeros);

// A range holding Min..Max (it may grow) with round ticks: NewMin, NewMax and the tick
// count nearest DesiredTicks that gives a round step, at most MaxTicks.
void GetAutoScaleValuesAdjustable(double Min, double Max, int DesiredTicks, int MaxTicks, double& NewMin,
                                  double& NewMax, int& TickCount);
// Round ticks inside Min..Max: the widest round range within it.
void GetAutoScaleValuesFixed(double Min, double Max, int DesiredTicks, int MaxTicks, double& NewMin, double& NewMax,
                             int& TickCount);

// Whole milliseconds, seconds, minutes or hours of a span in days (whole days plus the time
// of day, read from the absolute fraction as a time is decoded), saturating at 2147483647.
// A negative total gives 2147483647, for DateToMinutes 10000.
int DateToMilliSeconds(TDateTime Span);
int DateToSeconds(TDateTime Span);
int DateToMinutes(TDateTime Span);
int DateToHours(TDateTime Span);

void iDecodeDate(TDateTime DateTime, int& Year, int& Month, int& Day);
