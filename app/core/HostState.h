#pragma once
// The host program's whole state: one record, created with the main window and read and
// written directly by every part of the host logic (one thread, no locks).

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "platform/core/Types.h"

constexpr int kMaxColumns = 75;  // fields of a data line, columns of a device file
constexpr int kTypeCount = 75;   // per-type tables are indexed by type code (0..63 in use)
// A type's recent values sit newest first in a window that slides toward the front of its row,
// and move back to the row's end only when the window reaches the front.
constexpr int kHistoryLength = 200;
constexpr int kNoChannel = -1;

// Type codes of the column model: the quantity a column holds, or the kind of a device-file
// line. The numbers are fixed: they index the per-type tables, and device files, tests and the
// lambdas' arithmetic (a lambda's number, its reference) rely on them. The enumeration is
// unscoped so that a code still indexes its tables as it stands.
namespace TypeCode {
// Grouped in lines as the quantities belong together.
// clang-format off
enum TTypeCode : int {
    Columns = 0, Date = 1, Time = 2, SalinityParam = 4, ThetaParam = 5, ChiParam = 6,
    FirstLambda = 7, LastLambda = 15,
    FirstLambdaRef = 16, LastLambdaRef = 24,
    CHL = 25, CDOM = 26, Uranine = 27, Phycocyanin = 28, Phycoerythrin = 29, Rhodamine = 30,
    CHLRef = 31, CDOMRef = 32, UranineRef = 33, PhycocyaninRef = 34, PhycoerythrinRef = 35, RhodamineRef = 36,
    LSS = 37, LSSRef = 38, ITemp = 39, XTemp = 40, Pressure = 41, NotUsed = 42,
    LambdaLine = 43, LambdaRefLine = 44, ASV1 = 45, ASV2 = 46, ASV4 = 47, MaxVoltage = 48,
    EngrScaleOffset = 49, EngrUnitsLine = 50, IEngr = 51, NTU = 52, NTURef = 53,
    VSF100 = 54, VSF125 = 55, VSF150 = 56, Counter = 57, Raw = 58, Engr1 = 59, PAR = 60,
    PARIm = 61, PARA0 = 62, PARA1 = 63,
};
// clang-format on

// Columns a device file assigns no quantity have type 0: no line computes, plots or records
// anything for them.
constexpr bool IsQuantity(int t) { return t > Columns && t < kTypeCount; }
constexpr bool IsLambda(int t) { return t >= FirstLambda && t <= LastLambda; }
constexpr bool IsVSF(int t) { return t >= VSF100 && t <= VSF150; }
// The n-th lambda type and the n-th lambda reference type, n from 1 to 9. (The reference
// correction pairs lambda k with reference k - 1.)
constexpr TTypeCode Lambda(int n) { return TTypeCode(FirstLambda - 1 + n); }
constexpr TTypeCode LambdaRef(int n) { return TTypeCode(FirstLambdaRef - 1 + n); }
}  // namespace TypeCode
using TypeCode::TTypeCode;

// What the plot shows of each quantity: the values as they come, or in engineering units.
namespace PlotMode {
enum TPlotMode : int { RawData = 0, EngrUnits = 1 };
}
using PlotMode::TPlotMode;

// What a lambda's engineering-mode channel plots: its scattering, the particles' share of it,
// the particles' backscatter or the total backscatter. Others come from a settings file and plot
// the raw value with an "Invalid" title.
namespace BetaKind {
enum TBetaKind : int { Beta = 0, ParticleBeta = 1, ParticleBackscatter = 2, TotalBackscatter = 3 };
}
using BetaKind::TBetaKind;

// The statistic a power user's raw titles show: none, the mean of the last 15 values, or the
// standard deviation of the last 15 or 60 (the number is the count). Others come from a
// settings file and leave the titles as they stand.
namespace TitleStat {
enum TTitleStat : int { None = 0, Mean = 1, StdDev15 = 15, StdDev60 = 60 };
}
using TitleStat::TTitleStat;

// The water the sensor sits in, for the backscatter of pure water.
namespace Water {
enum TWaterKind : int { Pure = 0, Sea = 1 };
}
using Water::TWaterKind;

// How the last log download from the meter went; the window shows it by these numbers.
namespace ReceiveState {
enum TReceiveState : int { None = 0, InProgress = 1, Complete = 2, Incomplete = 3, Cancelled = 4 };
}
using ReceiveState::TReceiveState;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

template <typename T>
using PerColumn = std::array<T, kMaxColumns>;
template <typename T>
using PerType = std::array<T, kTypeCount>;

// Pure water's scattering at one wavelength, kept with the device values it came from: its
// powers change only with those, not with every line.
struct WaterScatter {
    double Salinity = 0, Theta = 0, Lambda = -1;  // Lambda -1: not worked out yet
    TWaterKind WaterKind = Water::Sea;
    double Beta = 0, HalfBackscatter = 0;
};

// What a device file says about the sensor: the quantity and calibration of every column and
// the sensor's parameters. A load builds a whole record aside and commits it in one assignment.
struct DeviceRecord {
    std::string SensorName = "ZUV Sensor";
    PerColumn<TTypeCode> ColumnTypes{};
    int ExpectedColumns = 0;
    int DataFieldCount = 0;  // 0 = no device file loaded
    PerType<double> TypeScale{}, TypeOffset{}, RefBaseline{};
    PerType<int> TypeWavelength{};
    PerType<TColor> TypeColor{};
    PerType<double> TypeTempK1{}, TypeTempK0{};
    double Salinity = 32.0;
    double Theta = 117 * 3.1415 / 180;  // radians
    double Chi = 1.1;
    TWaterKind WaterKind = Water::Sea;
    std::string EngrUnits;  // at most 83 characters
    float ASV1Range = 0, ASV2Range = 0, ASV4Range = 0, MaxVoltage = 0;
    int EngrScaleColumn = -1;
    float DevEngrScale = -1.0f, DevEngrOffset = 0.0f;
    double PARIm = 0, PARa0 = 0, PARa1 = 0;
};

// The columns that carry a quantity, in column order, with their types: every data line walks
// them several times, and most of the 75 columns carry none. The list is made again whenever
// the column types differ from the ones it was made from.
class QuantityColumnList {
public:
    struct Column {
        int Index;
        TTypeCode Type;
    };
    const Column* begin() const { return m_columns.data(); }
    const Column* end() const { return m_columns.data() + m_count; }

    const QuantityColumnList& Of(const PerColumn<TTypeCode>& types)
    {
        // One block compare: the types are an enumeration, which the array's own compare
        // walks element by element, and this runs several times for every data line.
        if (std::memcmp(types.data(), m_types.data(), sizeof types) != 0) {
            m_types = types;
            m_count = 0;
            for (int col = 0; col < kMaxColumns; ++col)
                if (TypeCode::IsQuantity(types[std::size_t(col)]))
                    m_columns[std::size_t(m_count++)] = {col, types[std::size_t(col)]};
        }
        return *this;
    }

private:
    PerColumn<TTypeCode> m_types{};
    PerColumn<Column> m_columns{};
    int m_count = 0;
};

// What a plot channel's title is to show, taken with the newest line; the text itself is made
// when the titles are refreshed, once per input step rather than once per line.
struct ChannelTitleSource {
    bool Stale = false;
    TTypeCode Type = TypeCode::Columns;
    TPlotMode PlotType = PlotMode::RawData;
    double Value = 0, Stat = 0;
    TTitleStat StatMode = TitleStat::None;
    TBetaKind BetaSelect = BetaKind::Beta;
    bool PowerUser = false;
};

struct HostState {
    DeviceRecord Device;  // the loaded device file
    std::string DevicePath;

    // Column model: the values of the current line by column and by type
    PerColumn<double> FieldValues{};
    PerColumn<int> ColumnChannel = FilledColumns(kNoChannel);
    PerType<double> TypeValue{};
    PerType<int> PresenceCounts{};

    // Input path
    std::string LineBuffer;
    int LineLength = 0;
    bool OverflowWarned = false;
    std::string MemoLine;
    int MemoLineLength = 0;
    int MismatchCount = 0;
    double LineCounter = 0.0, FirstLineCounter = 0.0, SampleX = 0.01;
    std::array<int, 3> MeterDate{}, MeterTime{};
    std::array<int, 6> HostClock{};  // hour, minute, second, day, month, two-digit year
    bool DateLabelsDirty = false;
    int RateLineCount = -1, RateWindow = 5, TickCount = 0, RateTickMark = 0;
    double RawITemp = 0, RawXTemp = 0, RawPres = 0;

    // Conversion
    PerType<double> TypeBeta{}, TypeBetap{}, TypeBbp{}, TypeBb{}, TypeVSF{};
    PerType<double> EngValue{};
    std::array<std::array<double, kHistoryLength>, kTypeCount> TypeHistory{};
    PerType<int> HistoryCount{};
    PerType<int> HistoryStart{};
    PerType<WaterScatter> WaterScatterCache{};  // where a type's newest value sits in its row
    TTitleStat StatMode = TitleStat::None;
    int RatioCorrection = 0, TempCorrection = 0;

    // Plot
    TPlotMode PlotType = PlotMode::RawData;
    TBetaKind BetaSelect = BetaKind::Beta;
    int ITempPlot = 0, XTempPlot = 0, PresPlot = 0;
    bool PlotSetupPending = false;
    PerColumn<ChannelTitleSource> ChannelTitles{};  // by channel

    // Link and meter (the open port itself is the serial port object)
    int PortNumber = 0, BaudIndex = 2, PortIndex = -1;
    bool PortHungUp = false;  // the chosen port went away; "Start Data" opens it again
    int SetupRequestCountdown = 10;
    bool MeterIdentified = false, ReloadPending = false;
    unsigned MeterAverage = 1, MeterCycles = 1, MeterSamples = 1, MeterLogging = 0, MeterEngrOutput = 0,
             MeterAnalogRange = 2;
    int MeterEngrScale = 1, MeterEngrOffset = 0;
    bool EngrScaleReceived = false, EngrOffsetReceived = false;
    std::string MeterInterval = "hhmmss";  // at most 19 characters
    int MemoryBlocksUsed = -1;
    bool EarlyCommands = false;  // "Alternate Commands" ticked

    // Files
    // The record files' stdio buffers, declared first so that each outlives its file's close.
    std::unique_ptr<char[]> RawFileBuffer, EngrFileBuffer;
    FilePtr RawFile, EngrFile, ReceiveFile, ReplayFile;
    std::string ReplayPath;
    bool RawRecording = false, EngrRecording = false, Receiving = false, ReplayMode = false, ReplayRunning = false;
    bool EngrHeaderPending = false;                  // a device file was loaded while engineering recording was on
    std::string RawPath, EngrPath;                   // the record files' names, for the message when one fails
    std::string EngrRowText;                         // the row being written to the engineering record
    long RawUnsyncedSize = 0, EngrUnsyncedSize = 0;  // bytes handed to stdio since the last push to the disk
    int SilenceCountdown = 0;
    TReceiveState ReceiveStatus = ReceiveState::None;
    // The record files' sizes count the bytes on the disk, the receive file's those written.
    long TotalBytesRead = 0, RawFileSize = 0, EngrFileSize = 0, ReceiveFileSize = 0;
    std::array<char, 3> EtxWindow{'x', 'x', 'x'};

    // Window
    bool FirstTick55 = true, FirstTick1s = true;
    int WarningDepth = 0;
    bool PowerUser = false;

    // The loaded device's columns that carry a quantity.
    const QuantityColumnList& QuantityColumns() const { return m_quantityColumns.Of(Device.ColumnTypes); }

private:
    mutable QuantityColumnList m_quantityColumns;

    static PerColumn<int> FilledColumns(int v)
    {
        PerColumn<int> a;
        a.fill(v);
        return a;
    }
};
