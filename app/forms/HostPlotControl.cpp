#include "app/forms/HostPlotControl.h"

#include "plot/control/iPlot.h"
#include "plot/objects/iPlotAxis.h"
#include "plot/objects/iPlotChannel.h"

void HostPlotControl::RemoveAllChannels() { m_plot.RemoveAllChannels(); }

int HostPlotControl::AddChannel() { return m_plot.AddChannel(); }

int HostPlotControl::ChannelCount() const { return m_plot.ChannelCount(); }

void HostPlotControl::SetChannelColor(int channel, TColor color) { m_plot.GetChannel(channel)->SetColor(color); }

void HostPlotControl::SetChannelTitleText(int channel, const std::string& text)
{
    m_plot.GetChannel(channel)->SetTitleText(text);
}

void HostPlotControl::ChannelAddXY(int channel, double x, double y) { m_plot.GetChannel(channel)->AddXY(x, y); }

void HostPlotControl::ClearAllData() { m_plot.ClearAllData(); }

int HostPlotControl::YAxisCount() const { return m_plot.YAxisCount(); }

void HostPlotControl::SetYAxisMin(int axis, double value) { m_plot.GetYAxis(axis)->SetMin(value); }

void HostPlotControl::SetYAxisSpan(int axis, double value) { m_plot.GetYAxis(axis)->SetSpan(value); }

std::string HostPlotControl::TitleText() const { return m_plot.TitleText(); }

void HostPlotControl::SetTitleText(const std::string& text) { m_plot.SetTitleText(text); }

// A plain flag of the control: setting it asks for no repaint.
void HostPlotControl::SetOptionSaveAllProperties(bool value) { m_plot.SetOptionSaveAllProperties(value); }

void HostPlotControl::SavePropertiesToFile(const std::string& fileName) { m_plot.SavePropertiesToFile(fileName); }

// The file holds the plot's place as it was when saved (all properties are saved), in a
// window that may have had another size: the plot keeps its place on the page instead.
void HostPlotControl::LoadPropertiesFromFile(const std::string& fileName)
{
    const TRect place = m_plot.BoundsRect();
    const TAlign align = m_plot.Align();
    const TAnchors anchors = m_plot.Anchors();
    struct KeepPlace {
        TiPlot& plot;
        TRect place;
        TAlign align;
        TAnchors anchors;
        ~KeepPlace()
        {
            plot.SetAlign(align);
            plot.SetBounds(place.Left, place.Top, place.Width(), place.Height());
            plot.SetAnchors(anchors);
        }
    } keep{m_plot, place, align, anchors};
    m_plot.LoadPropertiesFromFile(fileName);
}
