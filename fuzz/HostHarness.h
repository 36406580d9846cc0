#pragma once
// A host core on stand-ins that remember only what the host reads back (texts, item
// indexes, check marks): the host's input parsers run exactly as in the program, with no
// window, plot, port or clock behind them.

#include "app/core/HostCore.h"
#include "platform/core/Clock.h"

#include <algorithm>
#include <map>
#include <string>
#include <string_view>

class HarnessUi : public IHostUi {
public:
    void SetText(const std::string& c, const std::string& t) override { texts_[c] = t; }
    std::string GetText(const std::string& c) const override { return Find(texts_, c, std::string()); }
    void SetVisible(const std::string&, bool) override {}
    void SetColor(const std::string&, TColor) override {}
    int GetItemIndex(const std::string& c) const override { return Find(indexes_, c, -1); }
    void SetItemIndex(const std::string& c, int i) override { indexes_[c] = i; }
    bool GetChecked(const std::string& c) const override { return Find(checked_, c, false); }
    void SetChecked(const std::string& c, bool v) override { checked_[c] = v; }
    void SetActivePage(int) override {}
    int MemoLineCount() const override { return memoLines_; }
    void MemoDeleteFirstLine() override { --memoLines_; }
    void MemoAppendLine(const std::string&) override { ++memoLines_; }
    void SetTimerInterval(int) override {}
    void ShowCommError(const std::string&) override {}
    void ShowException(const std::string&) override {}

private:
    template <typename Map, typename V>
    static V Find(const Map& m, const std::string& key, V fallback)
    {
        auto it = m.find(key);
        return it == m.end() ? fallback : it->second;
    }
    std::map<std::string, std::string> texts_;
    std::map<std::string, int> indexes_;
    std::map<std::string, bool> checked_;
    int memoLines_ = 0;
};

class HarnessPlot : public IHostPlot {
public:
    void RemoveAllChannels() override { channels_ = 0; }
    int AddChannel() override { return channels_++; }
    int ChannelCount() const override { return channels_; }
    void SetChannelColor(int, TColor) override {}
    void SetChannelTitleText(int, const std::string&) override {}
    void ChannelAddXY(int, double, double) override {}
    void ClearAllData() override {}
    int YAxisCount() const override { return 1; }
    void SetYAxisMin(int, double) override {}
    void SetYAxisSpan(int, double) override {}
    std::string TitleText() const override { return title_; }
    void SetTitleText(const std::string& t) override { title_ = t; }
    void SetOptionSaveAllProperties(bool) override {}
    void SavePropertiesToFile(const std::string&) override {}
    void LoadPropertiesFromFile(const std::string&) override {}

private:
    int channels_ = 0;
    std::string title_ = "ZUV";
};

// A port that is always open and delivers `Inbound`; what the host writes is dropped.
class HarnessPort : public ISerialPort {
public:
    std::string_view Inbound;

    bool Open(const std::string&) override { return true; }
    bool Configure(int) override { return true; }
    std::size_t Read(void* buf, std::size_t n) override
    {
        const std::size_t k = std::min(n, Inbound.size());
        Inbound.copy(static_cast<char*>(buf), k);
        Inbound.remove_prefix(k);
        return k;
    }
    void WriteByte(unsigned char) override {}
    void Write(const void*, std::size_t) override {}
    bool Close() override { return true; }
    bool IsOpen() const override { return true; }
    bool LineLost() const override { return false; }
};

class HarnessDialogs : public IFileDialogs {
public:
    std::optional<std::string> OpenFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> SaveFile(const FileDialogRequest&) override { return std::nullopt; }
};

// Time stands still, so the same input always gives the same record names and texts.
class HarnessClock : public TClockOverride {
public:
    HarnessClock() : TClockOverride(EncodeDate(2026, 3, 7) + EncodeTime(9, 5, 4, 0)) {}
};

// The stand-ins and a core on them, with the controls at the values the main window starts with.
struct HostHarness {
    HarnessUi ui;
    HarnessPlot plot;
    HarnessPort port;
    HarnessDialogs dialogs;
    HarnessClock clock;
    HostCore core{ui, plot, port, dialogs};

    HostHarness()
    {
        ui.SetItemIndex("CBBaudRate", 2);
        ui.SetChecked("R_PARWater", true);
        ui.SetChecked("RealTimeData", true);
        ui.SetText("MEAverage", "30");
        ui.SetText("MEPacket", "0");
        ui.SetText("MESample", "1");
        ui.SetText("TimeInterval", "HHMMSS");
        ui.SetText("MEflscale", "0.0001");
        ui.SetText("MEfloffset", "1");
        ui.SetText("EditSendText", "Enter Text");
    }
    HostState& State() { return core.State(); }
    HostContext& Context() { return core.Context(); }
    // Loads one of the sample device files, as File > Load Device File does; `choice` picks it.
    void LoadSampleDevice(unsigned choice);
};
