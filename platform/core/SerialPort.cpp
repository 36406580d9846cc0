#include "platform/core/SerialPort.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

speed_t SpeedFor(int baud)
{
    switch (baud) {
    case 4800: return B4800;
    case 9600: return B9600;
    case 38400: return B38400;
    default: return B19200;
    }
}

// Waits until the descriptor takes more bytes (a non-blocking descriptor may say EAGAIN).
bool WaitWritable(int fd)
{
    pollfd p{fd, POLLOUT, 0};
    for (;;) {
        int r = ::poll(&p, 1, 2000);
        if (r > 0)
            return (p.revents & (POLLERR | POLLHUP | POLLNVAL)) == 0;
        if (r == 0 || errno != EINTR)
            return false;
    }
}

// A terminal that was hung up reads as empty, like one with nothing buffered; only poll tells
// them apart.
bool HungUp(int fd)
{
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

}  // namespace

SerialPort::SerialPort() = default;

SerialPort::~SerialPort() { Close(); }

bool SerialPort::Open(const std::string& path)
{
    Close();
    lineLost_ = false;
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    termios tio{};
    if (!::isatty(fd) || ::ioctl(fd, TIOCEXCL) != 0 || ::tcgetattr(fd, &tio) != 0) {
        ::close(fd);
        return false;
    }
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS | CSIZE);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    ::cfsetispeed(&tio, B19200);
    ::cfsetospeed(&tio, B19200);
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

bool SerialPort::Configure(int baud)
{
    termios tio{};
    if (fd_ < 0 || ::tcgetattr(fd_, &tio) != 0)
        return false;
    ::cfsetispeed(&tio, SpeedFor(baud));
    ::cfsetospeed(&tio, SpeedFor(baud));
    return ::tcsetattr(fd_, TCSANOW, &tio) == 0;
}

std::size_t SerialPort::Read(void* buffer, std::size_t n)
{
    if (fd_ < 0 || n == 0)
        return 0;
    for (;;) {
        ssize_t r = ::read(fd_, buffer, n);
        if (r > 0)
            return std::size_t(r);
        if (r < 0 && errno == EINTR)
            continue;
        // Nothing buffered (0, or EAGAIN), or the line went away: EIO from a pseudo-terminal
        // whose other end closed, ENXIO or ENODEV from a device unplugged.
        if (r < 0 ? errno != EAGAIN : HungUp(fd_))
            lineLost_ = true;
        return 0;
    }
}

void SerialPort::WriteByte(unsigned char byte) { Write(&byte, 1); }

void SerialPort::Write(const void* bytes, std::size_t n)
{
    const auto* p = static_cast<const unsigned char*>(bytes);
    while (fd_ >= 0 && n > 0) {
        ssize_t w = ::write(fd_, p, n);
        if (w > 0) {
            p += w;
            n -= std::size_t(w);
        } else if (w < 0 && errno == EINTR) {
            continue;
        } else if (w < 0 && errno == EAGAIN) {
            if (!WaitWritable(fd_))
                return;
        } else {
            return;  // the line is gone; the bytes are lost as on a dead link
        }
    }
}

bool SerialPort::Close()
{
    if (fd_ < 0)
        return true;
    int fd = fd_;
    fd_ = -1;
    // Exclusive use ends with this handle, also where another holder keeps the device open.
    ::ioctl(fd, TIOCNXCL);
    return ::close(fd) == 0;
}

bool SerialPort::IsOpen() const { return fd_ >= 0; }

bool SerialPort::LineLost() const { return lineLost_; }

std::string ComPortPath(int n)
{
    std::string name = "COM" + std::to_string(n);
    if (const char* value = std::getenv(name.c_str()); value && *value)
        return value;
    return "/dev/ttyS" + std::to_string(n - 1);
}
