#pragma once
// Shared by the OPC test programs: the stand-in library's test exports and a callback queue
// that plays the GUI thread's part (callbacks are packaged on the library's thread and run
// here, on the test's thread, in arrival order).

#include "components/iOPCDLLLoader.h"
#include "opc/iOPC2Test.h"
#include "platform/core/Component.h"
#include "platform/core/Exceptions.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

// The stand-in's test export of that name; fails the test when it is missing.
#define TEST_EXPORT(name) (*TestExport<decltype(&::name)>(#name))

template <class F>
F TestExport(const char* name)
{
    auto f = reinterpret_cast<F>(GetProcAddress(OPCDLLModule(), name));
    if (!f)
        throw std::runtime_error(std::string("missing test export ") + name);
    return f;
}

class TCallbackQueue {
public:
    TCallbackQueue()
    {
        SetOPCCallbackDispatcher([this](std::function<void()> work) {
            if (std::this_thread::get_id() != m_owner)
                PostedFromOtherThread = true;
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
                if (!m_posted.wait_until(lock, deadline, [&] { return !m_work.empty(); }))
                    return done();
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
                if (m_work.empty())
                    return;
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

// Reads collections of property texts the way a form-description reader does.
class TFakeReader : public TReader {
public:
    explicit TFakeReader(std::vector<std::map<std::string, std::string>> items) : m_items(std::move(items)) {}
    void DefineProperty(const std::string&, const ReadFunction&, const WriteFunction&, bool) override {}
    TComponent* Root() const override { return nullptr; }
    std::int64_t ReadInteger() override { return 0; }
    long double ReadFloat() override { return 0; }
    std::string ReadString() override { return ""; }
    bool ReadBoolean() override { return false; }
    std::string ReadIdent() override { return ""; }
    std::vector<std::uint8_t> ReadBinary() override { return {}; }
    bool NextIsCollection() override { return true; }
    void ReadCollectionBegin() override {}
    bool EndOfCollection() override { return m_next == m_items.size(); }
    void ReadItem(TPersistent& item) override
    {
        for (const auto& [name, text] : m_items[m_next]) {
            TPropertyRef p = FindProperty(item, name);
            if (p.Info->Kind() == tkString)
                p.SetString(text);
            else if (p.Info->Kind() == tkFloat)
                p.SetFloat(std::stod(text));
            else
                p.SetOrd(std::stoll(text));
        }
        ++m_next;
    }
    void ReadCollectionEnd() override {}

private:
    std::vector<std::map<std::string, std::string>> m_items;
    size_t m_next = 0;
};

// Records the items of written collections as property texts.
class TFakeWriter : public TWriter {
public:
    std::vector<std::map<std::string, std::string>> Items;

    void DefineProperty(const std::string&, const ReadFunction&, const WriteFunction&, bool) override {}
    TComponent* Root() const override { return nullptr; }
    void WriteInteger(std::int64_t) override {}
    void WriteFloat(long double) override {}
    void WriteString(const std::string&) override {}
    void WriteBoolean(bool) override {}
    void WriteIdent(const std::string&) override {}
    void WriteBinary(const std::vector<std::uint8_t>&) override {}
    void WriteCollectionBegin() override {}
    void WriteItem(TPersistent& item) override
    {
        Items.emplace_back();
        for (const TPropInfo* p : item.ClassInfo().Properties()) {
            if (!p->HasSetter())
                continue;
            std::string text;
            if (p->Kind() == tkString)
                text = p->GetString(item);
            else if (p->Kind() == tkFloat)
                text = std::to_string(double(p->GetFloat(item)));
            else if (p->Kind() != tkMethod)
                text = std::to_string(p->GetOrd(item));
            Items.back()[p->Name()] = text;
        }
    }
    void WriteCollectionEnd() override {}
    void WriteItemBegin() override {}
    void WriteItemEnd() override {}
    void WriteProperties(TPersistent&) override {}
    void WriteProperty(TPersistent&, const TPropInfo&) override {}
};

// Finds one defined property of an object, the way a form-description writer asks for them.
class TDefinedPropertyProbe : public TFiler {
public:
    explicit TDefinedPropertyProbe(std::string name) : m_name(std::move(name)) {}
    void DefineProperty(const std::string& name, const ReadFunction& read, const WriteFunction& write,
                        bool hasData) override
    {
        if (name != m_name)
            return;
        Found = true;
        Read = read;
        Write = write;
        HasData = hasData;
    }
    TComponent* Root() const override { return nullptr; }

    bool Found = false;
    bool HasData = false;
    ReadFunction Read;
    WriteFunction Write;

private:
    std::string m_name;
};
