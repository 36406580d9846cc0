#pragma once
// The walk of a page's binding rows, both ways: a value set through the control as a user
// sets it reaches the object, and a value set on the object shows in the control after the
// page's update. Each page's binding test walks its table with it.

#include "PlotEditorBench.h"

#include "editors/iPlotEditor_p.h"
#include "platform/canvas/Graphics.h"
#include "platform/core/Conversions.h"
#include "platform/core/Reflection.h"
#include "platform/gui/TestHooks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace plot_editor_walk {

// Two values of a property, different from each other and from the object's own, and legal
// for the property's setter.
struct TProbeValues {
    std::string Text[2];
    std::int64_t Ord[2] = {0, 0};
    double Number[2] = {0, 0};
};

// How the walk reaches one control: sets a value as the user does and reads what it shows.
class TRowWalker {
public:
    TRowWalker(TPlotEditorBench& bench, TObject& object, const TiEditorBinding& row)
        : m_bench(bench),
          m_object(object),
          m_row(row),
          m_property(FindProperty(object, row.Property)),
          m_control(*bench.Editor().FindComponent(row.Control))
    {
        if (m_property)
            m_values = ChooseValues();
    }

    bool Found() const { return bool(m_property); }

    // Through the control, as the user does; then the object holds the value.
    void SetThroughControl(int probe)
    {
        const TProbeValues& v = Values();
        TestHooks::TModalScript script;
        if (auto* edit = dynamic_cast<TiComponentEditorEdit*>(&m_control)) {
            edit->SetStringWithEvent(EditText(v, probe));
        } else if (auto* check = dynamic_cast<TiComponentEditorCheckBox*>(&m_control)) {
            if (check->Checked() != bool(v.Ord[probe]))
                TestHooks::SendClick(*check, 8, check->Height() / 2);
        } else if (auto* combo = dynamic_cast<TiComponentEditorComboBox*>(&m_control)) {
            combo->SimulateSelect(int(v.Ord[probe]));
        } else if (auto* radio = dynamic_cast<TiComponentEditorRadioGroup*>(&m_control)) {
            ClickRadioItem(*radio, int(v.Ord[probe]));
        } else if (auto* color = dynamic_cast<TiComponentEditorColorPicker*>(&m_control)) {
            script.OnColorDialog = [&](TColorRequest& request) {
                request.Color = TColor(v.Ord[probe]);
                return true;
            };
            TestHooks::SendClick(*color->Button(), 5, 5);
        } else if (auto* font = dynamic_cast<TiComponentEditorFontPicker*>(&m_control)) {
            script.OnFontDialog = [&](TFontData& data) {
                data.Height = -int(v.Ord[probe]);
                data.Style = probe ? TFontStyles{fsItalic} : TFontStyles{fsBold};
                return true;
            };
            TestHooks::SendClick(*font, 5, 5);
        } else {
            ADD_FAILURE() << m_row.Control << " is no control the walk knows";
        }
    }

    // The object holds the probe value.
    void ExpectObjectHolds(int probe) const
    {
        const TProbeValues& v = Values();
        switch (m_property.Info->Kind()) {
        case tkString: EXPECT_EQ(m_property.GetString(), v.Text[probe]) << m_row.Control; return;
        case tkFloat: EXPECT_DOUBLE_EQ(double(m_property.GetFloat()), v.Number[probe]) << m_row.Control; return;
        case tkClass: {
            auto* font = dynamic_cast<TFont*>(m_property.GetObject());
            ASSERT_NE(font, nullptr) << m_row.Control;
            EXPECT_EQ(-font->Data().Height, v.Ord[probe]) << m_row.Control;
            return;
        }
        default: EXPECT_EQ(m_property.GetOrd(), v.Ord[probe]) << m_row.Control; return;
        }
    }

    // On the object, as code does; the page's update must then show it.
    void SetOnObject(int probe)
    {
        const TProbeValues& v = Values();
        switch (m_property.Info->Kind()) {
        case tkString: m_property.SetString(v.Text[probe]); return;
        case tkFloat: m_property.SetFloat(v.Number[probe]); return;
        case tkClass: {
            auto* font = dynamic_cast<TFont*>(m_property.GetObject());
            TFontData data = font->Data();
            data.Height = -int(v.Ord[probe]);
            TFont changed;
            changed.SetData(data);
            m_property.SetObject(&changed);
            return;
        }
        default: m_property.SetOrd(v.Ord[probe]); return;
        }
    }

    void ExpectControlShows(int probe) const
    {
        const TProbeValues& v = Values();
        if (auto* edit = dynamic_cast<TiComponentEditorEdit*>(&m_control)) {
            if (m_property.Info->Kind() == tkFloat)
                EXPECT_DOUBLE_EQ(edit->GetAsFloat(), v.Number[probe]) << m_row.Control;
            else
                EXPECT_EQ(edit->GetAsString(), EditText(v, probe)) << m_row.Control;
        } else if (auto* check = dynamic_cast<TiComponentEditorCheckBox*>(&m_control)) {
            EXPECT_EQ(check->GetAsBoolean(), bool(v.Ord[probe])) << m_row.Control;
        } else if (auto* combo = dynamic_cast<TiComponentEditorComboBox*>(&m_control)) {
            if (m_property.Info->Kind() == tkString)
                EXPECT_EQ(combo->GetAsString(), v.Text[probe]) << m_row.Control;
            else
                EXPECT_EQ(combo->GetAsInteger(), v.Ord[probe]) << m_row.Control;
        } else if (auto* radio = dynamic_cast<TiComponentEditorRadioGroup*>(&m_control)) {
            EXPECT_EQ(radio->GetAsInteger(), v.Ord[probe]) << m_row.Control;
        } else if (auto* color = dynamic_cast<TiComponentEditorColorPicker*>(&m_control)) {
            EXPECT_EQ(color->Color(), TColor(v.Ord[probe])) << m_row.Control;
        } else if (auto* font = dynamic_cast<TiComponentEditorFontPicker*>(&m_control)) {
            EXPECT_EQ(-font->Font()->Data().Height, v.Ord[probe]) << m_row.Control;
        }
    }

private:
    // The probes of a combo box are entry indexes; a name or text combo box stores the
    // entries' texts (a name combo box's sentinel as it stands, untranslated here).
    const TProbeValues& Values() const { return m_values; }

    TProbeValues ChooseValues() const
    {
        TProbeValues v;
        const std::string name(m_row.Property);
        if (auto* combo = dynamic_cast<TiComponentEditorComboBox*>(&m_control)) {
            v.Ord[0] = combo->Items()->Count() > 2 && !IsNameComboBox(combo->Name()) ? 2 : 0;
            v.Ord[1] = 1;
            if (m_property.Info->Kind() == tkString)
                for (int probe : {0, 1})
                    v.Text[probe] = combo->Items()->Strings(int(v.Ord[probe]));
            return v;
        }
        if (dynamic_cast<TiComponentEditorRadioGroup*>(&m_control)) {
            v.Ord[0] = 0;
            v.Ord[1] = 1;
            return v;
        }
        if (dynamic_cast<TiComponentEditorColorPicker*>(&m_control)) {
            v.Ord[0] = 0x123456;
            v.Ord[1] = 0x00A0B0;
            return v;
        }
        if (dynamic_cast<TiComponentEditorFontPicker*>(&m_control)) {
            v.Ord[0] = 17;
            v.Ord[1] = 9;
            return v;
        }
        const std::int64_t current =
            TPropInfo::IsOrdinalKind(m_property.Info->Kind()) ? m_property.GetOrd() : std::int64_t(0);
        if (dynamic_cast<TiComponentEditorCheckBox*>(&m_control)) {
            v.Ord[0] = !current;
            v.Ord[1] = current;
            return v;
        }
        v.Text[0] = "Probe " + name;
        v.Text[1] = "Other " + name;
        if (name == "LogFileName") {
            v.Text[0] = "probe-log.txt";
            v.Text[1] = "other-log.txt";
        }
        v.Ord[0] = current == 3 ? 4 : 3;
        v.Ord[1] = current == 7 ? 8 : 7;
        v.Number[0] = 0.25;
        v.Number[1] = 0.75;
        // Factors of at least 1 keep only values of their range; a layout object's span keeps
        // its start below its stop.
        if (name == "ZoomInOutFactor") {
            v.Number[0] = 25.5;
            v.Number[1] = 75.25;
        } else if (name == "StartPercent") {
            v.Number[0] = 10;
            v.Number[1] = 20;
        } else if (name == "StopPercent") {
            v.Number[0] = 80;
            v.Number[1] = 90;
        }
        return v;
    }

    std::string EditText(const TProbeValues& v, int probe) const
    {
        switch (m_property.Info->Kind()) {
        case tkString: return v.Text[probe];
        case tkFloat: return FloatToStr(v.Number[probe]);
        default: return std::to_string(v.Ord[probe]);
        }
    }

    static void ClickRadioItem(TiComponentEditorRadioGroup& radio, int item)
    {
        radio.Repaint();  // the item layout comes from a paint
        for (int y = 0; y < radio.Height(); ++y) {
            if (radio.GetMouseItemIndex(20, y) == item) {
                TestHooks::SendClick(radio, 20, y);
                return;
            }
        }
        ADD_FAILURE() << radio.Name() << " shows no item " << item;
    }

    TPlotEditorBench& m_bench;
    TObject& m_object;
    const TiEditorBinding& m_row;
    TPropertyRef m_property;
    TComponent& m_control;
    TProbeValues m_values;
};

// Walks every row: through the control and back from the object, twice, so that a row whose
// value stays put in either direction shows. `refresh` runs the page's update.
inline void WalkRows(TPlotEditorBench& bench, TObject& object, std::span<const TiEditorBinding> rows,
                     const std::function<void()>& refresh)
{
    for (const TiEditorBinding& row : rows) {
        SCOPED_TRACE(std::string(row.Control) + " -> " + std::string(row.Property));
        TRowWalker walker(bench, object, row);
        ASSERT_TRUE(walker.Found()) << object.ClassName() << " publishes no " << row.Property;
        bench.ShowControl(bench.Control<TControl>(std::string(row.Control)));
        for (int probe : {0, 1}) {
            walker.SetThroughControl(probe);
            walker.ExpectObjectHolds(probe);
        }
        for (int probe : {0, 1}) {
            walker.SetOnObject(probe);
            refresh();
            walker.ExpectControlShows(probe);
        }
    }
}

}  // namespace plot_editor_walk
