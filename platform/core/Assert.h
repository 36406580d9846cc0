#pragma once
// Runtime invariants. PRAVIX_ASSERT(condition, "why it must hold") checks in builds with
// PRAVIX_ASSERTIONS (the sanitizer build): a broken invariant prints the condition, the reason
// and the place, then aborts. Other builds compile the condition (it stays valid code) but
// never evaluate it, so it must not have side effects.

#ifdef PRAVIX_ASSERTIONS
#define PRAVIX_ASSERT(condition, why) \
    ((condition) ? static_cast<void>(0) : PravixAssertionFailed(#condition, why, __FILE__, __LINE__))
#else
#define PRAVIX_ASSERT(condition, why) static_cast<void>(sizeof(static_cast<bool>(condition)))
#endif

[[noreturn]] void PravixAssertionFailed(const char* condition, const char* why, const char* file, int line);
