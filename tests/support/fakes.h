#pragma once
// Stand-ins for the platform services, for tests: they record what the code asked and answer
// what the test set up. None of them opens a window or touches the machine.

#include <QByteArray>
#include <QString>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "common/desktop_dialogs.h"
#include "common/program_launcher.h"
#include "common/session_control.h"
#include "common/user_messages.h"
#include "common/volumes.h"
#include "settings/app_context.h"
#include "settings/settings_store.h"

// Bytes in a megabyte, for sizing fake volumes.
inline constexpr double kMB = 1048576.0;

// Records every message box as (title, text).
class FakeMessages final : public UserMessages {
  public:
    void ShowMessage(QWidget* parent, const QString& title, const QString& text) override;
    std::vector<std::pair<QString, QString>> shown;
};

// Answers the save dialog with Answer (nothing: the user cancelled).
class FakeSaveDialog final : public SaveDialog {
  public:
    std::optional<QString> AskSaveFileName(QWidget* parent, const QString& filter,
                                           const QString& initialName) override;
    std::optional<QString> answer;
    int asked = 0;
    QString lastFilter;
    QString lastInitialName;
};

// Accepts or cancels the print dialog. Accepting with PdfPath set makes the printer write
// that PDF file instead of printing.
class FakePrintDialog final : public PrintDialog {
  public:
    bool AskPrinter(QWidget* parent, QPrinter& printer) override;
    bool accept = true;
    QString pdfPath;
    int asked = 0;
};

class FakeClipboard final : public Clipboard {
  public:
    void SetText(const QString& text) override;
    QString text;
    int sets = 0;
};

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
// A volume report with its space known; the cluster size defaults to 4096 bytes.
VolumeReport SpaceReport(double totalBytes, double freeBytes, const QString& label = {},
                         std::int64_t clusterSize = 4096);

// The settings key in memory. With Available false it can be neither opened nor created.
class FakeSettingsStore final : public SettingsStore {
  public:
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

// Every service a window asks for, faked, and a context that hands them out.
struct FakeServices {
    FakeSettingsStore store;
    FakeMessages messages;
    FakeSaveDialog saveDialog;
    FakePrintDialog printDialog;
    FakeClipboard clipboard;
    FakeSessionControl session;
    FakeVolumeSource volumes;
    FakeLauncher launcher;
    AppContext context;

    explicit FakeServices(const QString& programTitle);
};
