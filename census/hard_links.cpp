#include "census/hard_links.h"

#include <algorithm>
#include <tuple>

void CountEachFileOnce(std::vector<LinkMeeting> meetings,
                       const std::function<std::size_t(std::uint64_t)>& rowIndex,
                       std::vector<DirectoryRecord>& rows) {
    for (LinkMeeting& meeting : meetings)
        meeting.row = rowIndex(meeting.row);
    std::sort(meetings.begin(), meetings.end(), [](const LinkMeeting& a, const LinkMeeting& b) {
        return std::tie(a.device, a.inode, a.row) < std::tie(b.device, b.inode, b.row);
    });
    for (std::size_t i = 0; i < meetings.size(); ++i) {
        const bool first = i == 0 || meetings[i].device != meetings[i - 1].device ||
                           meetings[i].inode != meetings[i - 1].inode;
        if (first) rows[meetings[i].row].counts += meetings[i].counts;
    }
}
