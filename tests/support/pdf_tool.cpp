#include "tests/support/pdf_tool.h"

#include <QProcess>
#include <QStringList>

QString PdfTool(const QString& tool, const QString& pdf) {
    QProcess process;
    process.start(tool, tool == u"pdftotext" ? QStringList{pdf, "-"} : QStringList{pdf});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}
