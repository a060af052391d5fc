#include "ui/save_report.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

#include "platform/report_file.h"
#include "table/report_text.h"
#include "ui/desktop_dialogs.h"
#include "ui/user_messages.h"

namespace {

// What the dialog offers at first: the suggestion beside the last file chosen.
QString InitialName(const QString& lastName, const QString& suggested) {
    if (suggested.isEmpty()) return lastName;
    if (lastName.isEmpty()) return suggested;
    return QFileInfo(lastName).dir().filePath(suggested);
}

}  // namespace

QString WithFilterExtension(const QString& name, const QString& pattern) {
    const QString last = name.section(u'/', -1);
    if (last.isEmpty() || last.contains(u'.') || !pattern.startsWith(QStringLiteral("*."))) {
        return name;
    }
    return name + pattern.mid(1);
}

QString SuggestedReportName(const QString& subject, const QDate& date, const QString& lastName) {
    QString name = subject.isEmpty() ? QStringLiteral("report") : subject;
    name.replace(u'/', u'_');
    const QString extension = KindOfReportFile(lastName) == ReportKind::Csv
                                  ? QStringLiteral(".csv")
                                  : QStringLiteral(".txt");
    return name + u' ' + date.toString(Qt::ISODate) + extension;
}

void SaveReportAs(QWidget* parent, SaveDialog& dialog, UserMessages& messages, const QString& title,
                  QString& lastName, const ReportSources& sources, const QString& suggested) {
    const std::optional<SaveChoice> choice = dialog.AskSaveFileName(
        parent, QString::fromLatin1(kReportFilter), InitialName(lastName, suggested));
    if (!choice || choice->name.isEmpty()) return;
    const QString chosen = WithFilterExtension(choice->name, choice->pattern);
    lastName = chosen;
    QStringList lines;
    const ReportKind kind = KindOfReportFile(chosen);
    switch (kind) {
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
                                     .arg(chosen));
            return;
    }
    if (const std::optional<QString> reason = WriteReportFile(chosen, ReportBytes(lines, kind))) {
        messages.ShowMessage(parent, title,
                             QStringLiteral("Could not save \"%1\": %2").arg(chosen, *reason));
    }
}
