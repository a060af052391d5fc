#include "summary/scan_job.h"

#include <sys/resource.h>
#include <unistd.h>
#include <QMetaObject>
#include <QPointer>
#include <mutex>
#include <stop_token>
#include <thread>

#include "common/directory_walk.h"

// Shared by the job and its worker thread; outlives whichever of the two ends first.
struct ScanJob::Run {
    std::stop_source stop;
    WalkProgress progress;
    std::mutex mutex;
    ScanJob* receiver = nullptr;  // cleared when the job lets go of this run
    std::function<void(ScanResult)> done;

    void Deliver(ScanResult result) {
        std::lock_guard lock(mutex);
        if (!receiver || stop.stop_requested()) return;
        QMetaObject::invokeMethod(
            receiver,
            [receiver = receiver, done = std::move(done), result = std::move(result)]() mutable {
                receiver->running_.reset();
                done(std::move(result));
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

ScanJob::ScanJob(QObject* parent) : QObject(parent) {}

ScanJob::~ScanJob() {
    Stop();
}

void ScanJob::Start(const QByteArray& spec, VolumeSource& volumes, int threads,
                    std::function<void(ScanResult)> done) {
    Stop();
    auto run = std::make_shared<Run>();
    run->receiver = this;
    run->done = std::move(done);
    running_ = run;
    std::thread([run, spec, &volumes, threads] {
        YieldToTheWindow();
        const ScanRequest request = StartDirectories(spec, volumes);
        run->Deliver(ScanDirectories(request, threads, run->stop.get_token(), &run->progress));
    }).detach();
}

void ScanJob::Stop() {
    if (!running_) return;
    std::lock_guard lock(running_->mutex);
    running_->stop.request_stop();
    running_->receiver = nullptr;
    running_.reset();
}

QByteArray ScanJob::CurrentDirectory() const {
    if (!running_) return {};
    const QByteArray current = running_->progress.Current();
    running_->progress.Request();
    return current;
}
