#include "platform/core/Regional.h"

#include "platform/core/StrUtils.h"

#include <QLocale>
#include <QString>

namespace {

std::string ToText(const QString& s)
{
    return Utf16ToWin1252(std::u16string_view(reinterpret_cast<const char16_t*>(s.utf16()), size_t(s.size())));
}

// A separator must be one 8-bit character; anything else falls back to the English one.
char SeparatorChar(const QString& s, char fallback)
{
    const std::string text = ToText(s);
    return (text.size() == 1 && text[0] != '?') ? text[0] : fallback;
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Qt's date-time format tokens to the library's: M is the month, m the minute (n here),
// H the 24-hour clock, AP/ap/A/a the AM/PM strings (ampm here); t (time zone) has no
// counterpart and is dropped. Quoted literals pass unchanged.
std::string FromQtFormat(const QString& format)
{
    std::string out;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'\'') {
            const qsizetype end = format.indexOf(u'\'', i + 1);
            const qsizetype stop = end < 0 ? format.size() : end + 1;
            out += ToText(format.mid(i, stop - i));
            i = stop - 1;
        } else if (c == u'M') {
            out += 'm';
        } else if (c == u'm') {
            out += 'n';
        } else if (c == u'H') {
            out += 'h';
        } else if (c == u'A' || c == u'a') {
            if (i + 1 < format.size() && (format[i + 1] == u'P' || format[i + 1] == u'p'))
                ++i;
            out += "ampm";
        } else if (c != u't') {
            out += ToText(QString(c));
        }
    }
    return Trim(out);
}

// The first character between tokens is the locale's separator; it becomes the placeholder
// ("/" or ":") so that the format follows the separator setting.
char TakeSeparator(std::string& format, char placeholder)
{
    char separator = 0;
    bool quoted = false;
    for (char& c : format) {
        if (c == '\'' || c == '"') {
            quoted = !quoted;
        } else if (!quoted && !IsAsciiLetter(c)) {
            if (!separator && c != ' ')
                separator = c;
            if (c == separator)
                c = placeholder;
        }
    }
    return separator ? separator : placeholder;
}

TFormatSettings FromQLocale(const QLocale& locale)
{
    if (locale.language() == QLocale::C)
        return TFormatSettings::English();

    TFormatSettings s;
    s.DecimalSeparator = SeparatorChar(locale.decimalPoint(), '.');
    s.ThousandSeparator = SeparatorChar(locale.groupSeparator(), s.DecimalSeparator == ',' ? '.' : ',');
    s.ShortDateFormat = FromQtFormat(locale.dateFormat(QLocale::ShortFormat));
    s.DateSeparator = TakeSeparator(s.ShortDateFormat, '/');
    s.LongTimeFormat = FromQtFormat(locale.timeFormat(QLocale::LongFormat));
    s.TimeSeparator = TakeSeparator(s.LongTimeFormat, ':');
    s.TimeAMString = ToText(locale.amText());
    s.TimePMString = ToText(locale.pmText());
    for (int m = 1; m <= 12; ++m) {
        s.ShortMonthNames[m - 1] = ToText(locale.monthName(m, QLocale::ShortFormat));
        s.LongMonthNames[m - 1] = ToText(locale.monthName(m, QLocale::LongFormat));
    }
    for (int d = 0; d < 7; ++d) {
        const int qtDay = d == 0 ? 7 : d;  // Qt counts from Monday = 1 to Sunday = 7
        s.ShortDayNames[d] = ToText(locale.dayName(qtDay, QLocale::ShortFormat));
        s.LongDayNames[d] = ToText(locale.dayName(qtDay, QLocale::LongFormat));
    }
    return s;
}

TFormatSettings& Current()
{
    static TFormatSettings settings = TFormatSettings::FromLocale("");
    return settings;
}

}  // namespace

TFormatSettings TFormatSettings::English()
{
    TFormatSettings s;
    s.ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    s.LongMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                        "July",    "August",   "September", "October", "November", "December"};
    s.ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    s.LongDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    return s;
}

TFormatSettings TFormatSettings::FromLocale(std::string_view name)
{
    if (name.empty())
        return FromQLocale(QLocale::system());
    return FromQLocale(QLocale(QString::fromLatin1(name.data(), qsizetype(name.size()))));
}

const TFormatSettings& Region() { return Current(); }

void SetRegion(const TFormatSettings& settings) { Current() = settings; }

TRegionGuard::TRegionGuard(const TFormatSettings& settings) : m_saved(Region()) { SetRegion(settings); }

TRegionGuard::~TRegionGuard() { SetRegion(m_saved); }
