#include "platform/core/Exceptions.h"

#include <cerrno>
#include <cstring>

void RaiseListIndexError(long long index)
{
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

void RaiseZeroDivide() { throw EZeroDivide("Floating point division by zero"); }
void RaiseInvalidOp() { throw EInvalidOp("Invalid floating point operation"); }
void RaiseOverflow() { throw EOverflow("Floating point overflow"); }
void RaiseAbstractError() { throw EAbstractError("Abstract Error"); }

// The second part of both file messages is the system's text for errno at the call.
void RaiseFileOpenError(const std::string& fileName)
{
    throw EFOpenError("Cannot open file \"" + fileName + "\". " + std::strerror(errno));
}

void RaiseFileCreateError(const std::string& fileName)
{
    throw EFCreateError("Cannot create file \"" + fileName + "\". " + std::strerror(errno));
}
