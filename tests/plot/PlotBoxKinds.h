#pragma once
// Boxes that stand in for the plot's toolbars, legends, tables, labels, data views and data
// cursors (or for those not yet built) in tests of the plot control: each asks for a depth and an end guard that the
// test chooses, and draws itself as a filled rectangle of its own colour, so the layout pass and the paint pass can be
// checked at their pixels. Include from one test program's source only: it publishes classes.

#include "plot/core/iPlotManagers.h"
#include "plot/core/iPlotPaintRoles.h"
#include "plot/objects/iPlotDataView.h"
#include "plot/objects/iPlotLegend.h"
#include "plot/objects/iPlotToolBar.h"

#include "platform/canvas/Graphics.h"
#include "platform/core/Reflection.h"

#include <string>
#include <vector>

class TTestBox : public TiPlotLayoutObject {
    PRAVIX_CLASS(TTestBox, TiPlotLayoutObject)
public:
    TTestBox(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
             TNotifyEvent onRename)
        : TiPlotLayoutObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove), std::move(onRename))
    {
    }
    int Depth = 20;
    int Guard = 0;
    TColor Fill = clGray;
    int DrawCount = 0;
    int GetRequiredWidth(TCanvas&) override { return Depth; }
    int GetRequiredLengthGaurd(TCanvas&) override { return Guard; }
    void Draw(TCanvas& canvas, TColor) override
    {
        ++DrawCount;
        if (!Visible())
            return;
        canvas.Brush().SetColor(Fill);
        canvas.Brush().SetStyle(bsSolid);
        canvas.FillRect(GetDrawRect());
    }
};

#define TEST_BOX_KIND(Class, FillColor, DepthPixels, Horz)                                                        \
    class Class : public TTestBox {                                                                               \
        PRAVIX_CLASS(Class, TTestBox)                                                                             \
    public:                                                                                                       \
        Class(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,              \
              TNotifyEvent onRename)                                                                              \
            : TTestBox(owner, std::move(onChange), std::move(onInsert), std::move(onRemove), std::move(onRename)) \
        {                                                                                                         \
            Fill = FillColor;                                                                                     \
            Depth = DepthPixels;                                                                                  \
            SetHorizontal(Horz);                                                                                  \
        }                                                                                                         \
    };

TEST_BOX_KIND(TBoxToolBar, TColor(0xC08040), 36, true)
TEST_BOX_KIND(TBoxLegend, TColor(0x40A040), 80, false)
TEST_BOX_KIND(TBoxTable, TColor(0xA0A000), 50, false)
#undef TEST_BOX_KIND

// The title label: a caption and a bottom margin, as the plot's title properties expect.
class TBoxLabel : public TTestBox {
    PRAVIX_CLASS(TBoxLabel, TTestBox)
public:
    TBoxLabel(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
              TNotifyEvent onRename)
        : TTestBox(owner, std::move(onChange), std::move(onInsert), std::move(onRemove), std::move(onRename))
    {
        Fill = TColor(0x4040C0);
        Depth = 24;
        SetHorizontal(true);
    }
    std::string Caption() const { return m_caption; }
    void SetCaption(const std::string& v) { SetStringProperty(v, m_caption, &TiPlotObject::TriggerChange); }
    double MarginBottom() const { return m_marginBottom; }
    void SetMarginBottom(double v) { SetDoubleProperty(v, m_marginBottom, &TiPlotObject::TriggerChange); }

private:
    std::string m_caption;
    double m_marginBottom = 0.25;
};

// The data view of the layout tests: a place with grid axis names and nothing to draw.
class TBoxDataView : public TTestBox {
    PRAVIX_CLASS(TBoxDataView, TTestBox)
public:
    TBoxDataView(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                 TNotifyEvent onRename)
        : TTestBox(owner, std::move(onChange), std::move(onInsert), std::move(onRemove), std::move(onRename))
    {
    }
    std::string GridXAxisName() const { return m_gridX; }
    void SetGridXAxisName(const std::string& v) { m_gridX = v; }
    std::string GridYAxisName() const { return m_gridY; }
    void SetGridYAxisName(const std::string& v) { m_gridY = v; }

private:
    std::string m_gridX;
    std::string m_gridY;
};

class TBoxDataCursor : public TiPlotManagerObject, public IPlotDataCursorPaint {
    PRAVIX_CLASS(TBoxDataCursor, TiPlotManagerObject)
public:
    TBoxDataCursor(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                   TNotifyEvent onRename)
        : TiPlotManagerObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove), std::move(onRename))
    {
    }
    std::string ChannelName() const { return m_channelName; }
    void SetChannelName(const std::string& v) { m_channelName = v; }
    int Updates = 0;
    TiPlotObject* PaintDataView = nullptr;
    void DoUpdate() override { ++Updates; }
    bool ShowsAllChannelsInLegend() const override { return false; }
    void SetPaintDataView(TiPlotObject* dataView) override { PaintDataView = dataView; }

private:
    std::string m_channelName;
};

PRAVIX_PUBLISH(TTestBox)
PRAVIX_PUBLISH(TBoxToolBar)
PRAVIX_PUBLISH(TBoxLegend)
PRAVIX_PUBLISH(TBoxTable)
PRAVIX_PUBLISH(TBoxLabel, Prop("Caption", &TBoxLabel::Caption, &TBoxLabel::SetCaption),
               Prop("MarginBottom", &TBoxLabel::MarginBottom, &TBoxLabel::SetMarginBottom))
PRAVIX_PUBLISH(TBoxDataView, Prop("GridXAxisName", &TBoxDataView::GridXAxisName, &TBoxDataView::SetGridXAxisName),
               Prop("GridYAxisName", &TBoxDataView::GridYAxisName, &TBoxDataView::SetGridYAxisName))
PRAVIX_PUBLISH(TBoxDataCursor, Prop("ChannelName", &TBoxDataCursor::ChannelName, &TBoxDataCursor::SetChannelName))

// Registers the boxes as the plot's toolbars, legends, tables, labels, data views and data
// cursors for as long as it lives; with `realToolBarAndDataView` the plot's own toolbar,
// data view and legend take their places.
class TBoxKinds {
public:
    explicit TBoxKinds(bool realToolBarAndDataView = false)
    {
        if (realToolBarAndDataView) {
            m_registrations.push_back(TiPlotKindRegistration::Of<TiPlotToolBar>(TiPlotObjectKind::ToolBar));
            m_registrations.push_back(TiPlotKindRegistration::Of<TiPlotDataView>(TiPlotObjectKind::DataView));
            m_registrations.push_back(TiPlotKindRegistration::Of<TiPlotLegend>(TiPlotObjectKind::Legend));
        } else {
            m_registrations.push_back(TiPlotKindRegistration::Of<TBoxToolBar>(TiPlotObjectKind::ToolBar));
            m_registrations.push_back(TiPlotKindRegistration::Of<TBoxDataView>(TiPlotObjectKind::DataView));
            m_registrations.push_back(TiPlotKindRegistration::Of<TBoxLegend>(TiPlotObjectKind::Legend));
        }
        m_registrations.push_back(TiPlotKindRegistration::Of<TBoxTable>(TiPlotObjectKind::Table));
        m_registrations.push_back(TiPlotKindRegistration::Of<TBoxLabel>(TiPlotObjectKind::Label));
        m_registrations.push_back(TiPlotKindRegistration::Of<TBoxDataCursor>(TiPlotObjectKind::DataCursor));
    }

private:
    std::vector<TiPlotKindRegistration> m_registrations;
};
