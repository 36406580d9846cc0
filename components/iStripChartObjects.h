#pragma once
// Data objects of the strip-chart family: the channel data holders over a TiDataNullList
// (a continuous form that ignores null values written into it and a discontinuous form
// that keeps them), the label-channel object and three plain data holders.

#include "components/iDataNullList.h"
#include "platform/canvas/Graphics.h"
#include "platform/core/Component.h"

#include <algorithm>
#include <memory>

class TStringList;

class TiStripChartChannelObject : public TObject {
    PRAVIX_CLASS(TiStripChartChannelObject, TObject)
public:
    TiStripChartChannelObject() = default;

    // While the limit colours follow Color, a change of Color passes on to each of them
    // through its own setter; setting a limit colour that changes it stops the following.
    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    TColor ControlLimitUpperColor() const { return m_controlLimitUpperColor; }
    void SetControlLimitUpperColor(TColor value);
    TColor ControlLimitLowerColor() const { return m_controlLimitLowerColor; }
    void SetControlLimitLowerColor(TColor value);
    TColor WarningLimitUpperColor() const { return m_warningLimitUpperColor; }
    void SetWarningLimitUpperColor(TColor value);
    TColor WarningLimitLowerColor() const { return m_warningLimitLowerColor; }
    void SetWarningLimitLowerColor(TColor value);
    bool LimitColorsFollow() const { return m_limitColorsFollow; }
    // The highest index a value was written to; -1 before any.
    int HighestIndex() const { return m_highestIndex; }

    virtual void DataClear() = 0;
    virtual void SetBufferSize(int size) = 0;
    virtual void SetRingBufferSize(int size) = 0;
    virtual void DataDeleteRange(int size) = 0;
    virtual void DataAdd(double value) = 0;
    virtual double GetDataItem(int index, bool& null) = 0;
    virtual TiChannelDataSatus GetDataStatus(int index) = 0;
    virtual void SetDataItem(int index, double value, TiChannelDataSatus status) = 0;

protected:
    void SetLimitColor(TColor value, TColor& field);
    void RaiseHighestIndex(int index) { m_highestIndex = std::max(m_highestIndex, index); }
    void LowerHighestIndex() { --m_highestIndex; }

private:
    bool m_limitColorsFollow = true;
    TColor m_color = 0;
    TColor m_controlLimitUpperColor = 0;
    TColor m_controlLimitLowerColor = 0;
    TColor m_warningLimitUpperColor = 0;
    TColor m_warningLimitLowerColor = 0;
    int m_highestIndex = -1;
};

// The two forms share their list handling; they differ in what null values mean.
class TiStripChartDataChannelObject : public TiStripChartChannelObject {
    PRAVIX_CLASS(TiStripChartDataChannelObject, TiStripChartChannelObject)
public:
    void DataClear() override;
    void SetBufferSize(int size) override;
    void SetRingBufferSize(int size) override;
    void DataDeleteRange(int size) override;
    TiChannelDataSatus GetDataStatus(int index) override;
    const TiDataNullList& List() const { return m_list; }

protected:
    TiDataNullList m_list;
};

// Values are always actual: a null written into it is dropped, and reads never report null.
class TiStripChartContinuousDataChannelObject : public TiStripChartDataChannelObject {
    PRAVIX_CLASS(TiStripChartContinuousDataChannelObject, TiStripChartDataChannelObject)
public:
    TiStripChartContinuousDataChannelObject() = default;
    void DataAdd(double value) override;
    double GetDataItem(int index, bool& null) override;
    void SetDataItem(int index, double value, TiChannelDataSatus status) override;
};

// Null values are kept and reported.
class TiStripChartDiscontinuousDataChannelObject : public TiStripChartDataChannelObject {
    PRAVIX_CLASS(TiStripChartDiscontinuousDataChannelObject, TiStripChartDataChannelObject)
public:
    TiStripChartDiscontinuousDataChannelObject() = default;
    void DataAdd(double value) override;
    double GetDataItem(int index, bool& null) override;
    void SetDataItem(int index, double value, TiChannelDataSatus status) override;
};

// What its number, lines and flag stand for is up to the component that holds it.
class TiLabelChannelObject : public TObject {
    PRAVIX_CLASS(TiLabelChannelObject, TObject)
public:
    TiLabelChannelObject();
    ~TiLabelChannelObject() override;

    double Value = 50;
    TFont& Font() const { return *m_font; }
    TStringList& Lines() const { return *m_lines; }
    bool Flag = true;

private:
    std::unique_ptr<TFont> m_font;
    std::unique_ptr<TStringList> m_lines;
};

// Plain data holders of the family; they have no fields of their own.
class TiPercentItemObject : public TObject {
    PRAVIX_CLASS(TiPercentItemObject, TObject)
public:
    TiPercentItemObject() = default;
};

class TiLimitObject : public TObject {
    PRAVIX_CLASS(TiLimitObject, TObject)
public:
    TiLimitObject() = default;
};

class TiStripChartVertLineObject : public TObject {
    PRAVIX_CLASS(TiStripChartVertLineObject, TObject)
public:
    TiStripChartVertLineObject() = default;
};
