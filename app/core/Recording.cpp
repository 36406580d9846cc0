#include "app/core/Recording.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdio_ext.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/core/CFormat.h"
#include "app/core/DeviceFile.h"
#include "app/core/DeviceQuantities.h"
#include "app/core/FileNames.h"
#include "app/core/HostContext.h"

namespace {

using namespace TypeCode;

const char* const kRawFilter = "Raw Files (*.raw)|*.raw|All Files (*.*)|*.*";

// Every input step pushes the record files to the disk at its end, so the stdio buffer never
// holds more than one step; a large one only lets a step's rows leave in fewer system calls.
constexpr std::size_t kRecordBufferBytes = 64 * 1024;

// One record file's share of the host state.
struct RecordFile {
    FilePtr& File;
    std::unique_ptr<char[]>& Buffer;
    bool& Recording;
    long& Unsynced;  // bytes handed to stdio, not yet known to be on the disk
    std::string& Path;
    long& Size;        // bytes on the disk
    const char* Kind;  // as the warning names it
};

// A row's values, each a TAB and the value as "%<width>.<precision>f" writes it. A
// nine-wavelength row holds 36 of them and the record is written with every line, so they are
// written in place into a buffer and reach the row a bufferful at a time.
class RowValues {
public:
    explicit RowValues(std::string& row) : m_row(row) {}
    RowValues(const RowValues&) = delete;
    RowValues& operator=(const RowValues&) = delete;
    ~RowValues() { Flush(); }

    void Add(double value, int width, int precision)
    {
        if (m_text + sizeof m_text - m_at < 1 + kShortFixedRoom)
            Flush();
        *m_at++ = '\t';
        if (char* end = WriteShortFixed(m_at, value, width, precision)) {
            m_at = end;
            return;
        }
        Flush();
        AppendFixed(m_row, value, width, precision);
    }

private:
    void Flush()
    {
        m_row.append(m_text, std::size_t(m_at - m_text));
        m_at = m_text;
    }

    std::string& m_row;
    char m_text[1024];
    char* m_at = m_text;
};

// The values of the columns that carry a quantity, each after a TAB.
void AppendQuantityValues(std::string& row, const HostState& s)
{
    RowValues values(row);
    for (const auto [col, t] : s.QuantityColumns()) {
        if (IsLambda(t)) {
            for (double value : {s.TypeBeta[t], s.TypeBetap[t], s.TypeBbp[t], s.TypeBb[t]})
                values.Add(value, 8, 6);
        } else if (IsVSF(t)) {
            values.Add(s.TypeVSF[t], 6, 4);
        } else {
            switch (t) {
            case IEngr:
            case CHL:
            case Phycocyanin:
            case Phycoerythrin:
            case Uranine:
            case Rhodamine:
            case CDOM:
            case LSS:
            case NTU:
            case ITemp:
            case XTemp:
            case Engr1:
            case PAR: values.Add(s.EngValue[t], 6, 4); break;
            case Pressure: values.Add(s.EngValue[t], 5, 1); break;
            case Counter:
            case Raw: values.Add(s.EngValue[t], 1, 0); break;
            default: break;
            }
        }
    }
}

RecordFile RawRecord(HostState& s)
{
    return {s.RawFile, s.RawFileBuffer, s.RawRecording, s.RawUnsyncedSize, s.RawPath, s.RawFileSize, "raw"};
}

RecordFile EngrRecord(HostState& s)
{
    return {s.EngrFile, s.EngrFileBuffer, s.EngrRecording,    s.EngrUnsyncedSize,
            s.EngrPath, s.EngrFileSize,   "engineering units"};
}

// fflush hands the bytes to the system, fdatasync has the system write them out, so they
// survive a power cut too. A device that cannot be synced (EINVAL, EROFS) has nothing more to
// write out. Only then do the bytes count as on the disk.
bool PushToDisk(RecordFile r)
{
    if (std::fflush(r.File.get()) != 0)
        return false;
    if (::fdatasync(::fileno(r.File.get())) != 0 && errno != EINVAL && errno != EROFS)
        return false;
    r.Size += r.Unsynced;
    r.Unsynced = 0;
    return true;
}

// A failed write may have left part of a row behind what was on the disk already (a full disk
// takes what fits). What stdio still holds is dropped, and the file is cut back to the last line
// end in that part, so it ends in whole rows; the size then counts what the disk holds.
void CutToWholeRows(RecordFile r)
{
    std::FILE* file = r.File.get();
    ::__fpurge(file);
    r.Unsynced = 0;
    const int fd = ::fileno(file);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= r.Size) {
        if (S_ISREG(st.st_mode))
            r.Size = std::min<long>(r.Size, long(st.st_size));
        return;
    }
    std::string tail(std::size_t(st.st_size - r.Size), '\0');
    const ssize_t got = ::pread(fd, tail.data(), tail.size(), r.Size);
    const std::size_t end = got > 0 ? tail.rfind('\n', std::size_t(got) - 1) : std::string::npos;
    const long whole = end == std::string::npos ? r.Size : r.Size + long(end) + 1;
    if (::ftruncate(fd, whole) == 0)
        r.Size = whole;
    else
        r.Size = long(st.st_size);  // the part stays; the size still says what is there
}

// A record file failed: the recording ends there, and the user learns why.
void StopOnWriteError(HostContext& ctx, RecordFile r, int error)
{
    CutToWholeRows(r);
    r.Recording = false;
    r.File.reset();
    ctx.ShowWarning("Recording Stopped",
                    CFormat("The %s record file \"%s\" could not be written: %s.\nRecording to it has stopped; the "
                            "file keeps what was written before.",
                            r.Kind, r.Path.c_str(), std::strerror(error)));
}

void WriteRecord(HostContext& ctx, RecordFile r, std::string_view bytes)
{
    std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), r.File.get());
    r.Unsynced += long(written);
    if (written < bytes.size())
        StopOnWriteError(ctx, r, errno);
}

// Writes out what is buffered and closes the file; a failure to do so is reported.
void EndRecording(HostContext& ctx, RecordFile r)
{
    if (!r.Recording)
        return;
    if (!PushToDisk(r)) {
        StopOnWriteError(ctx, r, errno);
        return;
    }
    r.Recording = false;
    r.File.reset();
}

// Creates a record file, ending the recording it replaces; warns when it cannot be created.
bool CreateRecordFile(HostContext& ctx, RecordFile r, const std::string& path)
{
    EndRecording(ctx, r);
    r.File.reset();  // closed before its buffer serves the new file
    // Readable too: after a failed write the file's end is read back to cut it to whole rows.
    r.File.reset(std::fopen(path.c_str(), "w+b"));
    if (!r.File) {
        ctx.ShowWarning("Unable to open file.", "Error opening fille");
        return false;
    }
    if (!r.Buffer)
        r.Buffer = std::make_unique<char[]>(kRecordBufferBytes);
    std::setvbuf(r.File.get(), r.Buffer.get(), _IOFBF, kRecordBufferBytes);
    r.Path = path;
    r.Size = 0;
    r.Unsynced = 0;
    r.Recording = true;
    return true;
}

}  // namespace

void BTRecordRawClick(HostContext& ctx)
{
    auto path = ctx.dialogs.SaveFile({"Record Raw Data", "*.raw", kRawFilter, true});
    if (!path)
        return;
    std::string name = WithDefaultExtension(*path, "raw");
    if (CreateRecordFile(ctx, RawRecord(ctx.s), name))
        ctx.ui.SetText("LBRawFileName", CFormat("Raw File Name:  %s", name.c_str()));
}

void WriteRawRecord(HostContext& ctx, std::string_view bytes)
{
    if (!bytes.empty() && ctx.s.RawRecording)
        WriteRecord(ctx, RawRecord(ctx.s), bytes);
}

void BTStopRecordClick(HostContext& ctx)
{
    EndRecording(ctx, RawRecord(ctx.s));
    EndRecording(ctx, EngrRecord(ctx.s));
}

void BTRecordEngrClick(HostContext& ctx)
{
    HostState& s = ctx.s;
    if (s.Device.DataFieldCount == 0)
        LoadDeviceFileClick(ctx);
    auto path =
        ctx.dialogs.SaveFile({"Open Engr Units Record File", "eng", "Engineering Units|*.eng|All Files|*.*", true});
    if (!path)
        return;
    if (!CreateRecordFile(ctx, EngrRecord(s), *path)) {
        ctx.ui.SetText("LBEngrFileName", "Engr Units File: ");
        return;
    }
    ctx.ui.SetText("LBEngrFileName", CFormat("Engr Units File:  %s", path->c_str()));
    s.EngrHeaderPending = false;
    WriteRecord(ctx, EngrRecord(s), EngrHeaderLine(s));
}

void WriteEngrRecord(HostContext& ctx)
{
    HostState& s = ctx.s;
    if (!s.EngrRecording)
        return;
    std::string& text = s.EngrRowText;  // its storage serves every line
    text.clear();
    if (s.EngrHeaderPending) {  // a new device file changed the columns
        s.EngrHeaderPending = false;
        text = EngrHeaderLine(s);
    }
    AppendEngrDataRow(text, s);
    WriteRecord(ctx, EngrRecord(s), text);
}

void FlushRecordFiles(HostContext& ctx)
{
    for (RecordFile r : {RawRecord(ctx.s), EngrRecord(ctx.s)}) {
        if (!r.Recording || r.Unsynced == 0)
            continue;
        if (!PushToDisk(r))
            StopOnWriteError(ctx, r, errno);
    }
}

std::string EngrHeaderLine(const HostState& s)
{
    std::string line = "Count\tDate\tTime";
    for (int col = 0; col < kMaxColumns; ++col) {
        const TTypeCode t = s.Device.ColumnTypes[col];
        if (t < 0 || t >= kTypeCount)
            continue;
        if (IsLambda(t)) {
            int w = s.Device.TypeWavelength[t];
            line += CFormat("%cBeta(%3d)%cBetap(%3d)%cbbp(%3d)%cbb(%3d))", '\t', w, '\t', w, '\t', w, '\t', w);
        } else if (const DeviceQuantity* q = QuantityOf(t); q && q->RecordHeader) {
            line += t == IEngr ? CFormat(q->RecordHeader, s.Device.EngrUnits.c_str()) : q->RecordHeader;
        }
    }
    return line + "\r\n";
}

void AppendEngrDataRow(std::string& row, const HostState& s)
{
    AppendFixed(row, s.SampleX, 1, 0);
    for (const std::array<int, 3>& numbers : {s.MeterDate, s.MeterTime}) {
        row += '\t';
        for (int n : numbers)
            AppendWhole(row, n, 2, true);
    }
    AppendQuantityValues(row, s);
    row += "\r\n";
}
