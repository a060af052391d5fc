#include "tests/support/pdf_tool.h"

#include <QProcess>

QString PdfTool(const QString& tool, const QString& pdf, const QStringList& options) {
    QProcess process;
    process.start(tool,
                  options + (tool == u"pdftotext" ? QStringList{pdf, "-"} : QStringList{pdf}));
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}
