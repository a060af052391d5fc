#include "ui/save_report.h"

#include "platform/report_file.h"
#include "table/report_text.h"
#include "ui/desktop_dialogs.h"
#include "ui/user_messages.h"

void SaveReportAs(QWidget* parent, SaveDialog& dialog, UserMessages& messages, const QString& title,
                  QString& lastName, const ReportSources& sources) {
    const std::optional<QString> chosen =
        dialog.AskSaveFileName(parent, QString::fromLatin1(kReportFilter), lastName);
    if (!chosen || chosen->isEmpty()) return;
    lastName = *chosen;
    QStringList lines;
    switch (KindOfReportFile(*chosen)) {
        case ReportKind::Text:
            lines = sources.textLines();
            break;
        case ReportKind::Csv:
            lines = sources.csvLines();
            break;
        case ReportKind::Json:
        case ReportKind::Prometheus:
        case ReportKind::Unknown:
            messages.ShowMessage(parent, title,
                                 QStringLiteral("Nothing was saved: the file name \"%1\" must end "
                                                "in .txt (text report) or .csv (comma file).")
                                     .arg(*chosen));
            return;
    }
    if (const std::optional<QString> reason = WriteReportFile(*chosen, ReportBytes(lines))) {
        messages.ShowMessage(parent, title,
                             QStringLiteral("Could not save \"%1\": %2").arg(*chosen, *reason));
    }
}
