#pragma once
// Shared by the OPC test programs: the stand-in library's test exports and a callback queue
// that plays the GUI thread's part (callbacks are packaged on the library's thread and run
// here, on the test's thread, in arrival order).

#include "components/iOPCDLLLoader.h"
#include "opc/iOPC2Test.h"
#include "platform/Exceptions.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// The stand-in's test export of that name; fails the test when it is missing.
#define TEST_EXPORT(name) (*TestExport<decltype(&::name)>(#name))

template <class F>
F TestExport(const char* name)
{
    auto f = reinterpret_cast<F>(GetProcAddress(OPCDLLModule(), name));
    if (!f) throw std::runtime_error(std::string("missing test export ") + name);
    return f;
}

class TCallbackQueue {
public:
    TCallbackQueue()
    {
        SetOPCCallbackDispatcher([this](std::function<void()> work) {
            if (std::this_thread::get_id() != m_owner) PostedFromOtherThread = true;
            std::lock_guard lock(m_mutex);
            m_work.push_back(std::move(work));
            m_posted.notify_all();
        });
    }
    ~TCallbackQueue() { SetOPCCallbackDispatcher(nullptr); }

    // Runs queued work until done() holds; false when it still does not after the timeout.
    bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(10))
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!done()) {
            std::function<void()> work;
            {
                std::unique_lock lock(m_mutex);
                if (!m_posted.wait_until(lock, deadline, [&] { return !m_work.empty(); })) return done();
                work = std::move(m_work.front());
                m_work.pop_front();
            }
            work();
        }
        return true;
    }

    // Runs what is queued now.
    void RunPending()
    {
        for (;;) {
            std::function<void()> work;
            {
                std::lock_guard lock(m_mutex);
                if (m_work.empty()) return;
                work = std::move(m_work.front());
                m_work.pop_front();
            }
            work();
        }
    }

    std::atomic<bool> PostedFromOtherThread = false;

private:
    const std::thread::id m_owner = std::this_thread::get_id();
    std::mutex m_mutex;
    std::condition_variable m_posted;
    std::deque<std::function<void()>> m_work;
};

inline std::string ExceptionText(const std::function<void()>& call)
{
    try {
        call();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "(nothing raised)";
}
