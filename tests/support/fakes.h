#pragma once
// Stand-ins for the desktop services, for tests: they record what the code asked and answer
// what the test set up. None of them opens a window or touches the machine.

#include <QString>
#include <optional>
#include <utility>
#include <vector>

#include "tests/support/fake_system.h"
#include "ui/app_context.h"
#include "ui/desktop_dialogs.h"
#include "ui/user_messages.h"

// Records every message box as (title, text).
class FakeMessages final : public UserMessages {
  public:
    void ShowMessage(QWidget* parent, const QString& title, const QString& text) override;
    std::vector<std::pair<QString, QString>> shown;
};

// Answers the save dialog with Answer (nothing: the user cancelled) and the filter Pattern.
class FakeSaveDialog final : public SaveDialog {
  public:
    std::optional<SaveChoice> AskSaveFileName(QWidget* parent, const QString& filter,
                                              const QString& initialName) override;
    std::optional<QString> answer;
    QString pattern = QStringLiteral("*.txt");
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
