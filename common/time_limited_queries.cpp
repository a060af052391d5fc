#include "common/time_limited_queries.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

// Shared by the caller and the worker, so either may be gone first.
struct TimeLimitedQueries::Pending {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::optional<VolumeReport> result;

    bool Done() {
        const std::lock_guard lock(mutex);
        return done;
    }
};

TimeLimitedQueries::TimeLimitedQueries(std::chrono::milliseconds limit) : limit_(limit) {}

std::optional<VolumeReport> TimeLimitedQueries::Run(const QByteArray& key, Query query) {
    if (const auto overdue = overdue_.find(key); overdue != overdue_.end()) {
        if (!overdue->second->Done()) return std::nullopt;
        overdue_.erase(overdue);
    }
    auto pending = std::make_shared<Pending>();
    try {
        std::thread([pending, query = std::move(query)] {
            std::optional<VolumeReport> result = query();
            const std::lock_guard lock(pending->mutex);
            pending->result = std::move(result);
            pending->done = true;
            pending->finished.notify_all();
        }).detach();
    } catch (const std::system_error&) {
        return std::nullopt;  // no thread to be had: the volume counts as not ready
    }
    std::unique_lock lock(pending->mutex);
    if (pending->finished.wait_for(lock, limit_, [&] { return pending->done; })) {
        return std::move(pending->result);
    }
    overdue_[key] = pending;
    return std::nullopt;
}
