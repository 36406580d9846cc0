#pragma once
// A ZUV meter on a pseudo-terminal, for tests and demonstrations. It answers the meter's
// commands with its set-up, streams TAB-separated data lines after "$run" until "!!!!!",
// dumps an internal log ending in "etx" after "$get", and can inject faults: noise,
// over-long lines, a pause, a line that goes away.

#include <chrono>
#include <map>
#include <random>
#include <string>
#include <vector>

struct SimulatorConfig {
    std::string DevicePath;  // device file giving the columns ("Columns=", "Date=", "Time=", "COUNTER=")
    double LinesPerSecond = 2.0;
    bool NoDatePrefix = false;  // start data lines with "QOVA_BB" (the meter gives no date)
    std::string InternalLog;    // sent after "$get", followed by "etx"
    // Reply values by keyword: VER, AVE, PKT, SET, INT, REC, MEM, CAL, ASV, UGL, OFF, CLK, DAT.
    std::map<std::string, std::string> Settings;
    // Faults among the data lines, each after every so many data lines (0: never).
    int NoiseEvery = 0;     // a line of random bytes, never a data line or a reply
    int LongLineEvery = 0;  // a line longer than the host's line buffer
    int PauseEvery = 0;     // silence for PauseMilliseconds
    int PauseMilliseconds = 0;
    unsigned NoiseSeed = 1;
};

class MeterSimulator {
public:
    explicit MeterSimulator(SimulatorConfig config);
    ~MeterSimulator();
    MeterSimulator(const MeterSimulator&) = delete;
    MeterSimulator& operator=(const MeterSimulator&) = delete;

    // Opens the pseudo-terminal; false with a reason when it cannot.
    bool Open(std::string* error = nullptr);
    const std::string& SlavePath() const { return slavePath_; }
    // A symbolic link to the slave device (replaced if it exists).
    bool CreateLink(const std::string& linkPath);

    // Waits up to timeoutMs for the host, then handles what arrived and sends what is due.
    void Pump(int timeoutMs);

    bool Streaming() const { return streaming_; }
    bool IsOpen() const { return master_ >= 0; }
    const std::vector<std::string>& Commands() const { return commands_; }
    int StopSequences() const { return stops_; }
    long LinesSent() const { return linesSent_; }
    long NoiseLinesSent() const { return noiseLines_; }
    long LongLinesSent() const { return longLines_; }
    // Output thrown away because nobody read it (the oldest goes first).
    std::size_t BytesDropped() const { return bytesDropped_; }
    std::string Setting(const std::string& key) const;
    std::string NextDataLine();  // builds (and counts) the next data line, CR LF included

    // Faults.
    void InjectBytes(const std::string& bytes);
    void InjectLongLine(std::size_t length);
    void PauseFor(int milliseconds);  // PauseFor(0) ends a pause at once
    // The next log dump stops for that long after its first bytes, like a meter slow to read
    // its memory.
    void PauseNextLogAfter(std::size_t bytes, int milliseconds);
    void CloseLine();

private:
    using Clock = std::chrono::steady_clock;

    void ReadDeviceFile();
    void HandleInput(const char* bytes, std::size_t n);
    void HandleCommand(const std::string& command);
    void Reply(const std::string& key);
    void SendMenu();
    void SendLog();
    void Send(const std::string& text);
    void Flush();
    void EmitDueLines();
    void InjectDueFaults();
    std::string NoiseLine();
    static std::string LongLine(std::size_t length);  // digits, so its tail reads as one number

    SimulatorConfig config_;
    int master_ = -1;
    int slave_ = -1;  // kept open so the master never sees a hang-up between host opens
    std::string slavePath_;
    std::string command_;
    int bangs_ = 0;
    int stops_ = 0;
    bool streaming_ = false;
    long linesSent_ = 0, noiseLines_ = 0, longLines_ = 0;
    std::size_t bytesDropped_ = 0;
    bool pauseDue_ = false;  // a scheduled pause starts when what came before it is sent
    std::mt19937 noise_;
    std::string out_;
    std::vector<std::string> commands_;
    int columns_ = 3;
    int dateColumn_ = 0, timeColumn_ = 0, counterColumn_ = 0;  // 1-based, 0 none
    Clock::time_point nextLine_{};
    Clock::time_point pausedUntil_{};
    std::size_t logPauseAt_ = std::string::npos;
    int logPauseMs_ = 0;
};
