#include "platform/thread_priority.h"

#include <sys/resource.h>
#include <unistd.h>

void LowerThreadPriority() {
    constexpr int kNiceness = 10;
    // On Linux a thread's id names it alone to setpriority: the other threads keep theirs.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kNiceness);
}
