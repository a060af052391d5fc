#pragma once
// Reading printed PDF files back with poppler's command-line tools.

#include <QString>

#include <QStringList>

// What Tool (pdfinfo, pdffonts or pdftotext) says about Pdf; pdftotext gives the text.
// Options go before the file name ("-bbox": each word with its place, in points).
QString PdfTool(const QString& tool, const QString& pdf, const QStringList& options = {});
