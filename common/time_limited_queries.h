#pragma once
// Volume queries on worker threads with a time limit, so that a volume whose server is gone
// can neither freeze nor hang the caller.

#include <QByteArray>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "common/volumes.h"

class TimeLimitedQueries {
  public:
    using Query = std::function<std::optional<VolumeReport>()>;

    explicit TimeLimitedQueries(std::chrono::milliseconds limit);

    // Runs Query on a worker thread and waits for it at most the limit. Nothing when it did
    // not finish in time; the worker is then left to finish on its own and never waited for.
    // While the worker of an earlier query under Key is still running, nothing is returned at
    // once and no second worker is started.
    std::optional<VolumeReport> Run(const QByteArray& key, Query query);

  private:
    struct Pending;

    std::chrono::milliseconds limit_;
    std::map<QByteArray, std::shared_ptr<Pending>> overdue_;
};
