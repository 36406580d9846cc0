#include "tools/simulator/MeterSimulator.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace {

std::string Upper(std::string s)
{
    for (char& c : s)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

bool StartsWithNoCase(const std::string& line, const char* key)
{
    return Upper(line.substr(0, std::strlen(key))) == Upper(key);
}

std::string AfterEquals(const std::string& line)
{
    size_t eq = line.rfind('=');
    return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

std::tm LocalNow()
{
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return tm;
}

std::string TwoDigits(int a, char sep, int b, int c)
{
    char buf[32];
    if (sep)
        std::snprintf(buf, sizeof buf, "%02d%c%02d%c%02d", a, sep, b, sep, c);
    else
        std::snprintf(buf, sizeof buf, "%02d%02d%02d", a, b, c);
    return buf;
}

// "hhmmss" or "mmddyy" as typed to the meter, shown with separators.
std::string WithSeparators(const std::string& packed, char sep)
{
    if (packed.size() != 6)
        return packed;
    return packed.substr(0, 2) + sep + packed.substr(2, 2) + sep + packed.substr(4, 2);
}

}  // namespace

MeterSimulator::MeterSimulator(SimulatorConfig config) : config_(std::move(config)), noise_(config_.NoiseSeed)
{
    const std::map<std::string, std::string> defaults = {
        {"VER", "ZUV-SIM 1.0"}, {"AVE", "30"}, {"PKT", "0"}, {"SET", "1"},   {"INT", "000010"}, {"REC", "0"},
        {"MEM", "120"},         {"CAL", "0"},  {"ASV", "2"}, {"UGL", "100"}, {"OFF", "0"},      {"MVS", "0"},
    };
    for (const auto& [key, value] : defaults)
        config_.Settings.emplace(key, value);
    if (config_.InternalLog.empty())
        config_.InternalLog = "ZUV internal log\r\n03/07/26\t12:00:00\t101\t202\r\n03/07/26\t12:00:10\t103\t204\r\n";
    ReadDeviceFile();
}

MeterSimulator::~MeterSimulator() { CloseLine(); }

void MeterSimulator::ReadDeviceFile()
{
    if (config_.DevicePath.empty())
        return;
    std::ifstream in(config_.DevicePath, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        int n = std::atoi(AfterEquals(line).c_str());
        if (StartsWithNoCase(line, "Columns=") && n >= 1 && n <= 75)
            columns_ = n;
        else if (StartsWithNoCase(line, "Date="))
            dateColumn_ = n;
        else if (StartsWithNoCase(line, "Time="))
            timeColumn_ = n;
        else if (StartsWithNoCase(line, "COUNTER="))
            counterColumn_ = n;
    }
}

bool MeterSimulator::Open(std::string* error)
{
    auto fail = [&](const char* what) {
        if (error)
            *error = std::string(what) + ": " + std::strerror(errno);
        CloseLine();
        return false;
    };
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0)
        return fail("posix_openpt");
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
        return fail("grantpt");
    const char* name = ::ptsname(master_);
    if (!name)
        return fail("ptsname");
    slavePath_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (slave_ < 0)
        return fail("open slave");
    // Raw from the start: no echo of the meter's own output, no line editing.
    termios tio{};
    ::tcgetattr(slave_, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(slave_, TCSANOW, &tio);
    return true;
}

bool MeterSimulator::CreateLink(const std::string& linkPath)
{
    ::unlink(linkPath.c_str());
    return ::symlink(slavePath_.c_str(), linkPath.c_str()) == 0;
}

std::string MeterSimulator::Setting(const std::string& key) const
{
    auto it = config_.Settings.find(key);
    return it == config_.Settings.end() ? std::string() : it->second;
}

void MeterSimulator::Pump(int timeoutMs)
{
    if (master_ < 0)
        return;
    pollfd p{master_, POLLIN, 0};
    int r = ::poll(&p, 1, timeoutMs);
    if (r > 0 && (p.revents & POLLIN)) {
        char buf[512];
        ssize_t n;
        while ((n = ::read(master_, buf, sizeof buf)) > 0)
            HandleInput(buf, size_t(n));
    }
    EmitDueLines();
    Flush();
}

void MeterSimulator::HandleInput(const char* bytes, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i) {
        char c = bytes[i];
        if (c == '!') {
            if (++bangs_ == 5) {
                bangs_ = 0;
                ++stops_;
                streaming_ = false;  // lines go out whole, so this is at a line end
                commands_.push_back("!!!!!");
            }
            continue;
        }
        bangs_ = 0;
        if (c == '\r' || c == '\n') {
            if (!command_.empty())
                HandleCommand(command_);
            command_.clear();
        } else if (command_.size() < 256) {
            command_ += c;
        }
    }
}

void MeterSimulator::Reply(const std::string& key) { Send(key + " " + Setting(key) + "\r\n"); }

void MeterSimulator::HandleCommand(const std::string& command)
{
    commands_.push_back(command);
    std::string upper = Upper(command);
    std::string verb = upper.substr(0, upper.find(' '));
    std::string arg = command.find(' ') == std::string::npos ? std::string() : command.substr(command.find(' ') + 1);
    static const std::map<std::string, std::string> kSetCommands = {
        {"$AVE", "AVE"}, {"$PKT", "PKT"}, {"$SET", "SET"}, {"$INT", "INT"}, {"$REC", "REC"},
        {"$CAL", "CAL"}, {"$ASV", "ASV"}, {"$UGL", "UGL"}, {"$OFF", "OFF"}, {"$MVS", "MVS"},
    };
    if (auto it = kSetCommands.find(verb); it != kSetCommands.end() && !arg.empty()) {
        config_.Settings[it->second] = arg;
        Reply(it->second);
    } else if (verb == "$RUN") {
        streaming_ = true;
        nextLine_ = Clock::now();
    } else if (verb == "$MNU" || verb == "$RLS") {
        SendMenu();
    } else if (verb == "$STO") {
        Send("DONE\r\n");
    } else if (verb == "$EMC") {
        config_.Settings["MEM"] = "0";
        Reply("MEM");
    } else if (verb == "$GET") {
        SendLog();
    } else if (verb == "$CLK" || verb == "$SCK") {
        if (!arg.empty())
            config_.Settings["CLK"] = WithSeparators(arg, ':');
        Reply("CLK");
    } else if (verb == "$DAT" || verb == "$SDT") {
        if (!arg.empty())
            config_.Settings["DAT"] = WithSeparators(arg, '/');
        Reply("DAT");
    } else {
        Send("ERR " + command + "\r\n");
    }
}

void MeterSimulator::SendMenu()
{
    for (const char* key : {"VER", "AVE", "PKT", "SET", "INT", "REC", "MEM", "CAL", "ASV", "UGL", "OFF"})
        Reply(key);
    // The clock runs on its own unless it was set.
    std::tm t = LocalNow();
    Send("CLK " + (config_.Settings.count("CLK") ? Setting("CLK") : TwoDigits(t.tm_hour, ':', t.tm_min, t.tm_sec)) +
         "\r\n");
    Send("DAT " +
         (config_.Settings.count("DAT") ? Setting("DAT") : TwoDigits(t.tm_mon + 1, '/', t.tm_mday, t.tm_year % 100)) +
         "\r\n");
}

void MeterSimulator::SendLog()
{
    std::string dump = config_.InternalLog + "etx\r\n";
    std::size_t at = std::exchange(logPauseAt_, std::string::npos);
    if (at >= dump.size()) {
        Send(dump);
        return;
    }
    Send(dump.substr(0, at));
    Flush();
    PauseFor(logPauseMs_);
    Send(dump.substr(at));
}

std::string MeterSimulator::NextDataLine()
{
    long k = linesSent_++;
    std::tm t = LocalNow();
    std::string line = config_.NoDatePrefix ? "QOVA_BB" : "";
    for (int col = 1; col <= columns_; ++col) {
        if (col > 1)
            line += '\t';
        char buf[64];
        if (col == dateColumn_)
            line += TwoDigits(t.tm_mon + 1, '/', t.tm_mday, t.tm_year % 100);
        else if (col == timeColumn_)
            line += TwoDigits(t.tm_hour, ':', t.tm_min, t.tm_sec);
        else if (col == counterColumn_)
            line += std::to_string(k + 1);
        else {
            // A slow wave per column, so plots show something that moves.
            std::snprintf(buf, sizeof buf, "%d", 1000 + 100 * col + int(50 * std::sin(0.2 * double(k) + col)));
            line += buf;
        }
    }
    return line + "\r\n";
}

void MeterSimulator::EmitDueLines()
{
    if (!streaming_ || config_.LinesPerSecond <= 0)
        return;
    auto now = Clock::now();
    if (now < pausedUntil_)
        return;
    auto period =
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / config_.LinesPerSecond));
    if (now - nextLine_ > std::chrono::seconds(1))
        nextLine_ = now;  // after a pause, carry on instead of bursting
    while (nextLine_ <= now && !pauseDue_) {
        Send(NextDataLine());
        InjectDueFaults();
        nextLine_ += period;
    }
}

void MeterSimulator::InjectDueFaults()
{
    auto due = [this](int every) { return every > 0 && linesSent_ % every == 0; };
    if (due(config_.NoiseEvery)) {
        Send(NoiseLine());
        ++noiseLines_;
    }
    if (due(config_.LongLineEvery)) {
        Send(LongLine(300));
        ++longLines_;
    }
    if (due(config_.PauseEvery))
        pauseDue_ = true;  // once the lines before it are out
}

// Up to 100 random bytes after a "#", which no data line or reply starts with; no CR or LF
// inside, so the noise never cuts into the lines around it.
std::string MeterSimulator::NoiseLine()
{
    std::string line = "#";
    std::uniform_int_distribution<int> length(1, 100), byte(0, 255);
    for (int n = length(noise_); n > 0; --n) {
        char c = char(byte(noise_));
        line += c == '\n' || c == '\r' ? '~' : c;
    }
    return line + "\r\n";
}

void MeterSimulator::Send(const std::string& text)
{
    // Nobody listening: like a real meter, the oldest output is lost rather than piling up.
    constexpr std::size_t kMaxPending = 64 * 1024;
    out_ += text;
    if (out_.size() > kMaxPending) {
        bytesDropped_ += out_.size() - kMaxPending;
        out_.erase(0, out_.size() - kMaxPending);
    }
}

void MeterSimulator::Flush()
{
    if (master_ < 0 || Clock::now() < pausedUntil_)
        return;
    if (!out_.empty()) {
        ssize_t n = ::write(master_, out_.data(), out_.size());
        if (n > 0)
            out_.erase(0, size_t(n));
    }
    if (out_.empty() && pauseDue_) {
        pauseDue_ = false;
        PauseFor(config_.PauseMilliseconds);
    }
}

void MeterSimulator::InjectBytes(const std::string& bytes)
{
    Send(bytes);
    Flush();
}

std::string MeterSimulator::LongLine(std::size_t length)
{
    std::string line;
    for (std::size_t i = 0; i < length; ++i)
        line += char('0' + i % 10);
    return line + "\r\n";
}

void MeterSimulator::InjectLongLine(std::size_t length) { InjectBytes(LongLine(length)); }

void MeterSimulator::PauseFor(int milliseconds)
{
    pausedUntil_ = Clock::now() + std::chrono::milliseconds(milliseconds);
}

void MeterSimulator::PauseNextLogAfter(std::size_t bytes, int milliseconds)
{
    logPauseAt_ = bytes;
    logPauseMs_ = milliseconds;
}

void MeterSimulator::CloseLine()
{
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
    slave_ = master_ = -1;
    streaming_ = false;
}
