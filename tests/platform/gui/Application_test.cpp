#include "platform/core/Exceptions.h"
#include "platform/gui/Application.h"
#include "platform/gui/TestHooks.h"
#include "platform/gui/Timers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

TEST(Application, NumericLocaleStaysC)
{
    ASSERT_TRUE(Application->IsInitialized());
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", 1.5);
    EXPECT_STREQ(text, "1.50");
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
}

TEST(Application, PostedCallsRunInPostingOrderFromAnyThread)
{
    std::vector<int> order;
    PostToGui([&] { order.push_back(1); });
    std::thread worker([&] {
        PostToGui([&] {
            EXPECT_TRUE(IsGuiThread());
            order.push_back(2);
        });
    });
    worker.join();
    PostToGui([&] { order.push_back(3); });
    EXPECT_TRUE(IsGuiThread());
    ASSERT_TRUE(TestHooks::PumpUntil([&] { return order.size() == 3; }, 2000));
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST(Application, ExceptionInPostedCallShowsErrorBoxWithTitleAndGoesOn)
{
    TestHooks::TModalScript script;
    Application->SetTitle("ZUV Host");
    bool after = false;
    PostToGui([] { throw EConvertError("'x' is not a valid integer value"); });
    PostToGui([&] { after = true; });
    ASSERT_TRUE(TestHooks::PumpUntil([&] { return after; }, 2000));
    ASSERT_EQ(script.Messages.size(), 1u);
    EXPECT_EQ(script.Messages[0].Kind, TestHooks::TModalKind::ErrorBox);
    EXPECT_EQ(script.Messages[0].Caption, "ZUV Host");
    EXPECT_EQ(script.Messages[0].Text, "'x' is not a valid integer value");
}

TEST(Application, ExceptionInTimerHandlerIsShownAndTheTimerGoesOn)
{
    TestHooks::TModalScript script;
    TTimer timer;
    timer.SetInterval(10);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) {
        ++ticks;
        if (ticks == 1)
            throw Exception("Sensor gone");
    };
    ASSERT_TRUE(TestHooks::PumpUntil([&] { return ticks >= 3; }, 3000));
    ASSERT_EQ(script.Messages.size(), 1u);
    EXPECT_EQ(script.Messages[0].Kind, TestHooks::TModalKind::ErrorBox);
    EXPECT_EQ(script.Messages[0].Text, "Sensor gone");
}

TEST(Application, ErrorsRaisedWhileTheErrorBoxIsOpenDoNotStackBoxes)
{
    TestHooks::TModalScript script;
    const int droppedBefore = Application->DroppedErrorCount();
    int boxes = 0;
    script.OnMessage = [&](const TestHooks::TMessageRecord&) {
        ++boxes;
        CallGuarded([] { throw Exception("second"); });
        return mrOk;
    };
    CallGuarded([] { throw Exception("first"); });
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(Application->DroppedErrorCount(), droppedBefore + 1);
}

TEST(Application, RunReturnsAfterTerminate)
{
    // Terminate ends the loop from inside an event; the program continues after Run.
    TApplication* app = Application;
    PostToGui([app] { app->Terminate(); });
    app->Run();
    EXPECT_TRUE(app->Terminated());
}
