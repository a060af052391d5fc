#include "census/prometheus_report.h"

#include <gtest/gtest.h>

TEST(PrometheusReport, OneSamplePerRowUnderEachHeadingThenTheTimeOfTheRun) {
    SummaryData data;
    DirectoryRecord start{"/srv/", {}, {}, false, "/srv/"};
    start.counts.Files = 2;
    start.counts.Bytes = 30;
    DirectoryRecord child{"/srv/a\"b/", {}, {}, false, "/srv/"};
    child.counts.Files = 1;
    child.counts.Dirs = 4;
    child.counts.Bytes = 9007199254740993;  // 2^53 + 1
    child.skipped.unread = {{"/srv/a\"b/x", 13}, {"/srv/a\"b/y", 13}};
    data.Record({start, child});
    const QByteArray text =
        PrometheusReport(data, QDateTime::fromSecsSinceEpoch(1796715664, Qt::UTC));
    const QByteArrayList lines = text.split('\n');
    ASSERT_EQ(lines.size(), 4 * (2 + 2) + 3 + 1);
    EXPECT_TRUE(lines[0].startsWith("# HELP tallmere32_directory_size_bytes "));
    EXPECT_EQ(lines[1], "# TYPE tallmere32_directory_size_bytes gauge");
    EXPECT_EQ(lines[2], "tallmere32_directory_size_bytes{path=\"/srv\"} 30");
    EXPECT_EQ(lines[3], "tallmere32_directory_size_bytes{path=\"/srv/a\\\"b\"} 9007199254740993");
    EXPECT_EQ(lines[6], "tallmere32_directory_files{path=\"/srv\"} 2");
    EXPECT_EQ(lines[11], "tallmere32_directory_dirs{path=\"/srv/a\\\"b\"} 4");
    EXPECT_EQ(lines[15], "tallmere32_directory_unread{path=\"/srv/a\\\"b\"} 2");
    EXPECT_EQ(lines[18], "tallmere32_last_run_timestamp_seconds 1796715664");
    EXPECT_EQ(lines[19], "");
}

TEST(PrometheusLabelValue, EscapesWhatTheFormatSaysAndWritesOtherBytesAsHex) {
    EXPECT_EQ(PrometheusLabelValue("a\\b\"c\nd\te"), "a\\\\b\\\"c\\nd\te");
    EXPECT_EQ(PrometheusLabelValue("caf\xc3\xa9 \xf0\x9f\x98\x80"), "caf\xc3\xa9 \xf0\x9f\x98\x80");
    EXPECT_EQ(PrometheusLabelValue("caf\xe9"), "caf\\\\xE9");
    EXPECT_EQ(PrometheusLabelValue("\xc3"), "\\\\xC3");                        // cut short
    EXPECT_EQ(PrometheusLabelValue("\xc0\xaf"), "\\\\xC0\\\\xAF");             // overlong "/"
    EXPECT_EQ(PrometheusLabelValue("\xed\xa0\x80"), "\\\\xED\\\\xA0\\\\x80");  // a surrogate
}
