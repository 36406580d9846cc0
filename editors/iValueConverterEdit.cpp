#include "editors/iValueConverterEdit.h"

#include "platform/core/Clock.h"
#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Resources.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/StdCtrls.h"

#include <cmath>

namespace {

// Above this a value is taken for a date-time of which only the time of day matters.
constexpr double kLargestInterval = 1e14;
// Below this a double holds every integer, so a price splits exactly into its parts.
constexpr double kExactIntegers = 9007199254740992.0;  // 2^53

// The whole part, never a negative zero (shown as "-0").
double WholePart(double value) { return std::trunc(value) + 0.0; }

std::string FormDescription()
{
    std::string text;
    if (!ReadResource("iValueConverterEdit", text))
        throw Exception("The form description iValueConverterEdit is missing from the program.");
    return text;
}

}  // namespace

TiValueConverterEditForm::TiValueConverterEditForm(TComponent* owner) : TiCustomEditorForm(owner)
{
    OnCreate = TNotifyEvent::Bind(this, &TiValueConverterEditForm::FormCreate);
    ReadDescription(FormDescription());
}

TiComponentEditorEdit* TiValueConverterEditForm::Edit(const char* name) const
{
    return FindControl<TiComponentEditorEdit>(name);
}

void TiValueConverterEditForm::FormCreate(TObject*)
{
    using Handler = void (TiValueConverterEditForm::*)(TObject*);
    struct Binding {
        const char* Control;
        Handler Run;
    };
    // Committed edits.
    static constexpr Binding kUpdates[] = {
        {"WeeksEdit", &TiValueConverterEditForm::WeeksChange},
        {"DaysEdit", &TiValueConverterEditForm::TimeChange},
        {"HoursEdit", &TiValueConverterEditForm::TimeChange},
        {"MinutesEdit", &TiValueConverterEditForm::TimeChange},
        {"SecondsEdit", &TiValueConverterEditForm::TimeChange},
        {"MilliSecondsEdit", &TiValueConverterEditForm::TimeChange},
        {"PriceIntegerEdit", &TiValueConverterEditForm::Price32Change},
        {"Price32ndsEdit", &TiValueConverterEditForm::Price32Change},
        {"Price256thsEdit", &TiValueConverterEditForm::Price32Change},
        {"ValueEdit", &TiValueConverterEditForm::ValueEditChange},
    };
    static constexpr Binding kClicks[] = {
        {"SetNowButton", &TiValueConverterEditForm::SetNowButtonClick},
        {"iComponentEditorButton1", &TiValueConverterEditForm::iComponentEditorButton1Click},
    };
    for (const Binding& b : kUpdates)
        Edit(b.Control)->OnUpdate = TNotifyEvent::Bind(this, b.Run);
    for (const Binding& b : kClicks)
        FindControl<TControl>(b.Control)->OnClick = TNotifyEvent::Bind(this, b.Run);
    m_pageControl = FindControl<TiComponentEditorPageControl>("PageControl");
    m_valueEdit = Edit("ValueEdit");
    m_dateRangeLabel = FindControl<TLabel>("DateRangeLabel");
    m_datePicker = CreatePicker(dtkDate, "DatePicker", "DateLabel");
    m_timePicker = CreatePicker(dtkTime, "TimePicker", "TimeLabel");
}

// Each picker stands 5 pixels right of its label, 3 pixels above the label's top.
TDateTimePicker* TiValueConverterEditForm::CreatePicker(TDateTimeKind kind, const char* name, const char* labelName)
{
    const TLabel* label = FindControl<TLabel>(labelName);
    auto* picker = new TDateTimePicker(this);
    picker->SetName(name);
    picker->SetKind(kind);
    picker->SetParent(label->Parent());
    picker->SetBounds(label->Left() + label->Width() + 5, label->Top() - 3, 137, picker->Height());
    picker->OnChange = TNotifyEvent::Bind(this, &TiValueConverterEditForm::DateTimePickerChange);
    return picker;
}

void TiValueConverterEditForm::SetValue(double value)
{
    const double v = value > kLargestInterval ? value - std::trunc(value) : value;
    const double days = WholePart(v);
    m_valueEdit->SetAsFloat(value);

    const bool dateShown = IsPickerDateTime(days);
    if (dateShown) {
        m_datePicker->SetDateTime(days);
        m_timePicker->SetDateTime(v - days);
    }
    m_dateRangeLabel->SetVisible(!dateShown);

    int hour = 0, minute = 0, second = 0, millisecond = 0;
    DecodeTime(v, hour, minute, second, millisecond);
    Edit("DaysEdit")->SetAsFloat(days);
    Edit("WeeksEdit")->SetAsFloat(WholePart(days / 7));
    Edit("HoursEdit")->SetAsInteger(hour);
    Edit("MinutesEdit")->SetAsInteger(minute);
    Edit("SecondsEdit")->SetAsInteger(second);
    Edit("MilliSecondsEdit")->SetAsInteger(millisecond);

    if (std::fabs(value) < kExactIntegers) {
        const double whole = WholePart(value);
        const double fraction = value - whole;
        const double n32 = WholePart(fraction / 0.03125);
        Edit("PriceIntegerEdit")->SetAsFloat(whole);
        Edit("Price32ndsEdit")->SetAsFloat(n32);
        Edit("Price256thsEdit")->SetAsFloat(WholePart((fraction - n32 / 32) / 0.00390625));
    }
}

double TiValueConverterEditForm::GetValue() const { return m_valueEdit->GetAsFloat(); }

double TiValueConverterEditForm::EditedTimeOfDay() const
{
    return EncodeTime(Edit("HoursEdit")->GetAsInteger(), Edit("MinutesEdit")->GetAsInteger(),
                      Edit("SecondsEdit")->GetAsInteger(), Edit("MilliSecondsEdit")->GetAsInteger());
}

void TiValueConverterEditForm::TimeChange(TObject*)
{
    m_valueEdit->SetAsFloat(std::trunc(Edit("DaysEdit")->GetAsFloat()) + EditedTimeOfDay());
    SetValue(GetValue());
}

// The days edit plays no part: the weeks give the whole days.
void TiValueConverterEditForm::WeeksChange(TObject*)
{
    m_valueEdit->SetAsFloat(7 * std::trunc(Edit("WeeksEdit")->GetAsFloat()) + EditedTimeOfDay());
    SetValue(GetValue());
}

void TiValueConverterEditForm::Price32Change(TObject*)
{
    m_valueEdit->SetAsFloat(std::trunc(Edit("PriceIntegerEdit")->GetAsFloat()) +
                            Edit("Price32ndsEdit")->GetAsInteger() / 32.0 +
                            Edit("Price256thsEdit")->GetAsInteger() / 256.0);
}

void TiValueConverterEditForm::DateTimePickerChange(TObject*)
{
    const double date = m_datePicker->DateTime();
    const double time = m_timePicker->DateTime();
    m_valueEdit->SetAsFloat(std::trunc(date) + (time - std::trunc(time)));
    SetValue(GetValue());
}

void TiValueConverterEditForm::SetNowButtonClick(TObject*) { SetValue(Now()); }

void TiValueConverterEditForm::iComponentEditorButton1Click(TObject*) { SetValue(0); }

void TiValueConverterEditForm::ValueEditChange(TObject*) { SetValue(GetValue()); }

PRAVIX_PUBLISH(TiValueConverterEditForm)
