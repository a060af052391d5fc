#include "ui/walk_job.h"

#include <sys/resource.h>
#include <unistd.h>

#include <QMetaObject>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "platform/directory_walk.h"

// Shared by the job and its worker thread; outlives whichever of the two ends first.
struct WalkJob::Run : std::enable_shared_from_this<Run> {
    std::stop_source stop;
    WalkProgress progress;
    std::mutex mutex;
    WalkJob* receiver = nullptr;  // cleared when the job lets go of this run
    bool keepResult = false;      // stopped, but what was found is still wanted

    // Queues Finish to the job's thread; it runs only if the job still holds this run then.
    void Deliver(std::function<void()> finish) {
        std::lock_guard lock(mutex);
        if (!receiver || (stop.stop_requested() && !keepResult)) return;
        QMetaObject::invokeMethod(
            receiver,
            [receiver = receiver, run = shared_from_this(), finish = std::move(finish)] {
                if (receiver->running_ != run) return;
                receiver->running_.reset();
                finish();
            },
            Qt::QueuedConnection);
    }
};

namespace {

// Lowers the priority of the calling thread and of the walk threads it starts, which inherit
// it, so that the window, the display server and other programs the user works with still
// get a core at once while the walk keeps every core busy.
void YieldToTheWindow() {
    constexpr int kWalkNiceness = 10;
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kWalkNiceness);
}

}  // namespace

WalkJob::WalkJob(QObject* parent) : QObject(parent) {}

WalkJob::~WalkJob() {
    Stop();
}

void WalkJob::Launch(Body body) {
    Stop();
    auto run = std::make_shared<Run>();
    run->receiver = this;
    running_ = run;
    try {
        std::thread([run, body] {
            YieldToTheWindow();
            run->Deliver(body(run->stop.get_token(), run->progress));
        }).detach();
    } catch (const std::system_error&) {
        // No thread to be had: the walk runs here, and the window waits for it.
        run->Deliver(body(run->stop.get_token(), run->progress));
    }
}

void WalkJob::Stop() {
    const std::shared_ptr<Run> run = std::exchange(running_, nullptr);
    if (!run) return;
    std::lock_guard lock(run->mutex);
    run->stop.request_stop();
    run->receiver = nullptr;
}

void WalkJob::Interrupt() {
    if (!running_) return;
    std::lock_guard lock(running_->mutex);
    running_->keepResult = true;
    running_->stop.request_stop();
}

QByteArray WalkJob::CurrentDirectory() const {
    if (!running_) return {};
    const QByteArray current = running_->progress.Current();
    running_->progress.Request();
    return current;
}
