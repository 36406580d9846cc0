#pragma once
// Plot objects of every kind for tests of the managers and the master manager: small classes
// with the published properties the managers' first settings use, references to other objects
// by name and by pointer (dropped on removal news, followed on rename news), and a plot host
// that records nothing. Include from one test program's source only: it publishes classes.

#include "plot/core/iPlotManagers.h"

#include "platform/core/Reflection.h"

#include <string>
#include <vector>

// The plot as the objects see it; translation goes through a table when one is given.
class TTestPlotHost : public IPlotHost {
public:
    std::function<std::string(const std::string&)> Translate;
    std::string TranslateText(const std::string& text) override { return Translate ? Translate(text) : text; }
    TPoint PlotClientToScreen(TPoint p) override { return p; }
    TiPlotXAxis* GetXAxisByName(const std::string&) override { return nullptr; }
    TiPlotYAxis* GetYAxisByName(const std::string&) override { return nullptr; }
    TiPlotChannelCustom* GetChannelByName(const std::string&) override { return nullptr; }
    void DoObjectClick(TiPlotObject*) override {}
    void DoObjectMouseDown(TiPlotObject*, TMouseButton, TShiftState, int, int) override {}
    void DoObjectMouseMove(TiPlotObject*, TShiftState, int, int) override {}
    void DoObjectMouseUp(TiPlotObject*, TMouseButton, TShiftState, int, int) override {}
    void DoObjectMouseWheel(TiPlotObject*, int, TShiftState, int, int) override {}
    void DoGetMouseCursor(TiPlotObject*, TCursor&) override {}
    void DoObjectGotFocus(TiPlotObject*) override {}
    void DoObjectLostFocus(TiPlotObject*) override {}
    void DoPopUpMenuEvent(TiPlotObject*, bool&, int, int) override {}
};

// Every test object remembers the news it heard and the objects it points at.
struct TTestReferences {
    std::vector<TiPlotObject*> Pointers;  // dropped when the object goes
    void Drop(TObject* removed) { std::erase(Pointers, removed); }
};

#define TEST_PLOT_KIND_BODY(Class, Base)                                                                  \
    PRAVIX_CLASS(Class, Base)                                                                             \
public:                                                                                                   \
    Class(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,          \
          TNotifyEvent onRename)                                                                          \
        : Base(owner, std::move(onChange), std::move(onInsert), std::move(onRemove), std::move(onRename)) \
    {                                                                                                     \
    }                                                                                                     \
    TTestReferences References;                                                                           \
    void NotificationRemove(TObject* sender) override                                                     \
    {                                                                                                     \
        Base::NotificationRemove(sender);                                                                 \
        References.Drop(sender);                                                                          \
    }

class TTestToolBar : public TiPlotLayoutObject {
    TEST_PLOT_KIND_BODY(TTestToolBar, TiPlotLayoutObject)
};

class TTestLegend : public TiPlotLayoutObject {
    TEST_PLOT_KIND_BODY(TTestLegend, TiPlotLayoutObject)
};

class TTestTable : public TiPlotLayoutObject {
    TEST_PLOT_KIND_BODY(TTestTable, TiPlotLayoutObject)
};

class TTestAxis : public TiPlotLayoutObject {
    TEST_PLOT_KIND_BODY(TTestAxis, TiPlotLayoutObject)
    std::string Title() const { return m_title; }
    void SetTitle(const std::string& v) { SetStringProperty(v, m_title, &TiPlotObject::TriggerChange); }
    double Min() const { return m_min; }
    void SetMin(double v) { SetDoubleProperty(v, m_min, &TiPlotObject::TriggerChange); }

private:
    std::string m_title;
    double m_min = 0;
};

class TTestXAxis : public TTestAxis {
    TEST_PLOT_KIND_BODY(TTestXAxis, TTestAxis)
};

class TTestYAxis : public TTestAxis {
    TEST_PLOT_KIND_BODY(TTestYAxis, TTestAxis)
};

// Follows its axes' renames, as channels and limits do.
class TTestAxisUser : public TiPlotManagerObject {
    TEST_PLOT_KIND_BODY(TTestAxisUser, TiPlotManagerObject)
    std::string XAxisName() const { return m_xAxisName; }
    void SetXAxisName(const std::string& v) { SetStringProperty(v, m_xAxisName, &TiPlotObject::TriggerChange); }
    std::string YAxisName() const { return m_yAxisName; }
    void SetYAxisName(const std::string& v) { SetStringProperty(v, m_yAxisName, &TiPlotObject::TriggerChange); }
    void NotificationRename(TObject* sender) override
    {
        auto* renamed = static_cast<TiPlotObject*>(sender);
        if (dynamic_cast<TTestXAxis*>(renamed) && m_xAxisName == renamed->PreviousName())
            m_xAxisName = renamed->Name();
        if (dynamic_cast<TTestYAxis*>(renamed) && m_yAxisName == renamed->PreviousName())
            m_yAxisName = renamed->Name();
    }

private:
    std::string m_xAxisName;
    std::string m_yAxisName;
};

// Its colour is counted by the channel manager as a channel's is.
class TTestChannel : public TTestAxisUser, public IPlotColorCounted {
    TEST_PLOT_KIND_BODY(TTestChannel, TTestAxisUser)
    ~TTestChannel() override { SetColorCount(nullptr); }
    std::string TitleText() const { return m_titleText; }
    void SetTitleText(const std::string& v) { SetStringProperty(v, m_titleText, &TiPlotObject::TriggerChange); }
    TColor Color() const { return m_color; }
    void SetColor(TColor v)
    {
        if (m_count)
            m_count->Recolor(m_color, v);
        SetColorProperty(v, m_color, &TiPlotObject::TriggerChange);
    }
    void SetColorCount(TiPlotChannelColorCount* count) override
    {
        TiPlotChannelColorCount::Move(m_count, count, m_color);
    }

private:
    std::string m_titleText;
    TColor m_color = 0x0000FF;  // red, as every channel starts
    TiPlotChannelColorCount* m_count = nullptr;
};

// The other channel class of a plot (an XY plot's).
class TTestXYChannel : public TTestChannel {
    TEST_PLOT_KIND_BODY(TTestXYChannel, TTestChannel)
};

class TTestLimit : public TTestAxisUser {
    TEST_PLOT_KIND_BODY(TTestLimit, TTestAxisUser)
};

class TTestDataView : public TiPlotLayoutObject {
    TEST_PLOT_KIND_BODY(TTestDataView, TiPlotLayoutObject)
    std::string GridXAxisName() const { return m_gridX; }
    void SetGridXAxisName(const std::string& v) { m_gridX = v; }
    std::string GridYAxisName() const { return m_gridY; }
    void SetGridYAxisName(const std::string& v) { m_gridY = v; }

private:
    std::string m_gridX;
    std::string m_gridY;
};

class TTestDataCursor : public TiPlotManagerObject {
    TEST_PLOT_KIND_BODY(TTestDataCursor, TiPlotManagerObject)
    std::string ChannelName() const { return m_channelName; }
    void SetChannelName(const std::string& v) { m_channelName = v; }

private:
    std::string m_channelName;
};

class TTestLabel : public TiPlotLayoutObject {
    TEST_PLOT_KIND_BODY(TTestLabel, TiPlotLayoutObject)
    std::string Caption() const { return m_caption; }
    void SetCaption(const std::string& v) { SetStringProperty(v, m_caption, &TiPlotObject::TriggerChange); }

private:
    std::string m_caption;
};

// Annotations derive from the plot object itself.
class TTestAnnotation : public TiPlotObject {
    TEST_PLOT_KIND_BODY(TTestAnnotation, TiPlotObject)
    std::string Text() const { return m_text; }
    void SetText(const std::string& v) { m_text = v; }

private:
    std::string m_text;
};

#undef TEST_PLOT_KIND_BODY

PRAVIX_PUBLISH(TTestToolBar)
PRAVIX_PUBLISH(TTestLegend)
PRAVIX_PUBLISH(TTestTable)
PRAVIX_PUBLISH(TTestAxis, Prop("Title", &TTestAxis::Title, &TTestAxis::SetTitle),
               Prop("Min", &TTestAxis::Min, &TTestAxis::SetMin))
PRAVIX_PUBLISH(TTestXAxis)
PRAVIX_PUBLISH(TTestYAxis)
PRAVIX_PUBLISH(TTestAxisUser, Prop("XAxisName", &TTestAxisUser::XAxisName, &TTestAxisUser::SetXAxisName),
               Prop("YAxisName", &TTestAxisUser::YAxisName, &TTestAxisUser::SetYAxisName))
PRAVIX_PUBLISH(TTestChannel, Prop("TitleText", &TTestChannel::TitleText, &TTestChannel::SetTitleText),
               Prop("Color", &TTestChannel::Color, &TTestChannel::SetColor))
PRAVIX_PUBLISH(TTestXYChannel)
PRAVIX_PUBLISH(TTestLimit)
PRAVIX_PUBLISH(TTestDataView, Prop("GridXAxisName", &TTestDataView::GridXAxisName, &TTestDataView::SetGridXAxisName),
               Prop("GridYAxisName", &TTestDataView::GridYAxisName, &TTestDataView::SetGridYAxisName))
PRAVIX_PUBLISH(TTestDataCursor, Prop("ChannelName", &TTestDataCursor::ChannelName, &TTestDataCursor::SetChannelName))
PRAVIX_PUBLISH(TTestLabel, Prop("Caption", &TTestLabel::Caption, &TTestLabel::SetCaption))
PRAVIX_PUBLISH(TTestAnnotation, Prop("Text", &TTestAnnotation::Text, &TTestAnnotation::SetText))

// Registers the test classes as the kinds for as long as it lives.
class TTestKinds {
public:
    TTestKinds()
    {
        m_registrations.push_back(TiPlotKindRegistration::Of<TTestToolBar>(TiPlotObjectKind::ToolBar));
        m_registrations.push_back(TiPlotKindRegistration::Of<TTestLegend>(TiPlotObjectKind::Legend));
        m_registrations.push_back(TiPlotKindRegistration::Of<TTestTable>(TiPlotObjectKind::Table));
        m_registrations.push_back(TiPlotKindRegistration::Of<TTestXAxis>(TiPlotObjectKind::XAxis));
        m_registrations.push_back(TiPlotKindRegistration::Of<TTestYAxis>(TiPlotObjectKind::YAxis));
        m_registrations.push_back(TiPlotKindRegistration::Of<TTestChannel>(TiPlotObjectKind::Channel));
        m_registrations.push_back(TiPlotKindRegistration::Of<TTestDataView>(TiPlotObjectKind::DataView));
        TiPlotKindClass cursor;
        cursor.Create = &CreatePlotObject<TTestDataCursor>;
        cursor.IsKind = [](const TObject* o) { return dynamic_cast<const TTestDataCursor*>(o) != nullptr; };
        cursor.AssignDataView = [](TiPlotObject& c, TiPlotObject* view) {
            static_cast<TTestDataCursor&>(c).References.Pointers.push_back(view);
        };
        m_registrations.emplace_back(TiPlotObjectKind::DataCursor, std::move(cursor));
        m_registrations.push_back(TiPlotKindRegistration::Of<TTestLimit>(TiPlotObjectKind::Limit));
        m_registrations.push_back(TiPlotKindRegistration::Of<TTestLabel>(TiPlotObjectKind::Label));
        m_registrations.push_back(TiPlotKindRegistration::Of<TTestAnnotation>(TiPlotObjectKind::Annotation));
    }

private:
    std::vector<TiPlotKindRegistration> m_registrations;
};
