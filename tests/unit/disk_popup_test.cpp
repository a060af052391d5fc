#include "drives/disk_popup.h"

#include <gtest/gtest.h>

#include "census/command_line.h"

TEST(SummaryArguments, DescendingByNameThenTheMountPointExactlyAsItsBytes) {
    for (const QByteArray& mountPoint :
         {QByteArray("/media/usb stick \"1\""), QByteArray("/mnt/caf\xe9"), QByteArray("/d1"),
          QByteArray("/a2"), QByteArray("/srv/a;b"), QByteArray("/My Computer")}) {
        const Words words = SummaryArguments(mountPoint);
        EXPECT_EQ(words, (Words{"-d1", "--", mountPoint}));
        const StartPath start = ParseStartPath(words, "/");
        EXPECT_EQ(start.places, PlacesOfDirectory(mountPoint)) << mountPoint.constData();
        const Switches switches = ParseSwitches(words);
        EXPECT_EQ(switches.SortColumn, 1);
        EXPECT_FALSE(switches.SortAscending);
    }
}
