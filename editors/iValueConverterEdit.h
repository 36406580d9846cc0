#pragma once
// TiValueConverterEditForm: one number shown and edited in three forms, each on a page: as an
// interval (weeks, days, hours, minutes, seconds, milliseconds), as a date and time, and as a
// price in 32nds and 256ths. The number itself stands in ValueEdit below the pages. A change
// committed on the interval or date/time page, or in ValueEdit, sets the number and refills
// every page; a change on the price page sets the number only. Pages are filled silently.
//
// A number whose day lies outside the years 100 to 9999 leaves the date and time pickers as they
// were and says so on the date/time page.
//
//     TiValueConverterEditForm form(picker);
//     form.SetValue(1.5);                      // 1 day 12 hours; 1 and 16/32
//     if (form.ShowModal() == mrOk) use(form.GetValue());

#include "editors/EditorsLayer.h"

#include "editors/iEditorBasicComponents.h"

class TDateTimePicker;
class TLabel;

class TiValueConverterEditForm : public TiCustomEditorForm {
    PRAVIX_CLASS(TiValueConverterEditForm, TiCustomEditorForm)
public:
    explicit TiValueConverterEditForm(TComponent* owner);

    void SetValue(double value);
    // ValueEdit as a number.
    double GetValue() const;

    TiComponentEditorPageControl* PageControl() const { return m_pageControl; }
    TDateTimePicker* DatePicker() const { return m_datePicker; }
    TDateTimePicker* TimePicker() const { return m_timePicker; }

    // Handlers of the form's controls.
    void FormCreate(TObject* sender);
    void TimeChange(TObject* sender);
    void WeeksChange(TObject* sender);
    void Price32Change(TObject* sender);
    void DateTimePickerChange(TObject* sender);
    void SetNowButtonClick(TObject* sender);
    // "Set All To 0".
    void iComponentEditorButton1Click(TObject* sender);
    void ValueEditChange(TObject* sender);

private:
    TiComponentEditorEdit* Edit(const char* name) const;
    TDateTimePicker* CreatePicker(TDateTimeKind kind, const char* name, const char* labelName);
    // The time of day of the four time edits; raises the time encoding's error for a value
    // outside a day.
    double EditedTimeOfDay() const;

    TiComponentEditorPageControl* m_pageControl = nullptr;
    TiComponentEditorEdit* m_valueEdit = nullptr;
    TDateTimePicker* m_datePicker = nullptr;
    TDateTimePicker* m_timePicker = nullptr;
    TLabel* m_dateRangeLabel = nullptr;
};
