#pragma once
// The library's exception and the kinds callers catch by type. Messages are 8-bit
// (Windows-1252) text and are shown unchanged by the application's error box.

#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : m_message(std::move(message)) {}
    const std::string& Message() const { return m_message; }
    void SetMessage(std::string message) { m_message = std::move(message); }
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    std::string m_message;
};

#define PRAVIX_EXCEPTION(Name, Base) \
    class Name : public Base {       \
    public:                          \
        using Base::Base;            \
    };

PRAVIX_EXCEPTION(EConvertError, Exception)
PRAVIX_EXCEPTION(EListError, Exception)
PRAVIX_EXCEPTION(EMathError, Exception)
PRAVIX_EXCEPTION(EZeroDivide, EMathError)
PRAVIX_EXCEPTION(EInvalidOp, EMathError)
PRAVIX_EXCEPTION(EOverflow, EMathError)
PRAVIX_EXCEPTION(EAbstractError, Exception)
PRAVIX_EXCEPTION(EStreamError, Exception)
PRAVIX_EXCEPTION(EFOpenError, EStreamError)
PRAVIX_EXCEPTION(EFCreateError, EStreamError)
PRAVIX_EXCEPTION(EOutOfMemory, Exception)

#undef PRAVIX_EXCEPTION

// Raisers with the fixed texts.
[[noreturn]] void RaiseListIndexError(long long index);               // "List index out of bounds (%d)"
[[noreturn]] void RaiseZeroDivide();                                  // "Floating point division by zero"
[[noreturn]] void RaiseInvalidOp();                                   // "Invalid floating point operation"
[[noreturn]] void RaiseOverflow();                                    // "Floating point overflow"
[[noreturn]] void RaiseAbstractError();                               // "Abstract Error"
[[noreturn]] void RaiseFileOpenError(const std::string& fileName);    // "Cannot open file "%s". %s"
[[noreturn]] void RaiseFileCreateError(const std::string& fileName);  // "Cannot create file "%s". %s"
