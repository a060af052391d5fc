#pragma once
// Stand-ins for the operating system and the settings store, for tests: they record what the
// code asked and answer what the test set up. None of them touches the machine.

#include <QByteArray>
#include <QString>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "platform/program_launcher.h"
#include "platform/session_control.h"
#include "platform/volumes.h"
#include "settings/settings_store.h"

// Bytes in a megabyte, for sizing fake volumes.
inline constexpr double kMB = 1048576.0;

// Volumes as the test lists them (keep them in mount-point order); each answers its report,
// or nothing for a volume that is not ready or did not answer in time.
class FakeVolumeSource final : public VolumeSource {
  public:
    struct Entry {
        Volume volume;
        std::optional<VolumeReport> report;
    };

    std::vector<Volume> ListVolumes() override;
    std::optional<VolumeReport> Survey(const Volume& volume) override;

    void Add(const Volume& volume, std::optional<VolumeReport> report);
    // The report of a volume added before, for changes between surveys.
    std::optional<VolumeReport>& ReportOf(const QByteArray& mountPoint);

    std::vector<Entry> entries;
    int surveyed = 0;
};

Volume MakeVolume(const QByteArray& mountPoint, DriveKind kind = DriveKind::Fixed,
                  const QString& fsType = "ext4");
// A volume report with its space known and no blocks kept back for the administrator (all
// free space available); the cluster size defaults to 4096 bytes.
VolumeReport SpaceReport(std::uint64_t totalBytes, std::uint64_t availBytes,
                         const QString& label = {}, std::uint64_t clusterSize = 4096);

// The settings key in memory. With Available false it can be neither opened nor created.
class FakeSettingsStore final : public SettingsStore {
  public:
    bool KeyExists() const override { return exists; }
    QString Location() const override { return QStringLiteral("the test's store"); }
    bool OpenKey() override;
    void CreateKey() override;
    std::optional<QString> ReadValue(const QString& name) override;
    void WriteValue(const QString& name, const QString& text) override;
    void CloseKey() override;

    bool available = true;
    bool exists = true;
    std::map<QString, QString> values;
};

// Records the session actions asked for; never reaches the real session manager.
class FakeSessionControl final : public SessionControl {
  public:
    void Perform(SessionAction action) override { performed.push_back(action); }
    std::vector<SessionAction> performed;
};

// Records the directories opened and the programs started, as (program, arguments); with
// Fail set every start fails and says so.
class FakeLauncher final : public ProgramLauncher {
  public:
    bool OpenDirectory(const QByteArray& directory, QString* error) override;
    bool StartProgram(const QByteArray& program, const std::vector<QByteArray>& arguments,
                      QString* error) override;

    bool fail = false;
    std::vector<QByteArray> opened;
    std::vector<std::pair<QByteArray, std::vector<QByteArray>>> started;
};
