#pragma once
// Runs a summary walk on a worker thread so the window stays alive. The window reads the
// walk's progress when it likes and gets the finished rows back in one queued call. A job
// that is stopped or destroyed never blocks: the worker ends on its own soon after and its
// result is dropped.

#include <QByteArray>
#include <QObject>
#include <functional>
#include <memory>

#include "summary/scan.h"

class VolumeSource;

class ScanJob : public QObject {
    Q_OBJECT
  public:
    explicit ScanJob(QObject* parent = nullptr);
    ~ScanJob() override;

    // Walks the start specification Spec; Done runs on this object's thread afterwards,
    // unless the job was stopped or started again first.
    void Start(const QByteArray& spec, VolumeSource& volumes, int threads,
               std::function<void(ScanResult)> done);
    void Stop();
    bool Running() const { return running_ != nullptr; }

    // The directory the walk entered most recently; asks for the next one.
    QByteArray CurrentDirectory() const;

  private:
    struct Run;
    std::shared_ptr<Run> running_;
};
