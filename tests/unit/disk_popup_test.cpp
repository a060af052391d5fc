#include "drives/disk_popup.h"

#include <gtest/gtest.h>

TEST(SummaryArguments, MountPointAsItsBytesThenDescendingByName) {
    EXPECT_EQ(SummaryArguments("/media/usb stick \"1\""),
              (std::vector<QByteArray>{"/media/usb stick \"1\"", "-d1"}));
    EXPECT_EQ(SummaryArguments("/mnt/caf\xe9"), (std::vector<QByteArray>{"/mnt/caf\xe9", "-d1"}));
}
