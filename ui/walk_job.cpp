#include "ui/walk_job.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <cstdio>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <utility>

#include "platform/directory_walk.h"
#include "platform/thread_priority.h"

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

// A walk that ran out of memory ends the program as the command line does: "out of memory"
// on standard error and exit status 1.
void EndForWantOfMemory() {
    std::fprintf(stderr, "%s: out of memory\n",
                 qUtf8Printable(QCoreApplication::applicationName()));
    QCoreApplication::exit(1);
}

}  // namespace

std::function<void()> WalkJob::Guarded(const Body& body, Run& run) {
    try {
        return body(run.stop.get_token(), run.progress);
    } catch (const std::bad_alloc&) {
        return EndForWantOfMemory;
    }
}

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
            LowerThreadPriority();  // the window stays responsive
            run->Deliver(Guarded(body, *run));
        }).detach();
    } catch (const std::system_error&) {
        // No thread to be had: the walk runs here, and the window waits for it.
        run->Deliver(Guarded(body, *run));
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

WalkJob::Listed WalkJob::EntriesListed() const {
    if (!running_) return {};
    return {running_->progress.Entries(), running_->progress.Expected()};
}
