#include "components/iStripChartObjects.h"

#include "platform/core/StringList.h"

PRAVIX_PUBLISH(TiStripChartChannelObject)
PRAVIX_PUBLISH(TiStripChartDataChannelObject)
PRAVIX_PUBLISH(TiStripChartContinuousDataChannelObject)
PRAVIX_PUBLISH(TiStripChartDiscontinuousDataChannelObject)
PRAVIX_PUBLISH(TiLabelChannelObject)
PRAVIX_PUBLISH(TiPercentItemObject)
PRAVIX_PUBLISH(TiLimitObject)
PRAVIX_PUBLISH(TiStripChartVertLineObject)

// --- TiStripChartChannelObject ------------------------------------------------------------------

void TiStripChartChannelObject::SetColor(TColor value)
{
    if (value == m_color)
        return;
    m_color = value;
    if (!m_limitColorsFollow)
        return;
    SetControlLimitUpperColor(m_color);
    SetControlLimitLowerColor(m_color);
    SetWarningLimitUpperColor(m_color);
    SetWarningLimitLowerColor(m_color);
}

void TiStripChartChannelObject::SetLimitColor(TColor value, TColor& field)
{
    if (value == field)
        return;
    field = value;
    m_limitColorsFollow = false;
}

void TiStripChartChannelObject::SetControlLimitUpperColor(TColor value)
{
    SetLimitColor(value, m_controlLimitUpperColor);
}

void TiStripChartChannelObject::SetControlLimitLowerColor(TColor value)
{
    SetLimitColor(value, m_controlLimitLowerColor);
}

void TiStripChartChannelObject::SetWarningLimitUpperColor(TColor value)
{
    SetLimitColor(value, m_warningLimitUpperColor);
}

void TiStripChartChannelObject::SetWarningLimitLowerColor(TColor value)
{
    SetLimitColor(value, m_warningLimitLowerColor);
}

// --- The data forms -----------------------------------------------------------------------------

void TiStripChartDataChannelObject::DataClear() { m_list.Clear(); }

void TiStripChartDataChannelObject::SetBufferSize(int size)
{
    m_list.RingBuffer = false;
    m_list.SetCapacity(size);
}

void TiStripChartDataChannelObject::SetRingBufferSize(int size)
{
    m_list.RingBuffer = true;
    m_list.SetCapacity(size);
}

void TiStripChartDataChannelObject::DataDeleteRange(int size) { m_list.DeleteRange(size); }

TiChannelDataSatus TiStripChartDataChannelObject::GetDataStatus(int index) { return m_list.GetItem(index).Status; }

void TiStripChartContinuousDataChannelObject::DataAdd(double value) { m_list.Add({value, icdsNull}); }

double TiStripChartContinuousDataChannelObject::GetDataItem(int index, bool& null)
{
    null = false;
    return m_list.GetItem(index).Value;
}

void TiStripChartContinuousDataChannelObject::SetDataItem(int index, double value, TiChannelDataSatus status)
{
    if (status == icdsNull)
        return;
    m_list.SetItem(index, {value, status});
    RaiseHighestIndex(index);
}

void TiStripChartDiscontinuousDataChannelObject::DataAdd(double value)
{
    // The records all moved down by one, so the highest one written did too.
    if (m_list.Add({value, icdsNull}))
        LowerHighestIndex();
}

double TiStripChartDiscontinuousDataChannelObject::GetDataItem(int index, bool& null)
{
    const TDataNull record = m_list.GetItem(index);
    null = record.Status == icdsNull;
    return record.Value;
}

void TiStripChartDiscontinuousDataChannelObject::SetDataItem(int index, double value, TiChannelDataSatus status)
{
    m_list.SetItem(index, {value, status});
    RaiseHighestIndex(index);
}

// --- TiLabelChannelObject -----------------------------------------------------------------------

TiLabelChannelObject::TiLabelChannelObject()
    : m_font(std::make_unique<TFont>()), m_lines(std::make_unique<TStringList>())
{
    m_font->SetColor(clWhite);
    m_font->SetStyle({fsBold});
}

TiLabelChannelObject::~TiLabelChannelObject() = default;
