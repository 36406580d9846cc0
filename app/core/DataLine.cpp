#include "app/core/DataLine.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string>

#include "app/core/CFormat.h"
#include "app/core/HostContext.h"
#include "app/core/MeterProtocol.h"

namespace {

constexpr char kPrefix[] = "QOVA_B";

bool IsFieldChar(char c) { return (c >= '0' && c <= '9') || c == '-' || c == '.'; }

// A whole number of up to 15 digits, as most of the meter's fields are: exact as a double,
// so read digit by digit it is what from_chars and sscanf make of it.
bool ReadWholeNumber(std::string_view text, double& value)
{
    const bool negative = !text.empty() && text[0] == '-';
    const std::size_t first = negative ? 1 : 0;
    if (text.size() == first || text.size() - first > 15)
        return false;
    std::uint64_t n = 0;
    for (std::size_t i = first; i < text.size(); ++i) {
        const auto digit = unsigned(text[i] - '0');
        if (digit > 9)
            return false;
        n = n * 10 + digit;
    }
    value = negative ? -double(n) : double(n);
    return true;
}

// A number field as sscanf's "%lf" reads it. Fields of the meter's own characters go through
// from_chars, which reads them alike (the longest decimal prefix, correctly rounded) at a
// fraction of the cost; anything else, and anything from_chars refuses, keeps sscanf's reading
// (its spaces, '+' signs, hexadecimal and range handling).
bool ReadNumber(std::string_view text, double& value)
{
    if (ReadWholeNumber(text, value))
        return true;
    if (!text.empty() && std::all_of(text.begin(), text.end(), IsFieldChar)) {
        if (std::from_chars(text.data(), text.data() + text.size(), value).ec == std::errc())
            return true;
    }
    return std::sscanf(std::string(text).c_str(), "%lf", &value) == 1;
}

// Three plain numbers, of 1 to 9 digits each, split by the separator (0: three pairs of
// digits and nothing else), as the meter writes dates and times. These are read directly;
// false leaves any other shape to sscanf.
bool ReadPlainTriple(std::string_view text, char separator, DateTimeNumbers& out)
{
    const char* at = text.data();
    const char* end = at + text.size();
    for (int i = 0; i < 3; ++i) {
        if (i > 0 && separator != 0 && (at == end || *at++ != separator))
            return false;
        const char* stop = separator != 0 ? std::min(end, at + 9) : std::min(end, at + 2);
        const char* begin = at;
        while (at < stop && *at >= '0' && *at <= '9')
            ++at;
        if (at == begin || (separator == 0 && at - begin != 2))
            return false;
        std::from_chars(begin, at, out[std::size_t(i)]);
    }
    return at == end;
}

bool Scan3(std::string_view text, const char* format, char separator, DateTimeNumbers& out)
{
    if (DateTimeNumbers plain{}; ReadPlainTriple(text, separator, plain)) {
        out = plain;
        return true;
    }
    int a, b, c;
    if (std::sscanf(std::string(text).c_str(), format, &a, &b, &c) != 3)
        return false;
    out = {a, b, c};
    return true;
}

bool IsReferenceType(int t) { return (t >= 16 && t <= 24) || (t >= 31 && t <= 36) || t == 38 || t == 53; }

bool IsPlainValueType(int t)
{
    return (t >= 7 && t <= 15) || (t >= 25 && t <= 30) || t == 37 || t == 51 || t == 52 || (t >= 54 && t <= 60);
}

void StoreByType(HostState& s)
{
    for (const auto [col, t] : s.QuantityColumns()) {
        double v = s.FieldValues[std::size_t(col)];
        if (IsPlainValueType(t)) {
            s.TypeValue[t] = v;
        } else if (IsReferenceType(t)) {
            s.TypeValue[t] = v;
            if (s.Device.RefBaseline[t] > 9999.0)  // the first reading after a device-file load
                s.Device.RefBaseline[t] = v;
        } else if (t == TypeCode::ITemp || t == TypeCode::XTemp || t == TypeCode::Pressure) {
            s.TypeValue[t] = v;
            (t == TypeCode::ITemp ? s.RawITemp : t == TypeCode::XTemp ? s.RawXTemp : s.RawPres) = v;
        }
    }
}

}  // namespace

int ParseField(std::string_view text, int slashes, int colons, double& value, DateTimeNumbers& date,
               DateTimeNumbers& time)
{
    if (slashes == 0 && colons == 0)
        return ReadNumber(text, value) ? FieldKind::Number : FieldKind::NotAField;
    int kind = FieldKind::NotAField;
    if (colons == 2)
        kind = Scan3(text, "%d:%d:%d", ':', time) ? FieldKind::Time : FieldKind::NotAField;
    else if (slashes == 2)
        kind = Scan3(text, "%d/%d/%d", '/', date) ? FieldKind::Date : FieldKind::NotAField;
    else if (slashes == 99 && colons == 99)
        kind = Scan3(text, "%2d%2d%2d", 0, date) ? FieldKind::PackedDate : FieldKind::NotAField;
    else if (slashes == 0 && colons == 99)
        kind = Scan3(text, "%2d%2d%2d", 0, time) ? FieldKind::PackedTime : FieldKind::NotAField;
    if (kind != FieldKind::NotAField)
        value = kind;
    return kind;
}

int SplitDataLine(std::string_view line, bool alternate, FieldArray& values, DateTimeNumbers& date,
                  DateTimeNumbers& time)
{
    int slashes = alternate ? 99 : 0;
    int colons = alternate ? 99 : 0;
    int count = 0;
    // A field is read where it stands in the line; only a prefix letter that splits it (they
    // are left out wherever they stand) has its pieces joined here.
    std::string joined;
    bool split = false;
    std::size_t pos = 0;
    for (;;) {
        std::size_t run = pos;  // the start of the field's piece not yet joined
        for (; pos < line.size() && line[pos] != '\t'; ++pos) {
            const char c = line[pos];
            const bool prefixLetter = pos < 6 && c == kPrefix[pos];
            if (prefixLetter || (c == 'B' && pos == 6)) {
                if (!prefixLetter)
                    date[0] = 99;  // the meter gives no date
                if (pos > run) {
                    joined.append(line, run, pos - run);
                    split = true;
                }
                run = pos + 1;
            } else if (c == ':') {
                ++colons;
            } else if (c == '/') {
                ++slashes;
            } else if (!IsFieldChar(c)) {
                return 0;
            }
        }
        std::string_view field = line.substr(run, pos - run);
        if (split) {
            joined.append(field);
            field = joined;
        }
        // More fields than columns, or a field longer than any number, is not a data line.
        if (count >= kMaxColumns || int(field.size()) > kMaxFieldLength)
            return 0;
        double v = 0;
        if (ParseField(field, slashes, colons, v, date, time) == FieldKind::NotAField)
            return 0;
        values[count++] = v;
        if (pos == line.size())
            return count;
        ++pos;  // past the TAB
        joined.clear();
        split = false;
        if (!alternate)
            slashes = colons = 0;
        else if (slashes > 0)
            slashes = 0;
        else
            colons = 0;
    }
}

bool ParseDataLine(HostContext& ctx, std::string_view line)
{
    HostState& s = ctx.s;
    DateTimeNumbers date{1, 1, 1}, time{15, 15, 15};
    FieldArray values{};
    int n = SplitDataLine(line, s.EarlyCommands, values, date, time);

    if (n != s.Device.ExpectedColumns && !s.DevicePath.empty()) {
        if (n == 0)
            return false;
        if (s.MismatchCount++ == 5)
            ctx.ShowWarning(
                "Possible Mis-Match between Device File and Meter",
                CFormat("Execution Error - Columns found %d != Columns Expected %d", n, s.Device.ExpectedColumns));
        return false;
    }

    std::copy(values.begin(), values.begin() + n, s.FieldValues.begin());
    StoreByType(s);
    s.MismatchCount = 0;
    ReadHostClock(ctx);
    s.MeterDate = date;
    s.MeterTime = time;

    s.LineCounter += 1;
    if (s.LineCounter < s.FirstLineCounter)
        s.FirstLineCounter = s.LineCounter;
    if (!(s.FirstLineCounter > 0))
        s.FirstLineCounter = s.LineCounter;
    s.SampleX = date[0] == 99 ? s.LineCounter : s.LineCounter - s.FirstLineCounter;
    return true;
}
