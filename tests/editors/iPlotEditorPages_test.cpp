// The plot editor's form as the tables build it: every control the product names exists with
// its kind, each lies inside its container without covering another, and a picture of every
// page is saved for a person to look at.

#include "PlotEditorBench.h"

#include "editors/iPlotEditor_p.h"
#include "platform/core/Reflection.h"
#include "platform/core/StrUtils.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Menus.h"
#include "support/SourcePaths.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <functional>
#include <map>
#include <span>
#include <sstream>
#include <utility>
#include <vector>

namespace {

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        parts.push_back(part);
    return parts;
}

// The items a control lists: a combo box's, a radio group's, a popup menu's.
std::string ItemsOf(TComponent& control)
{
    std::vector<std::string> items;
    if (auto* combo = dynamic_cast<TComboBox*>(&control))
        for (int i = 0; i < combo->Items()->Count(); ++i)
            items.push_back(combo->Items()->Strings(i));
    else if (auto* radio = dynamic_cast<TiRadioGroup*>(&control))
        for (int i = 0; i < radio->Items()->Count(); ++i)
            items.push_back(radio->Items()->Strings(i));
    else if (auto* menu = dynamic_cast<TPopupMenu*>(&control))
        for (int i = 0; i < menu->Items()->Count(); ++i)
            items.push_back(menu->Items()->Items(i)->Caption());
    std::string joined;
    for (std::size_t i = 0; i < items.size(); ++i)
        joined += (i ? "|" : "") + items[i];
    return joined;
}

// Each line of the data files: the control exists under that exact name, of that class, with
// the caption and the items the product gives it.
class PlotEditorNamedControls : public ::testing::TestWithParam<std::pair<const char*, int>> {};

TEST_P(PlotEditorNamedControls, EveryNamedControlWithItsKindCaptionAndItems)
{
    const auto& [dataFile, atLeast] = GetParam();
    TPlotEditorBench bench;
    TiPlotEditorForm& form = bench.Open();
    std::ifstream file(SourcePath(std::string("tests/editors/data/") + dataFile));
    ASSERT_TRUE(file.good()) << dataFile;
    std::string line;
    int checked = 0;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        const std::vector<std::string> fields = Split(line, '\t');
        ASSERT_GE(fields.size(), 2u) << line;
        const std::string& name = fields[0];
        TComponent* control = form.FindComponent(name);
        ASSERT_NE(control, nullptr) << name << " is missing";
        EXPECT_EQ(control->Name(), name) << "spelled differently";
        EXPECT_EQ(control->ClassName(), fields[1]) << name;
        if (fields.size() > 2 && !fields[2].empty()) {
            auto* captioned = dynamic_cast<TControl*>(control);
            ASSERT_NE(captioned, nullptr) << name;
            EXPECT_EQ(captioned->Caption(), fields[2]) << name;
        }
        if (fields.size() > 3) {
            EXPECT_EQ(ItemsOf(*control), fields[3]) << name;
        }
        ++checked;
    }
    EXPECT_GE(checked, atLeast) << dataFile;
}

// The form, the channel page and the "Control" sheets; the object pages of the other kinds.
INSTANTIATE_TEST_SUITE_P(PlotEditorForm, PlotEditorNamedControls,
                         ::testing::Values(std::make_pair("PlotEditorControls.txt", 171),
                                           std::make_pair("PlotEditorObjectPageControls.txt", 305)),
                         [](const auto& info) { return info.index == 0 ? "FormChannelAndControl" : "ObjectPages"; });

// The letters and digits of a caption or of an enumeration value without its lower-case
// prefix ("Compact Interval", "ipdsCompactInterval" -> "compactinterval").
std::string Plain(const std::string& text, bool valueName)
{
    std::size_t start = 0;
    if (valueName)
        while (start < text.size() && std::islower(static_cast<unsigned char>(text[start])))
            ++start;
    std::string plain;
    for (std::size_t i = start; i < text.size(); ++i)
        if (std::isalnum(static_cast<unsigned char>(text[i])))
            plain += char(std::tolower(static_cast<unsigned char>(text[i])));
    return plain;
}

// Checks that item i of every enumeration combo box and radio group names the value of
// ordinal i, for the enumerations `only` picks.
void ExpectItemsInDeclaredOrder(const std::function<bool(const TTypeInfo&)>& only)
{
    // Captions worded apart from their value's name.
    const std::map<std::string, std::string> reworded = {
        {"Y-Channel X-DataView ", "iprtXDataViewYChannel"},
    };
    TPlotEditorBench bench;
    TiPlotEditorForm& form = bench.Open();
    struct Source {
        std::span<const TiEditorBinding> Rows;
        TObject* Object;
    };
    for (const Source& source :
         {Source{ChannelBindings(), bench.plot->GetChannel(0)}, Source{ControlBindings(), bench.plot}}) {
        for (const TiEditorBinding& row : source.Rows) {
            TComponent& control = *form.FindComponent(row.Control);
            if (!dynamic_cast<TComboBox*>(&control) && !dynamic_cast<TiRadioGroup*>(&control))
                continue;
            if (IsNameComboBox(row.Control))
                continue;
            const TPropertyRef property = FindProperty(*source.Object, row.Property);
            ASSERT_TRUE(property) << row.Property;
            const TTypeInfo& type = property.Info->Type();
            ASSERT_EQ(type.Kind, tkEnumeration) << row.Property;
            if (!only(type))
                continue;
            const std::vector<std::string> items = Split(ItemsOf(control), '|');
            ASSERT_LE(items.size(), std::size_t(type.EnumCount())) << row.Control;
            for (std::size_t i = 0; i < items.size(); ++i) {
                const std::string value = type.EnumName(std::int64_t(i));
                const auto known = reworded.find(items[i]);
                if (known != reworded.end())
                    EXPECT_EQ(value, known->second) << row.Control;
                else
                    EXPECT_EQ(Plain(items[i], false), Plain(value, true))
                        << row.Control << " item " << i << " \"" << items[i] << "\" against " << value;
            }
        }
    }
}

TEST(PlotEditorForm, EnumerationItemsNameTheValuesInDeclaredOrder)
{
    ExpectItemsInDeclaredOrder([](const TTypeInfo& type) { return type.Name != "TiPlotReferenceIndividual"; });
}

// The annotation defaults' combo boxes list ipriDataView, ipriChannel, ipriAuto: the first item
// picks the data view, not Auto.
TEST(PlotEditorForm, AnnotationReferenceItemsNameTheValuesInDeclaredOrder)
{
    ExpectItemsInDeclaredOrder([](const TTypeInfo& type) { return type.Name == "TiPlotReferenceIndividual"; });
}

// Every control of the form that the tables made, with the container it sits in.
std::vector<TControl*> TableControls(const TiPlotEditorForm& form)
{
    std::vector<TControl*> controls;
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* control = dynamic_cast<TControl*>(form.Components(i)))
            controls.push_back(control);
    return controls;
}

TEST(PlotEditorForm, EveryControlLiesInsideItsContainerAndCoversNoSiblingAndEveryTabShows)
{
    TPlotEditorBench bench;
    TiPlotEditorForm& form = bench.Open();
    std::map<TWinControl*, std::vector<TControl*>> byParent;
    for (TControl* control : TableControls(form)) {
        TWinControl* parent = control->Parent();
        ASSERT_NE(parent, nullptr) << control->Name();
        byParent[parent].push_back(control);
        const TRect r = control->BoundsRect();
        EXPECT_TRUE(r.Left >= 0 && r.Top >= 0 && r.Right <= parent->ClientWidth() && r.Bottom <= parent->ClientHeight())
            << control->Name() << " (" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ") leaves "
            << parent->Name() << " (" << parent->ClientWidth() << " x " << parent->ClientHeight() << ")";
    }
    for (const auto& [parent, children] : byParent) {
        if (auto* pages = dynamic_cast<TPageControl*>(parent)) {
            EXPECT_LE(TestHooks::PreferredWidth(*pages), pages->Width()) << "the tabs of " << pages->Name() << " fit";
            continue;  // its sheets lie on top of each other
        }
        for (std::size_t i = 0; i < children.size(); ++i)
            for (std::size_t j = i + 1; j < children.size(); ++j) {
                TRect overlap;
                EXPECT_FALSE(IntersectRect(overlap, children[i]->BoundsRect(), children[j]->BoundsRect()))
                    << children[i]->Name() << " covers " << children[j]->Name() << " on " << parent->Name();
            }
    }
}

// The width a control needs to show all its text, measured in its own font: a check box its
// box and caption (what its own auto-size gives it), a button its caption within the push
// button's margins, a caption label or a drop-down list what the window system asks for;
// 0 for a control that shows no text of its own.
int NeededWidth(TControl& control)
{
    TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas().Font().Assign(*control.Font());
    if (dynamic_cast<TiCheckBox*>(&control))
        return measure.Canvas().TextWidth(control.Caption()) + 20;
    if (dynamic_cast<TButton*>(&control))
        return measure.Canvas().TextWidth(control.Caption()) + 8;
    auto* combo = dynamic_cast<TComboBox*>(&control);
    if (dynamic_cast<TLabel*>(&control) || (combo && combo->Items()->Count() > 0))
        return TestHooks::PreferredWidth(control);
    return 0;
}

// What the geometry test cannot see from the tables: the window system's frame of a group and
// the text in the control's font. On every page, every visible control shows its whole text.
TEST(PlotEditorForm, EveryControlShowsItsWholeTextAndKeepsOffTheFrameOfItsGroup)
{
    TPlotEditorBench bench;
    TiPlotEditorForm& form = bench.Open();
    for (TControl* control : TableControls(form)) {
        if (!control->Visible())
            continue;
        TWinControl& parent = *control->Parent();
        if (dynamic_cast<TGroupBox*>(&parent)) {
            const TRect inside = TestHooks::ContentsRect(parent);
            const TRect r = control->BoundsRect();
            EXPECT_TRUE(r.Left >= inside.Left && r.Top >= inside.Top && r.Right <= inside.Right &&
                        r.Bottom <= inside.Bottom)
                << control->Name() << " (" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom
                << ") covers the frame of " << parent.Name() << " (inside " << inside.Left << ", " << inside.Top << ", "
                << inside.Right << ", " << inside.Bottom << ")";
        }
        EXPECT_LE(NeededWidth(*control), control->Width()) << control->Name() << " cuts off its text";
    }
}

// Under a real X server: a picture of every sheet of the form, in the build folder.
TEST(PlotEditorForm, PicturesOfEveryPage)
{
    TPlotEditorBench bench;
    TiPlotEditorForm& form = bench.Open();
    for (int i = 0; i < form.ComponentCount(); ++i) {
        auto* sheet = dynamic_cast<TTabSheet*>(form.Components(i));
        if (!sheet || !sheet->TabVisible())
            continue;
        bench.ShowPage(sheet->Name());
        bool innermost = true;
        for (int j = 0; j < form.ComponentCount(); ++j)
            if (auto* inner = dynamic_cast<TPageControl*>(form.Components(j)); inner && inner->Parent() == sheet)
                innermost = false;
        if (innermost)
            TPlotEditorBench::SavePicture(form, "plot-editor-" + sheet->Name() + ".png");
    }
}

}  // namespace
