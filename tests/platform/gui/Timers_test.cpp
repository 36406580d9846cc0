#include "platform/gui/Application.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/TestHooks.h"
#include "platform/gui/Timers.h"

#include <gtest/gtest.h>

#include <vector>

TEST(Timers, FakeDriverFiresDueTimersInTimeOrder)
{
    TestHooks::TFakeTimers fake;
    TTimer fast, slow;
    std::vector<std::pair<long long, char>> fired;
    fast.SetInterval(55);
    fast.OnTimer = [&](TObject*) { fired.push_back({fake.Now(), 'f'}); };
    slow.SetInterval(100);
    slow.OnTimer = [&](TObject*) { fired.push_back({fake.Now(), 's'}); };
    fake.Advance(200);
    const std::vector<std::pair<long long, char>> expected = {
        {55, 'f'}, {100, 's'}, {110, 'f'}, {165, 'f'}, {200, 's'}};
    EXPECT_EQ(fired, expected);
}

TEST(Timers, IntervalChangedWhileRunningRestartsWithTheNewInterval)
{
    TestHooks::TFakeTimers fake;
    TTimer timer;
    std::vector<long long> at;
    timer.SetInterval(55);
    timer.OnTimer = [&](TObject*) { at.push_back(fake.Now()); };
    fake.Advance(60);
    timer.SetInterval(220);
    fake.Advance(500);
    EXPECT_EQ(at, (std::vector<long long>{55, 280, 500}));
}

TEST(Timers, DisabledOrZeroIntervalDoesNotRun)
{
    TestHooks::TFakeTimers fake;
    TTimer timer;
    EXPECT_TRUE(timer.Running());
    int ticks = 0;
    timer.OnTimer = [&](TObject*) { ++ticks; };
    timer.SetEnabled(false);
    fake.Advance(5000);
    EXPECT_EQ(ticks, 0);
    timer.SetEnabled(true);
    timer.SetInterval(0);
    EXPECT_FALSE(timer.Running());
}

TEST(Timers, ComponentTimerFirstIntervalThenRegular)
{
    TestHooks::TFakeTimers fake;
    struct Case {
        int first, interval;
        std::vector<long long> ticks;
    };
    const Case cases[] = {
        {500, 50, {500, 550, 600}},
        {0, 100, {100, 200, 300}},
        {300, 0, {300, 310, 320}},
        {0, 0, {}},
    };
    for (const Case& c : cases) {
        TComponentTimer timer;
        std::vector<long long> ticks;
        const long long start = fake.Now();
        timer.OnInternalTimer = [&] { ticks.push_back(fake.Now() - start); };
        timer.TimerStart(c.first, c.interval);
        if (timer.GetTimerRunning())
            timer.TimerStart(1, 1);  // ignored while running
        fake.Advance(c.ticks.empty() ? 1000 : int(c.ticks.back()));
        EXPECT_EQ(ticks, c.ticks) << c.first << "/" << c.interval;
        timer.TimerStop();
        EXPECT_FALSE(timer.GetTimerRunning());
    }
}

TEST(Timers, FireWhileARealMessageBoxRunsItsLoop)
{
    // No script: the real box runs its nested loop; the timer keeps ticking and closes it.
    TTimer timer;
    timer.SetInterval(10);
    timer.SetPrecise(true);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) {
        if (++ticks == 5)
            TestHooks::CloseActiveModal();
    };
    EXPECT_EQ(MessageBox("Waiting", "Test"), mrOk);
    EXPECT_GE(ticks, 5);
}
