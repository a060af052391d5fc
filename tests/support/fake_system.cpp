#include "tests/support/fake_system.h"

#include <algorithm>
#include <stdexcept>

std::vector<Volume> FakeVolumeSource::ListVolumes() {
    std::vector<Volume> volumes;
    for (const Entry& entry : entries)
        volumes.push_back(entry.volume);
    return volumes;
}

std::optional<VolumeReport> FakeVolumeSource::Survey(const Volume& volume) {
    ++surveyed;
    for (const Entry& entry : entries) {
        if (entry.volume.mountPoint == volume.mountPoint) return entry.report;
    }
    return std::nullopt;
}

void FakeVolumeSource::Add(const Volume& volume, std::optional<VolumeReport> report) {
    entries.push_back({volume, std::move(report)});
}

std::optional<VolumeReport>& FakeVolumeSource::ReportOf(const QByteArray& mountPoint) {
    const auto found = std::find_if(entries.begin(), entries.end(), [&](const Entry& entry) {
        return entry.volume.mountPoint == mountPoint;
    });
    if (found == entries.end())
        throw std::out_of_range("no fake volume " + mountPoint.toStdString());
    return found->report;
}

Volume MakeVolume(const QByteArray& mountPoint, DriveKind kind, const QString& fsType) {
    Volume volume;
    volume.mountPoint = mountPoint;
    volume.source = "/dev/fake" + mountPoint;
    volume.fsType = fsType;
    volume.kind = kind;
    return volume;
}

VolumeReport SpaceReport(std::uint64_t totalBytes, std::uint64_t availBytes, const QString& label,
                         std::uint64_t clusterSize) {
    VolumeReport report;
    report.label = label;
    report.spaceKnown = true;
    report.totalBytes = totalBytes;
    report.availBytes = availBytes;
    report.freeBytes = availBytes;
    report.clusterSize = clusterSize;
    return report;
}

bool FakeSettingsStore::OpenKey() {
    return available && exists;
}

void FakeSettingsStore::CreateKey() {
    if (available) exists = true;
}

std::optional<QString> FakeSettingsStore::ReadValue(const QString& name) {
    const auto found = values.find(name);
    if (found == values.end()) return std::nullopt;
    return found->second;
}

void FakeSettingsStore::WriteValue(const QString& name, const QString& text) {
    values[name] = text;
}

void FakeSettingsStore::CloseKey() {}

bool FakeLauncher::OpenDirectory(const QByteArray& directory, QString* error) {
    if (fail)
        *error = QStringLiteral("The fake file manager failed.");
    else
        opened.push_back(directory);
    return !fail;
}

bool FakeLauncher::StartProgram(const QByteArray& program, const std::vector<QByteArray>& arguments,
                                QString* error) {
    if (fail)
        *error = QStringLiteral("the fake start failed");
    else
        started.emplace_back(program, arguments);
    return !fail;
}
