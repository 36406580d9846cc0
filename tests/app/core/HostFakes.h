#pragma once
// Fakes of the host core's interfaces and a fixture that wires them to a HostCore.

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/core/FormResource.h"
#include "app/core/HostCore.h"
#include "platform/core/Clock.h"
#include "platform/core/StrUtils.h"

// The names of the host's forms and their components ("TLabel PStore {" names PStore), read
// from the stored form descriptions, so the fake knows exactly the controls the windows have.
inline const std::set<std::string>& HostComponentNames()
{
    static const std::set<std::string> names = [] {
        std::set<std::string> found;
        for (const char* form : {"QX5Main", "HostPort", "password", "warning"}) {
            std::istringstream text(FormResource(form));
            std::vector<std::string> words;
            for (std::string word; text >> word;)
                words.push_back(word);
            for (size_t i = 0; i + 2 < words.size(); ++i) {
                if (words[i][0] == 'T' && words[i + 2] == "{")
                    found.insert(LowerCase(words[i + 1]));
            }
        }
        return found;
    }();
    return names;
}

// The host's windows as the host core sees them. Like the real ones, the fake refuses a
// control name that no window has (names compare without regard to case).
class FakeUi : public IHostUi {
public:
    std::map<std::string, std::string> Texts;
    std::map<std::string, bool> Visible;
    std::map<std::string, TColor> Colors;
    std::map<std::string, int> Indexes;
    std::map<std::string, bool> Checked;
    std::vector<std::string> Memo;
    std::vector<std::string> CommErrors, Exceptions;
    int ActivePage = 5;
    int TimerInterval = 55;

    void SetText(const std::string& c, const std::string& t) override { Texts[Known(c)] = t; }
    std::string GetText(const std::string& c) const override
    {
        auto it = Texts.find(Known(c));
        return it == Texts.end() ? std::string() : it->second;
    }
    void SetVisible(const std::string& c, bool v) override { Visible[Known(c)] = v; }
    void SetColor(const std::string& c, TColor color) override { Colors[Known(c)] = color; }
    int GetItemIndex(const std::string& c) const override
    {
        auto it = Indexes.find(Known(c));
        return it == Indexes.end() ? -1 : it->second;
    }
    void SetItemIndex(const std::string& c, int i) override { Indexes[Known(c)] = i; }
    bool GetChecked(const std::string& c) const override
    {
        auto it = Checked.find(Known(c));
        return it != Checked.end() && it->second;
    }
    void SetChecked(const std::string& c, bool v) override { Checked[Known(c)] = v; }
    void SetActivePage(int index) override { ActivePage = index; }
    int MemoLineCount() const override { return int(Memo.size()); }
    void MemoDeleteFirstLine() override { Memo.erase(Memo.begin()); }
    void MemoAppendLine(const std::string& line) override { Memo.push_back(line); }
    void SetTimerInterval(int ms) override { TimerInterval = ms; }
    void ShowCommError(const std::string& text) override { CommErrors.push_back(text); }
    void ShowException(const std::string& message) override { Exceptions.push_back(message); }

    bool IsVisible(const std::string& c) const
    {
        auto it = Visible.find(Known(c));
        return it != Visible.end() && it->second;
    }

private:
    static const std::string& Known(const std::string& c)
    {
        EXPECT_TRUE(HostComponentNames().contains(LowerCase(c)))
            << "the host's windows have no control \"" << c << "\"";
        return c;
    }
};

struct FakeChannel {
    TColor Color = 0;
    std::string Title;
    std::vector<std::pair<double, double>> Points;
};

class FakePlot : public IHostPlot {
public:
    std::vector<FakeChannel> Channels;
    std::string Title = "ZUV";
    int YAxes = 1;
    double YMin = -1, YSpan = -1;
    bool SaveAll = false;
    int Clears = 0;
    std::vector<std::string> Saved, Loaded;

    void RemoveAllChannels() override { Channels.clear(); }
    int AddChannel() override
    {
        Channels.emplace_back();
        return int(Channels.size()) - 1;
    }
    int ChannelCount() const override { return int(Channels.size()); }
    void SetChannelColor(int ch, TColor c) override { Channels.at(size_t(ch)).Color = c; }
    void SetChannelTitleText(int ch, const std::string& t) override { Channels.at(size_t(ch)).Title = t; }
    void ChannelAddXY(int ch, double x, double y) override { Channels.at(size_t(ch)).Points.emplace_back(x, y); }
    void ClearAllData() override
    {
        ++Clears;
        for (auto& c : Channels)
            c.Points.clear();
    }
    int YAxisCount() const override { return YAxes; }
    void SetYAxisMin(int, double v) override { YMin = v; }
    void SetYAxisSpan(int, double v) override { YSpan = v; }
    std::string TitleText() const override { return Title; }
    void SetTitleText(const std::string& t) override { Title = t; }
    void SetOptionSaveAllProperties(bool v) override { SaveAll = v; }
    void SavePropertiesToFile(const std::string& f) override { Saved.push_back(f); }
    void LoadPropertiesFromFile(const std::string& f) override { Loaded.push_back(f); }
};

class FakePort : public ISerialPort {
public:
    bool OpenResult = true;
    bool ConfigureResult = true;
    bool CloseResult = true;
    std::vector<std::string> Opened;
    int Baud = 0;
    int Closes = 0;
    std::string Written;
    int WriteCalls = 0;
    std::string Inbound;
    std::vector<size_t> ReadSizes;

    bool Open(const std::string& path) override
    {
        Opened.push_back(path);
        open_ = OpenResult;
        return open_;
    }
    bool Configure(int baud) override
    {
        Baud = baud;
        return ConfigureResult;
    }
    size_t Read(void* buf, size_t n) override
    {
        ReadSizes.push_back(n);
        size_t k = std::min(n, Inbound.size());
        Inbound.copy(static_cast<char*>(buf), k);
        Inbound.erase(0, k);
        return k;
    }
    void WriteByte(unsigned char b) override
    {
        ++WriteCalls;
        Written += char(b);
    }
    void Write(const void* p, size_t n) override
    {
        ++WriteCalls;
        Written.append(static_cast<const char*>(p), n);
    }
    bool Close() override
    {
        ++Closes;
        open_ = false;
        return CloseResult;
    }
    bool IsOpen() const override { return open_; }
    bool LineLost() const override { return false; }

    std::string TakeWritten()
    {
        std::string w;
        w.swap(Written);
        WriteCalls = 0;
        return w;
    }

private:
    bool open_ = false;
};

class FakeDialogs : public IFileDialogs {
public:
    std::deque<std::optional<std::string>> Answers;
    std::vector<FileDialogRequest> Requests;

    std::optional<std::string> OpenFile(const FileDialogRequest& r) override { return Next(r); }
    std::optional<std::string> SaveFile(const FileDialogRequest& r) override { return Next(r); }

private:
    std::optional<std::string> Next(const FileDialogRequest& r)
    {
        Requests.push_back(r);
        if (Answers.empty())
            return std::nullopt;
        auto a = Answers.front();
        Answers.pop_front();
        return a;
    }
};

// Host tests run at 7 March 2026, 09:05:04 unless they move the clock (SetNow).
class PinnedClock : public TClockOverride {
public:
    PinnedClock() : TClockOverride(EncodeDate(2026, 3, 7) + EncodeTime(9, 5, 4, 0)) {}
};

// A HostCore on fakes, with the controls at their stored start values.
class HostFixture : public testing::Test {
protected:
    FakeUi ui;
    FakePlot plot;
    FakePort port;
    FakeDialogs dialogs;
    PinnedClock clock;
    HostCore core{ui, plot, port, dialogs};
    HostState& s = core.State();
    HostContext& ctx = core.Context();

    HostFixture()
    {
        ui.Indexes["CBBaudRate"] = 2;
        ui.Checked["R_PARWater"] = true;
        ui.Checked["RealTimeData"] = true;
        ui.Texts["MEAverage"] = "30";
        ui.Texts["MEPacket"] = "0";
        ui.Texts["MESample"] = "1";
        ui.Texts["TimeInterval"] = "HHMMSS";
        ui.Texts["MEflscale"] = "0.0001";
        ui.Texts["MEfloffset"] = "1";
        ui.Texts["EditSendText"] = "Enter Text";
    }

    std::vector<Warning> Warnings() const
    {
        const auto& q = core.Warnings().Pending();
        return {q.begin(), q.end()};
    }
};
