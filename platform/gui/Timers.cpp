#include "platform/gui/Timers.h"

#include "platform/gui/Application.h"
#include "platform/gui/TestHooks.h"

#include <QTimer>

#include <algorithm>
#include <vector>

// One running schedule: a first interval, then a regular one. Runs on a QTimer, or on the
// fake clock while a test's fake timer driver is active.
class TimerCore {
public:
    explicit TimerCore(std::function<void()> tick) : m_tick(std::move(tick))
    {
        m_timer.setTimerType(Qt::CoarseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Fire(); });
        All().push_back(this);
    }

    ~TimerCore() { std::erase(All(), this); }

    void Start(int first, int interval)
    {
        m_running = true;
        m_interval = interval;
        m_pendingFirst = first != interval;
        Arm(first);
    }

    void Stop()
    {
        m_running = false;
        m_timer.stop();
    }

    bool Running() const { return m_running; }
    void SetPrecise(bool precise) { m_timer.setTimerType(precise ? Qt::PreciseTimer : Qt::CoarseTimer); }
    bool Precise() const { return m_timer.timerType() == Qt::PreciseTimer; }

    // The fake driver took over or handed back the clock.
    void ClockChanged()
    {
        if (m_running)
            Arm(m_interval);
    }

    long long Due() const { return m_due; }

    void Fire()
    {
        if (m_pendingFirst) {
            m_pendingFirst = false;
            Arm(m_interval);
        } else if (TestHooks::TFakeTimers::Active()) {
            m_due += m_interval;
        }
        CallGuarded(m_tick);
    }

    // Never destroyed: a timer of a component that outlives main (a static one, or a form's
    // that is never freed before exit) ends among the exit's destructors, in an order no
    // registry of ordinary static lifetime could be sure to outlast.
    static std::vector<TimerCore*>& All()
    {
        static auto* const cores = new std::vector<TimerCore*>;
        return *cores;
    }

private:
    void Arm(int milliseconds)
    {
        if (TestHooks::TFakeTimers* fake = TestHooks::TFakeTimers::Active()) {
            m_timer.stop();
            m_due = fake->Now() + std::max(1, milliseconds);
        } else {
            m_timer.start(milliseconds);
        }
    }

    QTimer m_timer;
    std::function<void()> m_tick;
    int m_interval = 0;
    bool m_running = false;
    bool m_pendingFirst = false;
    long long m_due = 0;
};

TTimer::TTimer(TComponent* owner) : TComponent(owner), m_core(std::make_unique<TimerCore>([this] { OnTimer(this); }))
{
    Update();
}

TTimer::~TTimer() = default;

void TTimer::Loaded()
{
    TComponent::Loaded();
    Update();
}

unsigned TTimer::Interval() const { return m_interval; }

void TTimer::SetInterval(unsigned milliseconds)
{
    if (milliseconds == m_interval)
        return;
    m_interval = milliseconds;
    m_core->Stop();
    Update();
}

bool TTimer::Enabled() const { return m_enabled; }

void TTimer::SetEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    Update();
}

bool TTimer::Precise() const { return m_core->Precise(); }

void TTimer::SetPrecise(bool precise)
{
    m_core->SetPrecise(precise);
    if (m_core->Running()) {
        m_core->Stop();
        Update();
    }
}

bool TTimer::Running() const { return m_core->Running(); }

void TTimer::Update()
{
    const bool run = m_enabled && m_interval > 0 && !IsLoading();
    if (!run)
        m_core->Stop();
    else if (!m_core->Running())
        m_core->Start(int(m_interval), int(m_interval));
}

TComponentTimer::TComponentTimer()
    : m_core(std::make_unique<TimerCore>([this] {
          if (OnInternalTimer)
              OnInternalTimer();
      }))
{
    // Components count and animate by their ticks: a coarse timer may move each tick by up
    // to a twentieth of the interval, 100 ms at a 2 s interval.
    m_core->SetPrecise(true);
}

TComponentTimer::~TComponentTimer() = default;

void TComponentTimer::TimerStart(int first, int interval)
{
    if (m_core->Running())
        return;
    // A zero regular interval after a first one ticks at the shortest period the system
    // allows, as the desktop timer does.
    constexpr int kShortestInterval = 10;
    if (first != 0)
        m_core->Start(first, interval != 0 ? interval : kShortestInterval);
    else if (interval != 0)
        m_core->Start(interval, interval);
}

void TComponentTimer::TimerStop() { m_core->Stop(); }

bool TComponentTimer::GetTimerRunning() const { return m_core->Running(); }

// The fake timer driver.
namespace TestHooks {

namespace {
TFakeTimers* g_fake = nullptr;
long long g_fakeNow = 0;
}  // namespace

TFakeTimers::TFakeTimers()
{
    g_fake = this;
    g_fakeNow = 0;
    for (TimerCore* core : TimerCore::All())
        core->ClockChanged();
}

TFakeTimers::~TFakeTimers()
{
    g_fake = nullptr;
    for (TimerCore* core : TimerCore::All())
        core->ClockChanged();
}

TFakeTimers* TFakeTimers::Active() { return g_fake; }

long long TFakeTimers::Now() const { return g_fakeNow; }

void TFakeTimers::Advance(int milliseconds)
{
    const long long target = g_fakeNow + milliseconds;
    for (;;) {
        TimerCore* next = nullptr;
        for (TimerCore* core : TimerCore::All()) {
            if (core->Running() && core->Due() <= target && (!next || core->Due() < next->Due()))
                next = core;
        }
        if (!next)
            break;
        if (next->Due() > g_fakeNow) {
            g_fakeNow = next->Due();
            if (OnAdvance)
                OnAdvance(g_fakeNow);
        }
        next->Fire();
    }
    if (target > g_fakeNow) {
        g_fakeNow = target;
        if (OnAdvance)
            OnAdvance(g_fakeNow);
    }
}

}  // namespace TestHooks

PRAVIX_PUBLISH(TTimer, Prop("Enabled", &TTimer::Enabled, &TTimer::SetEnabled).Default(true),
               Prop("Interval", &TTimer::Interval, &TTimer::SetInterval).Default(1000),
               Field("OnTimer", &TTimer::OnTimer))
