// The value converter: a number typed on one page shows on the others, and numbers far outside
// the dates a picker can show raise nothing.

#include "editors/iValueConverterEdit.h"

#include "platform/core/Clock.h"
#include "platform/core/DateTime.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Keys.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/TestHooks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

const char* const kFields[] = {"WeeksEdit",        "DaysEdit",       "HoursEdit",
                               "MinutesEdit",      "SecondsEdit",    "MilliSecondsEdit",
                               "PriceIntegerEdit", "Price32ndsEdit", "Price256thsEdit"};

struct TConverter {
    TiValueConverterEditForm form{nullptr};

    TConverter()
    {
        form.Show();
        TestHooks::PumpUntil([this] { return form.Showing(); }, 2000);
    }

    TiComponentEditorEdit& Edit(const char* name) { return *form.FindControl<TiComponentEditorEdit>(name); }

    // The user types the text into the edit and presses Enter.
    void Type(const char* name, const std::string& text)
    {
        TiComponentEditorEdit& edit = Edit(name);
        edit.SetFocus();
        edit.SelectAll();
        edit.SimulateTyping(text);
        TestHooks::SendKey(edit, VK_RETURN);
    }

    // "Weeks Days Hours Minutes Seconds Milliseconds | Integer 32nds 256ths"
    std::string Fields()
    {
        std::string shown;
        for (const char* name : kFields)
            shown += (shown.empty() ? "" : name == std::string("PriceIntegerEdit") ? " | " : " ") + Edit(name).Text();
        return shown;
    }
};

}  // namespace

TEST(iValueConverterEdit, SetValueFillsEveryPage)
{
    struct Case {
        double Value;
        const char* Fields;
        double Date;
        double Time;
    };
    const Case cases[] = {
        {1.5, "0 1 12 0 0 0 | 1 16 0", 1, 0.5},
        {0, "0 0 0 0 0 0 | 0 0 0", 0, 0},
        {15.75, "2 15 18 0 0 0 | 15 24 0", 15, 0.75},
        {1.1, "0 1 2 24 0 0 | 1 3 1", 1, 0.1},
        // Before 1899-12-30 the time of day counts from the fraction's absolute value.
        {-1.25, "0 -1 6 0 0 0 | -1 -8 0", -1, -0.25},
        // Whole days beyond 32 bits stay whole.
        {5e9, "714285714 5000000000 0 0 0 0 | 5000000000 0 0", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Value);
        TConverter f;
        f.form.SetValue(c.Value);
        EXPECT_EQ(f.form.GetValue(), c.Value);
        EXPECT_EQ(f.Fields(), c.Fields);
        if (IsPickerDateTime(c.Value)) {
            EXPECT_EQ(f.form.DatePicker()->DateTime(), c.Date);
            EXPECT_NEAR(f.form.TimePicker()->DateTime(), std::fabs(c.Time), 1e-8);
        }
    }
}

// Each step is what the user does on one page; the number and the pages then show the result.
TEST(iValueConverterEdit, AValueTypedOnOnePageShowsOnTheOthers)
{
    struct Case {
        const char* Why;
        double Start;
        const char* Edit;
        const char* Typed;
        double Value;
        const char* Fields;
    };
    const Case cases[] = {
        {"hours on the interval page", 1.5, "HoursEdit", "6", 1.25, "0 1 6 0 0 0 | 1 8 0"},
        {"two weeks with no time: 14, whatever the days held", 3, "WeeksEdit", "2", 14, "2 14 0 0 0 0 | 14 0 0"},
        {"the number itself: every page follows", 0, "ValueEdit", "2.5", 2.5, "0 2 12 0 0 0 | 2 16 0"},
        {"32nds on the price page: the other pages stay", 1.5, "Price32ndsEdit", "8", 1.25, "0 1 12 0 0 0 | 1 8 0"},
        {"milliseconds", 0, "MilliSecondsEdit", "500", 0.5 / 86400, "0 0 0 0 0 500 | 0 0 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Why);
        TConverter f;
        f.form.SetValue(c.Start);
        f.Type(c.Edit, c.Typed);
        EXPECT_NEAR(f.form.GetValue(), c.Value, 1e-12);
        EXPECT_EQ(f.Fields(), c.Fields);
    }
}

TEST(iValueConverterEdit, PickersButtonsAndUpDownsSetTheValue)
{
    TConverter f;
    TDateTimePicker* date = f.form.DatePicker();
    TDateTimePicker* time = f.form.TimePicker();
    const TLabel* dateLabel = f.form.FindControl<TLabel>("DateLabel");
    EXPECT_EQ(date->Left(), dateLabel->Left() + dateLabel->Width() + 5);
    EXPECT_EQ(date->Top(), dateLabel->Top() - 3);
    EXPECT_EQ(date->Width(), 137);
    EXPECT_EQ(time->Kind(), dtkTime);

    f.form.SetValue(0.25);
    date->SimulateEdit(EncodeDate(2020, 1, 2));
    EXPECT_DOUBLE_EQ(f.form.GetValue(), EncodeDate(2020, 1, 2) + 0.25);
    time->SimulateEdit(0.75);
    EXPECT_DOUBLE_EQ(f.form.GetValue(), EncodeDate(2020, 1, 2) + 0.75);
    EXPECT_EQ(f.Edit("HoursEdit").Text(), "18");

    TClockOverride clock(EncodeDate(2021, 6, 1) + 0.5);
    f.form.FindControl<TButton>("SetNowButton")->Click();
    EXPECT_DOUBLE_EQ(f.form.GetValue(), EncodeDate(2021, 6, 1) + 0.5);
    f.form.FindControl<TButton>("iComponentEditorButton1")->Click();
    EXPECT_EQ(f.form.GetValue(), 0);
    EXPECT_EQ(f.Fields(), "0 0 0 0 0 0 | 0 0 0");

    // The hours' up-down steps an hour at a time and stops at 23.
    TiUpDown* hours = f.form.FindControl<TiUpDown>("HoursUpDown");
    EXPECT_EQ(hours->Associate(), &f.Edit("HoursEdit"));
    f.Edit("HoursEdit").SetAsInteger(22);
    for (int i = 0; i < 3; ++i)
        TestHooks::SendClick(*hours, 5, 3);
    EXPECT_EQ(f.Edit("HoursEdit").Text(), "23");
    EXPECT_NEAR(f.form.GetValue(), 23.0 / 24, 1e-12);
    TiUpDown* ms = f.form.FindControl<TiUpDown>("MilliSecondsUpDown");
    TestHooks::SendClick(*ms, 5, 3);
    EXPECT_EQ(f.Edit("MilliSecondsEdit").Text(), "100");
}

TEST(iValueConverterEdit, ValuesFarOutsideTheDatesRaiseNothingAndSaySo)
{
    struct Case {
        const char* Why;
        double Value;
        bool Message;
        const char* Fields;
    };
    const Case cases[] = {
        {"ten billion days: no date to show", 1e10, true, "1428571428 10000000000 0 0 0 0 | 10000000000 0 0"},
        {"", -1e10, true, "-1428571428 -10000000000 0 0 0 0 | -10000000000 0 0"},
        {"above 1e14 only the time of day is taken", 1e20 + 0, false, "0 0 0 0 0 0 | 1 16 0"},
        {"the last day a picker shows", 2958465.5, false, "422637 2958465 12 0 0 0 | 2958465 16 0"},
        {"the day after it", 2958466.5, true, "422638 2958466 12 0 0 0 | 2958466 16 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Why);
        TConverter f;
        f.form.SetValue(1.5);
        const double date = f.form.DatePicker()->DateTime();
        EXPECT_NO_THROW(f.form.SetValue(c.Value));
        EXPECT_EQ(f.form.FindControl<TLabel>("DateRangeLabel")->Visible(), c.Message);
        if (c.Message) {
            EXPECT_EQ(f.form.DatePicker()->DateTime(), date) << "the pickers keep what they showed";
        }
        EXPECT_EQ(f.Fields(), c.Fields);
    }
}

// A time edit holding more than a day allows is reported by the time encoding, and the value
// stays as it was.
TEST(iValueConverterEdit, ATimeOutsideADayIsReported)
{
    TConverter f;
    f.form.SetValue(1.5);
    TestHooks::TModalScript script;
    f.Type("MinutesEdit", "75");
    ASSERT_EQ(script.Messages.size(), 1u);
    EXPECT_EQ(script.Messages[0].Kind, TestHooks::TModalKind::ErrorBox);
    EXPECT_EQ(script.Messages[0].Text, "Invalid argument to time encode");
    EXPECT_EQ(f.form.GetValue(), 1.5);
}
