#pragma once
// Reading printed PDF files back with poppler's command-line tools.

#include <QString>

// What Tool (pdfinfo, pdffonts or pdftotext) says about Pdf; pdftotext gives the text.
QString PdfTool(const QString& tool, const QString& pdf);
