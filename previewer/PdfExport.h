// The report on paged devices: the PDF file written by the previewer and by
// the command-line calculator, and the printer.
//
// Every page goes through PageRenderer, one report page per sheet, on the
// device's own page layout.  The PDF keeps the text as text, so it can be
// searched and copied.  Works without a display: the caller makes a
// QGuiApplication (the "offscreen" platform will do).
#pragma once

#include "previewer/PrintDocument.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QPagedPaintDevice;

namespace wyndlor::glancer {

// Paints the pages `pageIndexes` (0-based, in that order) of `doc` on
// `device`, one sheet each.  `copies` repeats the whole run (collated).
// False with a message when the device cannot be painted on.
bool PaintPages(QPagedPaintDevice &device, const PrintDocument &doc,
                const QList<int> &pageIndexes, int copies, QString &error);

// Every page of `doc` as a PDF document in memory, titled `title`.
bool RenderPdf(const PrintDocument &doc, const QString &title, QByteArray &pdf, QString &error);

// Writes every page of `doc` to the PDF file `pdfPath` (A4 portrait),
// replacing it.  False with a message for the user on failure.
bool ExportPdf(const PrintDocument &doc, const QString &pdfPath, QString &error);
// Pages already decoded and split into lines; "?R1"/"?R2" markers may still
// be in the lines and are removed.
bool ExportPdf(const QList<QStringList> &pages, const QString &pdfPath, QString &error);
// Reads the print file (Shift_JIS, form feeds between pages) and writes it
// with `title` at the head of every page.
bool ExportPdf(const QString &printFilePath, const QString &pdfPath, QString &error,
               const QString &title = QString());

}  // namespace wyndlor::glancer
