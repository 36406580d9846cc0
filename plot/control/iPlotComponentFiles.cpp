// The plot's own files: the property file, the data files (text columns and the compact
// binary form), the log written while AddDataArray adds rows, and the one reader of data
// files and logs of both forms.
//
// Numbers are written with "." whatever the region, so a comma column separator stays
// unambiguous; reading takes "." or ",". Text lines end with CR LF, the last included.

#include "plot/control/iPlotComponent.h"

#include "components/iClasses.h"
#include "platform/core/Conversions.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Scoped.h"
#include "platform/core/StrUtils.h"
#include "platform/core/Streams.h"
#include "platform/core/StringList.h"
#include "plot/objects/iPlotChannelCustom.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <exception>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kCompactTitle = "Compact Interval";
// Compact rows: a channel without the row's point writes kCompactMissing for X and Y; the
// data file ends with kCompactEnd. A reader takes anything above 1.5e38 as the end and
// anything from 9e37 on as missing.
constexpr float kCompactMissing = 1e38f;
constexpr float kCompactEnd = 2e38f;
constexpr double kCompactEndAbove = 1.5e38;
constexpr double kCompactMissingFrom = 9e37;
constexpr const char* kCRLF = "\r\n";

// The object blocks of the property file, in the order the file holds them.
struct TObjectBlock {
    TiPlotObjectKind Kind;
    const char* Prefix;
    const char* CountName;
};
constexpr TObjectBlock kObjectBlocks[] = {
    {TiPlotObjectKind::Channel, "Channel", "ChannelCount"},
    {TiPlotObjectKind::XAxis, "XAxis", "XAxisCount"},
    {TiPlotObjectKind::YAxis, "YAxis", "YAxisCount"},
    {TiPlotObjectKind::ToolBar, "ToolBar", "ToolBarCount"},
    {TiPlotObjectKind::Legend, "Legend", "LegendCount"},
    {TiPlotObjectKind::Table, "Table", "TableCount"},
    {TiPlotObjectKind::Label, "Label", "LabelCount"},
    {TiPlotObjectKind::DataView, "DataView", "DataViewCount"},
    {TiPlotObjectKind::DataCursor, "DataCursor", "DataCursorCount"},
    {TiPlotObjectKind::Limit, "Limit", "LimitCount"},
};
constexpr std::size_t kObjectBlockCount = std::size(kObjectBlocks);
// The most objects a property file may count, all kinds together: a damaged count of a
// billion channels would take the memory of the machine before it failed.
constexpr int kMaxFileObjects = 100000;

// The control's own lines leave out what belongs to its place on the form, unless every
// property is to be saved.
constexpr const char* kPlacementProperties[] = {"Left",   "Top",         "Width",      "Height",  "Align",
                                                "Cursor", "ShowHint",    "Tag",        "Visible", "Enabled",
                                                "Hint",   "HelpContext", "HelpKeyword"};

std::string FileFloat(double value) { return FloatToStr(value, '.'); }

// A double as the compact form's 32-bit float; values beyond the float range become
// infinities instead of an undefined conversion.
float ToFloat32(double value)
{
    if (value > double(std::numeric_limits<float>::max()))
        return std::numeric_limits<float>::infinity();
    if (value < -double(std::numeric_limits<float>::max()))
        return -std::numeric_limits<float>::infinity();
    return float(value);
}

// Appends a column, preceded by the separator unless it is the row's first.
void AppendColumn(std::string& line, int columnIndex, std::string_view text, char separator)
{
    if (columnIndex != 0)
        line += separator;
    line += text;
}

// Passes over the lines of one prefix that have no object to go to.
void DiscardLines(const std::string& prefix, const TStrings& lines, int& index)
{
    for (; index < lines.Count(); ++index) {
        std::string name, value;
        SeparateStrings(lines.Get(index), "=", name, value);
        if (!SameText(name.substr(0, name.find('.')), prefix))
            return;
    }
}

// Removes the lines of the control's place on its form ("Left", "Visible" ...) from line
// `from` on.
void DiscardPlacementLines(TStrings& lines, int from)
{
    for (int i = lines.Count() - 1; i >= from; --i) {
        std::string name, value;
        SeparateStrings(lines.Get(i), "=", name, value);
        const std::string property = name.substr(0, name.find('.'));
        if (std::any_of(std::begin(kPlacementProperties), std::end(kPlacementProperties),
                        [&](const char* placement) { return SameText(property, placement); }))
            lines.Delete(i);
    }
}

// One header value of the property file as an integer, taken out of the lines; 0 when absent.
int TakeIntegerValue(const std::string& name, TStrings& lines, bool& present)
{
    std::string value;
    present = GetPropertyValueString(name, value, lines);
    return present ? StrToInt(value) : 0;
}

// ---------------------------------------------------------------------------------------------
// Reading data files and logs

struct TLoadedPoint {
    int Channel;
    double X;
    double Y;
    bool Null;
    bool Empty;
};

// The text of a data file or log, row by row. The text ends at its end or at a NUL byte.
class TRowReader {
public:
    explicit TRowReader(std::string_view text) : m_text(text.substr(0, text.find('\0'))) {}
    bool AtEnd() const { return m_position >= m_text.size(); }
    int RowNumber() const { return m_rowNumber; }

    // The text up to the next CR or LF; then one CR and one LF are passed.
    std::string_view GetNextRowString()
    {
        const std::size_t start = m_position;
        const std::size_t stop = std::min(m_text.find_first_of("\r\n", start), m_text.size());
        m_position = stop;
        if (m_position < m_text.size() && m_text[m_position] == '\r')
            ++m_position;
        if (m_position < m_text.size() && m_text[m_position] == '\n')
            ++m_position;
        ++m_rowNumber;
        return m_text.substr(start, stop - start);
    }

private:
    std::string_view m_text;
    std::size_t m_position = 0;
    int m_rowNumber = 0;
};

// The columns of a row: an empty text between two separators is an empty column, a
// separator at the end adds none, an empty row has none.
std::vector<std::string_view> SeperateColumns(std::string_view row, char separator)
{
    std::vector<std::string_view> columns;
    std::size_t start = 0;
    while (start < row.size()) {
        const std::size_t stop = std::min(row.find(separator, start), row.size());
        columns.push_back(row.substr(start, stop - start));
        start = stop + 1;
    }
    return columns;
}

class TDataFileParser {
public:
    explicit TDataFileParser(int channelCount) : m_channelCount(channelCount) {}

    // The points read so far, in the file's order: all of them after a parse, those before
    // the fault when a parse raised.
    const std::vector<TLoadedPoint>& Points() const { return m_points; }

    void ParseText(std::string_view text)
    {
        TRowReader reader(text);
        const std::string_view header = reader.GetNextRowString();
        m_separator = header.find('\t') != std::string_view::npos ? '\t' : ',';
        const bool logLayout = UpperCase(std::string(header.substr(0, 3))) == "(X)";
        const std::size_t headerColumns = SeperateColumns(header, m_separator).size();
        while (!reader.AtEnd()) {
            const std::string_view row = reader.GetNextRowString();
            if (Trim(row).empty())
                continue;
            const std::vector<std::string_view> columns = SeperateColumns(row, m_separator);
            try {
                // Rows are never wider than their header: more columns mean a damaged file or
                // another separator, and guessing the channels would file values wrongly.
                if (columns.size() > headerColumns)
                    throw Exception(IntToStr((long long)columns.size()) + " columns where the header has " +
                                    IntToStr((long long)headerColumns));
                if (logLayout)
                    LoadLogData(columns);
                else
                    LoadXYData(columns);
            } catch (Exception& e) {
                e.SetMessage("Line " + IntToStr(reader.RowNumber()) + ": " + e.Message());
                throw;
            }
        }
    }

    void LoadCompactInterval(std::string_view bytes)
    {
        m_bytes = bytes;
        GetStreamRowString();
        const int count = StrToInt(Trim(GetStreamRowString()));
        // A row of no channels consumes no bytes: only an end marker may follow then.
        if (count < 0 || (count == 0 && !OnlyEndMarkerFollows()))
            throw Exception("Invalid Channel Count " + IntToStr(count));
        for (int row = 0; count > 0 && m_position < m_bytes.size(); ++row) {
            for (int c = 0; c < count; ++c) {
                const double x = row < 2 ? GetStreamSingle() : 0.0;
                if (x > kCompactEndAbove)
                    return;
                const double y = GetStreamSingle();
                if (y > kCompactEndAbove)
                    return;
                if (x < kCompactMissingFrom && y < kCompactMissingFrom && c < m_channelCount)
                    m_points.push_back({c, x, y, false, false});
            }
        }
    }

private:
    double Convert(std::string_view text) const { return FileStrToFloat(Trim(text)); }

    // A Y text: "Null" or "Empty" in any case marks the point, anything else is a number.
    void AddValue(int channel, double x, std::string_view yText)
    {
        const std::string y = Trim(yText);
        if (SameText(y, "Null"))
            m_points.push_back({channel, x, 0, true, false});
        else if (SameText(y, "Empty"))
            m_points.push_back({channel, x, 0, false, true});
        else
            m_points.push_back({channel, x, Convert(y), false, false});
    }

    // Columns 2k and 2k + 1 are X and Y of channel k.
    void LoadXYData(const std::vector<std::string_view>& columns)
    {
        for (std::size_t k = 0; k < columns.size() / 2 && int(k) < m_channelCount; ++k) {
            const std::string_view xText = columns[2 * k];
            const std::string_view yText = columns[2 * k + 1];
            if (Trim(xText).empty())
                continue;
            const double x = Convert(xText);
            if (Trim(yText).empty())
                continue;
            AddValue(int(k), x, yText);
        }
    }

    // Column 0 is X of the row, column k + 1 Y of channel k.
    void LoadLogData(const std::vector<std::string_view>& columns)
    {
        if (columns.empty() || Trim(columns[0]).empty())
            return;
        const double x = Convert(columns[0]);
        for (std::size_t k = 0; k + 1 < columns.size() && int(k) < m_channelCount; ++k)
            if (!Trim(columns[k + 1]).empty())
                AddValue(int(k), x, columns[k + 1]);
    }

    // The bytes up to and including the next LF, without CR and LF.
    std::string GetStreamRowString()
    {
        const std::size_t stop = std::min(m_bytes.find('\n', m_position), m_bytes.size());
        std::string row(m_bytes.substr(m_position, stop - m_position));
        m_position = std::min(stop + 1, m_bytes.size());
        std::erase(row, '\r');
        return row;
    }

    double GetStreamSingle()
    {
        if (m_bytes.size() - m_position < 4)
            throw Exception("Invalid Data");
        std::uint32_t bits = 0;
        for (int i = 0; i < 4; ++i)
            bits |= std::uint32_t(std::uint8_t(m_bytes[m_position + i])) << (8 * i);
        m_position += 4;
        return double(std::bit_cast<float>(bits));
    }

    bool OnlyEndMarkerFollows()
    {
        const std::size_t left = m_bytes.size() - m_position;
        return left == 0 || (left == 4 && GetStreamSingle() > kCompactEndAbove);
    }

    int m_channelCount;
    char m_separator = ',';
    std::string_view m_bytes;
    std::size_t m_position = 0;
    std::vector<TLoadedPoint> m_points;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Property file

void TiPlotComponent::SavePropertiesToFile(const std::string& fileName)
{
    try {
        TStringList lines;
        lines.Add("File Type = Plot Config");
        for (const TObjectBlock& block : kObjectBlocks)
            lines.Add(std::string(block.CountName) + " = " + IntToStr(Count(block.Kind)));
        lines.Add("DataViewZHorz = " + IntToStr(DataViewZHorz()));
        lines.Add("DataViewZVert = " + IntToStr(DataViewZVert()));
        for (const TObjectBlock& block : kObjectBlocks)
            for (int i = 0; i < Count(block.Kind); ++i)
                SaveObjectToStringList(GetObject(block.Kind, i), block.Prefix + IntToStr(i), lines);
        TStringList skip;
        skip.Add("Name");
        if (!OptionSaveAllProperties())
            for (const char* name : kPlacementProperties)
                skip.Add(name);
        SaveObjectToStringList(this, "", lines, &skip);
        lines.SaveToFile(fileName);
    } catch (const std::exception& e) {
        throw Exception(std::string("Error Saving Properties - ") + e.what());
    }
    OnAfterSaveProperties(this);
}

void TiPlotComponent::LoadPropertiesFromFile(const std::string& fileName)
{
    OnBeforeLoadProperties(this);
    try {
        TStringList lines;
        lines.LoadFromFile(fileName);
        std::string fileType;
        if (!GetPropertyValueString("File Type", fileType, lines) || !SameText(fileType, "Plot Config"))
            throw Exception("Incompatible Plot Configuration File Type");
        RehearsePropertyLines(lines);
        ApplyPropertyLines(lines, false);
    } catch (const std::exception& e) {
        throw Exception(std::string("Error Loading Properties - ") + e.what());
    }
    OnAfterLoadProperties(this);
}

// A load replaces the plot's objects: a value that does not convert, found half-way, would
// leave the plot with part of its objects and settings gone. The file is therefore loaded
// into a new plot of the same class first, which finds those values before this plot changes.
void TiPlotComponent::RehearsePropertyLines(const TStrings& lines) const
{
    if (!ClassInfo().CanCreate())
        return;
    std::unique_ptr<TObject> scratch(ClassInfo().Create(nullptr));
    auto* plot = dynamic_cast<TiPlotComponent*>(scratch.get());
    if (!plot)
        return;
    // While logging, the log's settings refuse changes: the rehearsal refuses them alike.
    plot->m_loggingActive = m_loggingActive;
    plot->m_logFileName = m_logFileName;
    plot->m_dataFileFormat = m_dataFileFormat;
    plot->m_dataFileColumnSeparator = m_dataFileColumnSeparator;
    TStringList copy;
    copy.Assign(lines);
    plot->ApplyPropertyLines(copy, true);
}

void TiPlotComponent::ApplyPropertyLines(TStrings& lines, bool rehearsal)
{
    // The header is read whole before the plot changes, so a file that does not fit leaves
    // the plot as it was. An object counted without lines of its own is made all the same,
    // with its first settings; only counts beyond what a plot can be given are refused.
    std::array<int, kObjectBlockCount> counts{};
    long long objects = 0;
    for (std::size_t i = 0; i < kObjectBlockCount; ++i) {
        bool present;
        counts[i] = std::max(0, TakeIntegerValue(kObjectBlocks[i].CountName, lines, present));
        objects += counts[i];
        if (objects > kMaxFileObjects)
            throw Exception(std::string(kObjectBlocks[i].CountName) + " " + IntToStr(counts[i]) + " exceeds the " +
                            IntToStr(kMaxFileObjects) + " objects a plot file may hold");
    }
    bool horzPresent, vertPresent;
    const int horz = TakeIntegerValue("DataViewZHorz", lines, horzPresent);
    const int vert = TakeIntegerValue("DataViewZVert", lines, vertPresent);

    DisableLayoutManager();
    BeginUpdate();
    // However the load ends, the plot must lay out and repaint again: the layout manager is on
    // again before the update's end repaints.
    TScopeExit relayout([this] {
        EnableLayoutManager();
        EndUpdate();
    });
    if (horzPresent)
        SetDataViewZHorz(horz);
    if (vertPresent)
        SetDataViewZVert(vert);
    RemoveAllLegends();
    RemoveAllTables();
    RemoveAllLabels();
    RemoveAllLimits();
    RemoveAllXAxes();
    RemoveAllYAxes();
    RemoveAllDataViews();
    RemoveAllChannels();
    RemoveAllAnnotations();
    RemoveAllDataCursors();
    // The lines are read in one pass, each object's block where the one before it ended.
    int index = 0;
    for (std::size_t i = 0; i < kObjectBlockCount; ++i)
        LoadObjectBlocks(kObjectBlocks[i].Kind, kObjectBlocks[i].Prefix, counts[i], lines, index);
    // A plot without a parent would show its window for a Visible line: the rehearsal leaves out
    // the control's place (a few plain numbers and flags, the one part of the file it does not
    // check).
    if (rehearsal)
        DiscardPlacementLines(lines, index);
    LoadObjectFromStringList(this, "", lines, index);
}

// ---------------------------------------------------------------------------------------------
// Annotation file

void TiPlotComponent::SaveAnnotationsToFile(const std::string& fileName)
{
    try {
        TStringList lines;
        lines.Add("AnnotationCount = " + IntToStr(AnnotationCount()));
        for (int i = 0; i < AnnotationCount(); ++i)
            SaveObjectToStringList(GetObject(TiPlotObjectKind::Annotation, i), "Annotation" + IntToStr(i), lines);
        lines.SaveToFile(fileName);
    } catch (const std::exception& e) {
        throw Exception(std::string("Error Saving Annotations - ") + e.what());
    }
}

void TiPlotComponent::LoadAnnotationsFromFile(const std::string& fileName)
{
    try {
        TStringList lines;
        lines.LoadFromFile(fileName);
        // The annotations are replaced only once the whole file has loaded into a scratch plot:
        // a value that does not convert, found half-way, must not leave half of them gone.
        if (ClassInfo().CanCreate()) {
            std::unique_ptr<TObject> scratch(ClassInfo().Create(nullptr));
            if (auto* plot = dynamic_cast<TiPlotComponent*>(scratch.get())) {
                TStringList copy;
                copy.Assign(lines);
                plot->ApplyAnnotationLines(copy);
            }
        }
        ApplyAnnotationLines(lines);
    } catch (const std::exception& e) {
        throw Exception(std::string("Error Loading Annotations - ") + e.what());
    }
}

void TiPlotComponent::ApplyAnnotationLines(TStrings& lines)
{
    bool present;
    const int count = std::max(0, TakeIntegerValue("AnnotationCount", lines, present));
    // Every saved annotation has lines of its own: a count beyond them is a damaged file.
    if (count > lines.Count())
        throw Exception("AnnotationCount " + IntToStr(count) + " exceeds the annotations in the file");
    TScopedUpdate update(*this);
    RemoveAllAnnotations();
    for (int i = 0; i < count; ++i)
        LoadObjectFromStringList(GetObject(TiPlotObjectKind::Annotation, AddAnnotation()), "Annotation" + IntToStr(i),
                                 lines);
}

void TiPlotComponent::LoadObjectBlocks(TiPlotObjectKind kind, const std::string& kindPrefix, int count,
                                       const TStrings& lines, int& index)
{
    for (int i = 0; i < count; ++i) {
        const std::string prefix = kindPrefix + IntToStr(i);
        TiPlotObject* target = nullptr;
        if (kind == TiPlotObjectKind::ToolBar) {
            // The toolbar is part of the plot: every toolbar block refills toolbar 0.
            target = ToolBarCount() > 0 ? GetObject(kind, 0) : nullptr;
        } else if (kind == TiPlotObjectKind::Label && i == 0) {
            // Label 0 is the title, kept through the load.
            target = LabelCount() > 0 ? GetObject(kind, 0) : nullptr;
        } else {
            int index = -1;
            switch (kind) {
            case TiPlotObjectKind::Channel: index = AddChannel(); break;
            case TiPlotObjectKind::XAxis: index = AddXAxis(); break;
            case TiPlotObjectKind::YAxis: index = AddYAxis(); break;
            case TiPlotObjectKind::Legend: index = AddLegend(); break;
            case TiPlotObjectKind::Table: index = AddTable(); break;
            case TiPlotObjectKind::Label: index = AddLabel(); break;
            case TiPlotObjectKind::DataView: index = AddDataView(); break;
            case TiPlotObjectKind::DataCursor: index = AddDataCursor(); break;
            case TiPlotObjectKind::Limit: index = AddLimit(); break;
            default: break;
            }
            target = GetObject(kind, index);
        }
        if (target)
            LoadObjectFromStringList(target, prefix, lines, index);
        else
            DiscardLines(prefix, lines, index);
    }
}

// ---------------------------------------------------------------------------------------------
// Data files

void TiPlotComponent::SaveDataToFile(const std::string& fileName)
{
    try {
        if (m_dataFileFormat == ipdffCompactInterval)
            SaveDataToFileCompactInterval(fileName);
        else
            SaveDataToFileText(fileName);
    } catch (const std::exception& e) {
        throw Exception(std::string("Error Saving Data - ") + e.what());
    }
    OnAfterSaveData(this);
}

void TiPlotComponent::SaveDataToFileText(const std::string& fileName)
{
    const char separator = GetSavingSeparator();
    std::string text;
    std::string line;
    int maxCount = 0;
    for (int c = 0; c < ChannelCount(); ++c) {
        const TiPlotChannelCustom& channel = *GetChannelCustom(c);
        AppendColumn(line, 2 * c, channel.TitleText() + "(X)", separator);
        AppendColumn(line, 2 * c + 1, channel.TitleText() + "(Y)", separator);
        maxCount = std::max(maxCount, channel.GetCount());
    }
    text += line + kCRLF;
    for (int r = 0; r < maxCount; ++r) {
        line.clear();
        for (int c = 0; c < ChannelCount(); ++c) {
            const TiPlotChannelCustom& channel = *GetChannelCustom(c);
            std::string x, y;
            if (r < channel.GetCount()) {
                x = FileFloat(channel.GetDataX(r));
                y = channel.GetDataNull(r)    ? "Null"
                    : channel.GetDataEmpty(r) ? "Empty"
                                              : FileFloat(channel.GetDataY(r));
            }
            AppendColumn(line, 2 * c, x, separator);
            AppendColumn(line, 2 * c + 1, y, separator);
        }
        text += line + kCRLF;
    }
    WriteFileBytes(fileName, text.data(), text.size());
}

void TiPlotComponent::SaveDataToFileCompactInterval(const std::string& fileName)
{
    TMemoryStream stream;
    const std::string header = std::string(kCompactTitle) + kCRLF + IntToStr(ChannelCount()) + kCRLF;
    stream.Write(header.data(), (long long)header.size());
    int maxCount = 0;
    for (int c = 0; c < ChannelCount(); ++c)
        maxCount = std::max(maxCount, GetChannelCustom(c)->GetCount());
    for (int r = 0; r < maxCount; ++r)
        WriteCompactRow(stream, r);
    WriteFloat32LE(stream, kCompactEnd);
    stream.SaveToFile(fileName);
}

// Row r of the compact form: per channel X for the first two rows (the later ones follow
// from their spacing), then Y; a channel without point r writes the missing marker.
void TiPlotComponent::WriteCompactRow(TStream& stream, int row) const
{
    for (int c = 0; c < Count(TiPlotObjectKind::Channel); ++c) {
        const TiPlotChannelCustom& channel = *GetChannelCustom(c);
        const bool held = row < channel.GetCount();
        if (row < 2)
            WriteFloat32LE(stream, held ? ToFloat32(channel.GetDataX(row)) : kCompactMissing);
        WriteFloat32LE(stream, held ? ToFloat32(channel.GetDataY(row)) : kCompactMissing);
    }
}

void TiPlotComponent::LoadDataFromFile(const std::string& fileName)
{
    BeginUpdate();
    try {
        const std::string bytes = ReadFileBytes(fileName);
        TDataFileParser parser(ChannelCount());
        const std::string_view firstRow = TRowReader(bytes).GetNextRowString();
        // A file damaged part-way still gives the points before the damage, as a file read
        // value by value would: the user of a cut file keeps what it holds. The fault is
        // reported once they are in.
        std::exception_ptr fault;
        try {
            if (SameText(firstRow, kCompactTitle))
                parser.LoadCompactInterval(bytes);
            else
                parser.ParseText(bytes);
        } catch (const std::exception&) {
            fault = std::current_exception();
        }
        for (const TLoadedPoint& p : parser.Points())
            AddPoint(*GetChannelCustom(p.Channel), p.X, p.Y, p.Null, p.Empty);
        if (fault)
            std::rethrow_exception(fault);
    } catch (const std::exception& e) {
        EndUpdate();
        throw Exception(std::string("Error Loading Data - ") + e.what());
    }
    EndUpdate();
    OnAfterLoadData(this);
}

// ---------------------------------------------------------------------------------------------
// Logging

void TiPlotComponent::LogActivate(bool append)
{
    if (Trim(m_logFileName).empty())
        throw Exception("Log File Name not Defined");
    if (m_loggingActive)
        throw Exception("Logging Already Active");
    if (append) {
        // Only checks that the log is there and may be written; each write reopens it.
        TFileStream file(m_logFileName, fmOpenReadWrite);
    } else {
        std::string header;
        if (m_dataFileFormat == ipdffCompactInterval) {
            header = std::string(kCompactTitle) + kCRLF + IntToStr(ChannelCount()) + kCRLF;
        } else {
            header = "(X)";
            for (int c = 0; c < ChannelCount(); ++c)
                header += GetSavingSeparator() + GetChannelCustom(c)->TitleText() + "(Y)";
            header += kCRLF;
        }
        WriteFileBytes(m_logFileName, header.data(), header.size());
    }
    m_loggingActive = true;
    m_pendingLogRowCount = 0;
}

void TiPlotComponent::LogDeactivate()
{
    if (!m_loggingActive)
        throw Exception("Logging not Active");
    m_loggingActive = false;
    if (m_pendingLogRowCount > 0)
        WriteLog();
}

void TiPlotComponent::WriteLogWhenDue()
{
    if (m_loggingActive && m_logBufferSize <= m_pendingLogRowCount)
        WriteLog();
}

// Row r of the text log: X of channel 0's point r, then per channel its Y, "Null" or
// "Empty", or an empty cell when the channel does not hold point r.
std::string TiPlotComponent::LogTextRow(int row, char separator) const
{
    std::string line = FileFloat(GetChannelCustom(0)->GetDataX(row));
    for (int c = 0; c < Count(TiPlotObjectKind::Channel); ++c) {
        const TiPlotChannelCustom& channel = *GetChannelCustom(c);
        line += separator;
        if (row >= channel.GetCount())
            continue;
        line += channel.GetDataNull(row)    ? "Null"
                : channel.GetDataEmpty(row) ? "Empty"
                                            : FileFloat(channel.GetDataY(row));
    }
    return line + kCRLF;
}

void TiPlotComponent::WriteLog()
{
    // The pending rows are the last ones of channel 0; those a ring has already dropped
    // (or that a plot without channels never had) are gone and skipped.
    const int pending = m_pendingLogRowCount;
    m_pendingLogRowCount = 0;
    const int held = ChannelCount() > 0 ? GetChannelCustom(0)->GetCount() : 0;
    TMemoryStream rows;
    for (int j = 0; j < pending; ++j) {
        const int r = held - pending + j;
        if (r < 0)
            continue;
        if (m_dataFileFormat == ipdffCompactInterval) {
            WriteCompactRow(rows, r);
        } else {
            const std::string line = LogTextRow(r, GetSavingSeparator());
            rows.Write(line.data(), (long long)line.size());
        }
    }
    TFileStream file(m_logFileName, fmOpenReadWrite);
    file.Seek(0, soEnd);
    file.Write(rows.Bytes().data(), (long long)rows.Bytes().size());
}
