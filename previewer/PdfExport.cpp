#include "previewer/PdfExport.h"

#include "previewer/PageRenderer.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>


namespace wyndlor::glancer {

namespace {

constexpr int kPdfResolutionDpi = 1200;

}  // namespace

bool PaintPages(QPagedPaintDevice &device, const PrintDocument &doc,
                const QList<int> &pageIndexes, int copies, QString &error)
{
    QPainter painter;
    if (!painter.begin(&device)) {
        error = QStringLiteral("印刷を開始できませんでした。");
        return false;
    }
    painter.setRenderHint(QPainter::TextAntialiasing);
    const PageRenderer renderer(doc);
    // the painter's origin is the top left of the printable area
    const QRectF printable(QPointF(0, 0),
                           device.pageLayout().paintRectPixels(device.logicalDpiX()).size());
    bool first = true;
    for (int copy = 0; copy < std::max(1, copies); ++copy) {
        for (int index : pageIndexes) {
            if (index < 0 || index >= doc.PageCount())
                continue;
            if (!first && !device.newPage()) {
                error = QStringLiteral("印刷の途中でページを送れませんでした。");
                painter.end();
                return false;
            }
            first = false;
            renderer.Paint(painter, doc.pages.at(index), index + 1, printable);
        }
    }
    if (!painter.end()) {
        error = QStringLiteral("印刷を終えられませんでした。");
        return false;
    }
    return true;
}

bool RenderPdf(const PrintDocument &doc, const QString &title, QByteArray &pdf, QString &error)
{
    pdf.clear();
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolutionDpi);
        writer.setPageLayout(DefaultPageLayout());
        writer.setCreator(QStringLiteral("Glancer"));
        writer.setTitle(PlainText(title).simplified());
        QList<int> all;
        for (int i = 0; i < doc.PageCount(); ++i)
            all.append(i);
        if (!PaintPages(writer, doc, all, 1, error))
            return false;
    }  // the writer finishes the document here
    buffer.close();
    if (pdf.isEmpty()) {
        error = QStringLiteral("PDFを作成できませんでした。");
        return false;
    }
    error.clear();
    return true;
}

bool ExportPdf(const PrintDocument &doc, const QString &pdfPath, QString &error)
{
    const QString shownPath = QDir::toNativeSeparators(pdfPath);
    QByteArray pdf;
    QString renderError;
    if (!RenderPdf(doc, doc.title.isEmpty() ? QFileInfo(pdfPath).completeBaseName() : doc.title, pdf, renderError)) {
        error = QStringLiteral("PDFファイル「%1」を書き込めませんでした。").arg(shownPath);
        return false;
    }
    // The whole document is written beside the old file and renamed over it
    // only when every byte reached the disk.
    QString why;
    if (!WriteWholeFile(pdfPath, pdf, why)) {
        error = QStringLiteral("PDFファイル「%1」を書き込めませんでした。\n%2").arg(shownPath, why);
        return false;
    }
    error.clear();
    return true;
}

bool ExportPdf(const QList<QStringList> &pages, const QString &pdfPath, QString &error)
{
    return ExportPdf(DocumentFromPages(pages), pdfPath, error);
}

bool ExportPdf(const QString &printFilePath, const QString &pdfPath, QString &error,
               const QString &title)
{
    PrintDocument doc;
    if (!LoadPrintFile(printFilePath, doc, error))
        return false;
    doc.title = title;
    return ExportPdf(doc, pdfPath, error);
}

}  // namespace wyndlor::glancer
