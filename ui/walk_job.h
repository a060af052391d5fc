#pragma once
// Runs a directory walk on a detached worker thread so the window stays alive. The window
// reads the walk's progress when it likes and gets the result back in one queued call. A job
// that is stopped, started again or destroyed never blocks: the worker ends on its own soon
// after and its result is dropped.

#include <QByteArray>
#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <stop_token>

class WalkProgress;

class WalkJob : public QObject {
  public:
    explicit WalkJob(QObject* parent = nullptr);
    ~WalkJob() override;

    // Runs Work on a worker thread; Done gets its result on this object's thread afterwards,
    // unless the job was stopped or started again first. Work should end soon once its stop
    // token is set.
    template <class Result>
    void Start(std::function<Result(std::stop_token, WalkProgress&)> work,
               std::function<void(Result)> done) {
        Launch([work = std::move(work), done = std::move(done)](
                   std::stop_token stop, WalkProgress& progress) -> std::function<void()> {
            return [done, result = work(stop, progress)]() mutable { done(std::move(result)); };
        });
    }
    void Stop();
    // Asks the walk to end soon and still hands Done what it found by then.
    void Interrupt();
    bool Running() const { return running_ != nullptr; }

    // The directory the walk entered most recently; asks for the next one.
    QByteArray CurrentDirectory() const;
    // Entries listed so far and how many the walk's work expects (0: not known).
    struct Listed {
        std::int64_t entries = 0;
        std::int64_t expected = 0;
    };
    Listed EntriesListed() const;

  private:
    struct Run;
    // Body runs on the worker and returns what to do with its result on this thread.
    using Body = std::function<std::function<void()>(std::stop_token, WalkProgress&)>;
    void Launch(Body body);
    // Runs Body; what to do when it ran out of memory instead.
    static std::function<void()> Guarded(const Body& body, Run& run);

    std::shared_ptr<Run> running_;
};
