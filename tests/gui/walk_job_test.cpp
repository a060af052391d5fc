#include "ui/walk_job.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QTest>
#include <QThread>
#include <future>
#include <thread>

namespace {

// A piece of work that stops at a named point: it says when it got there and waits there
// until the test lets it go. The worker has let go of everything once Watch expires.
struct HeldWork {
    std::promise<void> entered;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::shared_ptr<int> token = std::make_shared<int>(0);
    std::weak_ptr<int> watch = token;

    std::function<int(std::stop_token, WalkProgress&)> Work(int result) {
        return
            [this, result, token = std::exchange(token, nullptr)](std::stop_token, WalkProgress&) {
                entered.set_value();
                released.wait();
                return result;
            };
    }
    // Waits for the worker without running queued calls.
    void WaitUntilFinished() {
        while (!watch.expired())
            std::this_thread::yield();
    }
};

}  // namespace

TEST(WalkJob, DeliversTheResultOnItsOwnThreadOnce) {
    WalkJob job;
    HeldWork held;
    std::vector<int> delivered;
    job.Start<int>(held.Work(7), [&](int result) {
        EXPECT_EQ(QThread::currentThread(), job.thread());
        delivered.push_back(result);
    });
    EXPECT_TRUE(job.Running());
    held.release.set_value();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !delivered.empty(); }));
    EXPECT_EQ(delivered, std::vector<int>{7});
    EXPECT_FALSE(job.Running());
}

TEST(WalkJob, StopReturnsWhileTheWorkIsStillRunningAndDropsItsResult) {
    bool delivered = false;
    HeldWork held;
    {
        WalkJob job;
        job.Start<int>(held.Work(1), [&](int) { delivered = true; });
        held.entered.get_future().wait();
        job.Stop();
        EXPECT_FALSE(job.Running());
    }  // and the job may go away before its worker ends
    held.release.set_value();
    held.WaitUntilFinished();
    QCoreApplication::processEvents();
    EXPECT_FALSE(delivered);
}

TEST(WalkJob, AResultQueuedBeforeARestartIsDropped) {
    WalkJob job;
    HeldWork first;
    HeldWork second;
    std::vector<int> delivered;
    const auto record = [&](int result) { delivered.push_back(result); };
    first.release.set_value();
    job.Start<int>(first.Work(1), record);
    first.WaitUntilFinished();  // its result is queued now
    job.Start<int>(second.Work(2), record);
    QCoreApplication::processEvents();
    EXPECT_TRUE(delivered.empty());
    EXPECT_TRUE(job.Running());
    second.release.set_value();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !delivered.empty(); }));
    EXPECT_EQ(delivered, std::vector<int>{2});
}

TEST(WalkJob, InterruptStopsTheWorkButDeliversWhatItFound) {
    WalkJob job;
    HeldWork held;
    bool stopSeen = false;
    std::vector<int> delivered;
    auto work = held.Work(0);
    job.Start<int>(
        [&, work](std::stop_token stop, WalkProgress& progress) {
            const int found = work(stop, progress) + 5;
            stopSeen = stop.stop_requested();
            return found;
        },
        [&](int result) { delivered.push_back(result); });
    held.entered.get_future().wait();
    job.Interrupt();
    EXPECT_TRUE(job.Running());  // until what was found arrives
    held.release.set_value();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !delivered.empty(); }));
    EXPECT_TRUE(stopSeen);
    EXPECT_EQ(delivered, std::vector<int>{5});
    EXPECT_FALSE(job.Running());
}
