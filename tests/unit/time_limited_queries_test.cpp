#include "common/time_limited_queries.h"

#include <gtest/gtest.h>
#include <atomic>
#include <latch>
#include <memory>

namespace {

// A query that hangs like a dead network server until the test lets it go.
struct HangingQuery {
    std::shared_ptr<std::latch> release = std::make_shared<std::latch>(1);
    std::shared_ptr<std::atomic<int>> starts = std::make_shared<std::atomic<int>>(0);

    TimeLimitedQueries::Query Query() const {
        return [release = release, starts = starts]() -> std::optional<VolumeReport> {
            ++*starts;
            release->wait();
            return VolumeReport{};
        };
    }
};

TimeLimitedQueries::Query Answering(const QString& label) {
    return [label]() -> std::optional<VolumeReport> {
        VolumeReport report;
        report.label = label;
        return report;
    };
}

TEST(TimeLimitedQueries, ReturnsTheAnswerOfAQueryInTime) {
    TimeLimitedQueries queries(std::chrono::seconds(30));
    const std::optional<VolumeReport> report = queries.Run("/", Answering("root"));
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->label, "root");
    EXPECT_FALSE(queries.Run("/gone", [] { return std::optional<VolumeReport>(); }).has_value());
}

TEST(TimeLimitedQueries, AHangingVolumeIsNotReadyAndNotAskedAgainWhileItHangs) {
    HangingQuery hanging;
    {
        TimeLimitedQueries queries(std::chrono::milliseconds(200));
        EXPECT_FALSE(queries.Run("/net/dead", hanging.Query()).has_value());
        EXPECT_FALSE(queries.Run("/net/dead", hanging.Query()).has_value());
        EXPECT_EQ(*hanging.starts, 1);
        EXPECT_TRUE(queries.Run("/", Answering("root")).has_value());
    }  // leaving the scope must not wait for the hanging worker
    hanging.release->count_down();
}

}  // namespace
