#pragma once
// Serial ports for the meter link. Reads never wait; writes block until the bytes are
// handed to the driver. The port is opened exclusively, raw 8N1 without flow control.

#include <cstddef>
#include <memory>
#include <string>

class ISerialPort {
public:
    virtual ~ISerialPort() = default;
    virtual bool Open(const std::string& path) = 0;  // closes a port that is open first
    virtual bool Configure(int baud) = 0;            // 4800, 9600, 19200 or 38400
    // What is buffered, at most n bytes; 0 when nothing is there or no port is open.
    virtual std::size_t Read(void* buffer, std::size_t n) = 0;
    virtual void WriteByte(unsigned char byte) = 0;
    virtual void Write(const void* bytes, std::size_t n) = 0;
    virtual bool Close() = 0;  // false when closing failed
    virtual bool IsOpen() const = 0;
    // The device went away under an open port (the cable was pulled, the terminal hung up):
    // reads give nothing and never will. Seen by a read; cleared when a port is opened.
    virtual bool LineLost() const = 0;
};

class SerialPort final : public ISerialPort {
public:
    SerialPort();
    ~SerialPort() override;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    bool Open(const std::string& path) override;
    bool Configure(int baud) override;
    std::size_t Read(void* buffer, std::size_t n) override;
    void WriteByte(unsigned char byte) override;
    void Write(const void* bytes, std::size_t n) override;
    bool Close() override;
    bool IsOpen() const override;
    bool LineLost() const override;

private:
    int fd_ = -1;
    bool lineLost_ = false;
};

// The device behind "COMn": the environment variable COMn when set, else /dev/ttyS(n-1).
std::string ComPortPath(int n);
