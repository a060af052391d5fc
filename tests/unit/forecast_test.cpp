#include "drives/forecast.h"

#include "drives/volume_trend.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int64_t kNow = 1796715664;
constexpr std::uint64_t kGiB = 1ULL << 30;

// A survey Days before now of a volume of Total GiB with Used GiB in use.
VolumeSample Survey(double days, std::uint64_t totalGiB, double usedGiB) {
    const auto used = static_cast<std::uint64_t>(usedGiB * kGiB);
    return {kNow - static_cast<std::int64_t>(days * kSecondsPerDay), totalGiB * kGiB,
            totalGiB * kGiB - used, used};
}

}  // namespace

TEST(Forecast, SteadyGrowthGivesItsSlopeAndTheDaysLeft) {
    std::vector<VolumeSample> history;
    for (int day = 10; day >= 0; --day)
        history.push_back(Survey(day, 100, 50 - 2.0 * day));  // 2 GiB a day, 50 in use now
    const std::optional<Forecast> forecast = ForecastOf(history, kNow);
    ASSERT_TRUE(forecast);
    EXPECT_EQ(forecast->surveys, 11);
    EXPECT_NEAR(forecast->growthBytesPerDay, 2.0 * kGiB, 1);
    ASSERT_TRUE(forecast->daysUntilFull);
    EXPECT_NEAR(*forecast->daysUntilFull, 25, 1e-6);
    EXPECT_NEAR(forecast->UsedAt(kNow), 50.0 * kGiB, 1);
    EXPECT_EQ(FullInText(forecast), "25 days");
}

TEST(Forecast, AnEmptyingVolumeHasNoDateOfFilling) {
    const std::vector<VolumeSample> history{Survey(3, 100, 60), Survey(2, 100, 55),
                                            Survey(0, 100, 40)};
    const std::optional<Forecast> forecast = ForecastOf(history, kNow);
    ASSERT_TRUE(forecast);
    EXPECT_LT(forecast->growthBytesPerDay, 0);
    EXPECT_FALSE(forecast->daysUntilFull);
    EXPECT_EQ(FullInText(forecast), "");
}

TEST(Forecast, NeedsThreeSurveysOfTheLastMonthSpanningADay) {
    EXPECT_FALSE(ForecastOf({Survey(2, 100, 10), Survey(0, 100, 20)}, kNow));
    EXPECT_FALSE(
        ForecastOf({Survey(0.5, 100, 10), Survey(0.2, 100, 11), Survey(0, 100, 12)}, kNow));
    EXPECT_FALSE(ForecastOf(
        {Survey(40, 100, 1), Survey(35, 100, 2), Survey(0.5, 100, 10), Survey(0, 100, 12)}, kNow));
    EXPECT_TRUE(ForecastOf(
        {Survey(31, 100, 1), Survey(29, 100, 2), Survey(0.5, 100, 10), Survey(0, 100, 12)}, kNow));
}

TEST(Forecast, AChangeOfSizeStartsTheLineAgain) {
    std::vector<VolumeSample> history{Survey(9, 100, 90), Survey(8, 100, 95), Survey(7, 100, 99),
                                      Survey(2, 200, 100), Survey(1, 200, 100)};
    EXPECT_FALSE(ForecastOf(history, kNow));  // two surveys since the resize
    history.push_back(Survey(0, 200, 103));
    const std::optional<Forecast> forecast = ForecastOf(history, kNow);
    ASSERT_TRUE(forecast);
    EXPECT_EQ(forecast->surveys, 3);
    EXPECT_NEAR(forecast->growthBytesPerDay, 1.5 * kGiB, 1);
}

TEST(FullInText, DaysThenMonthsThenMoreThanTwoYears) {
    const auto in = [](double days) {
        Forecast forecast;
        forecast.daysUntilFull = days;
        return FullInText(forecast);
    };
    EXPECT_EQ(in(0.4), "< 1 day");
    EXPECT_EQ(in(1.7), "1 day");
    EXPECT_EQ(in(23.9), "23 days");
    EXPECT_EQ(in(59), "59 days");
    EXPECT_EQ(in(274), "9 months");
    EXPECT_EQ(in(800), "> 2 years");
    EXPECT_EQ(FullInText(std::nullopt), "");
}

TEST(SumOfVolumes, AddsUpTheMomentsThatMeasuredEveryVolume) {
    const std::vector<VolumeSample> a{Survey(2, 100, 10), Survey(1, 100, 20)};
    const std::vector<VolumeSample> b{Survey(1, 50, 5), Survey(0, 50, 6)};
    const std::vector<VolumeSample> sum = SumOfVolumes({a, b});
    ASSERT_EQ(sum.size(), 1u);
    EXPECT_EQ(sum[0].time, a[1].time);
    EXPECT_EQ(sum[0].totalBytes, 150 * kGiB);
    EXPECT_EQ(sum[0].usedBytes, 25 * kGiB);
}

TEST(VolumeTrend, TheLineIsCarriedToTheDayItMeetsTheSize) {
    std::vector<VolumeSample> history;
    for (int day = 10; day >= 0; --day)
        history.push_back(Survey(day, 100, 50 - 2.0 * day));
    const TrendModel trend = TrendOf("/home", history, kNow);
    EXPECT_EQ(trend.caption, "Trend of /home");
    ASSERT_EQ(trend.used.size(), 11u);
    EXPECT_EQ(trend.used.back().time, kNow);
    ASSERT_EQ(trend.fitted.size(), 2u);
    EXPECT_EQ(trend.fitted.front().time, history.front().time);
    EXPECT_EQ(trend.fitted.back().time, kNow + 25 * kSecondsPerDay);
    EXPECT_NEAR(trend.fitted.back().bytes, 100.0 * kGiB, 1e3);
    ASSERT_EQ(trend.size.size(), 2u);
    EXPECT_EQ(trend.size.back().time, trend.fitted.back().time);
    EXPECT_EQ(trend.size.back().bytes, 100.0 * kGiB);
    EXPECT_TRUE(
        trend.forecast.startsWith("Growing by 2.0 GB a day over the last 11 surveys: "
                                  "full in 25 days, on "))
        << trend.forecast.toStdString();
}

TEST(VolumeTrend, WithoutAForecastOnlyTheSurveysAndTheSizeAreDrawn) {
    const TrendModel few = TrendOf("/srv", {Survey(1, 100, 10), Survey(0, 100, 12)}, kNow);
    EXPECT_EQ(few.used.size(), 2u);
    EXPECT_TRUE(few.fitted.empty());
    EXPECT_EQ(few.size.back().time, kNow);
    EXPECT_TRUE(few.forecast.startsWith("Too few surveys")) << few.forecast.toStdString();
    const TrendModel emptying =
        TrendOf("/srv", {Survey(3, 100, 60), Survey(2, 100, 55), Survey(0, 100, 40)}, kNow);
    EXPECT_EQ(emptying.fitted.back().time, kNow);
    EXPECT_TRUE(emptying.forecast.endsWith(": not filling up.")) << emptying.forecast.toStdString();
    EXPECT_TRUE(TrendOf("/srv", {}, kNow).used.empty());
}
