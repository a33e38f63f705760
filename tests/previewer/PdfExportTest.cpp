#include "previewer/PageRenderer.h"
#include "previewer/PdfExport.h"
#include "tests/previewer/TestFiles.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace wyndlor::glancer;
using previewer_test::ReadFile;

namespace {

int PdfPageCount(const QByteArray &pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return int(QString::fromLatin1(pdf).count(page));
}

// The PDF's text as a reader extracts it; "" when pdftotext is missing.
QString PdfText(const QString &pdfPath)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return QString();
    QProcess p;
    p.start(tool, {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

class PdfExportTest : public ::testing::Test {
protected:
    QString PdfPath(const char *name) const { return dir_.filePath(QLatin1String(name)); }
    QTemporaryDir dir_;
};

TEST_F(PdfExportTest, OnePdfPagePerReportPage)
{
    QString error;
    ASSERT_TRUE(ExportPdf(previewer_test::SamplePath(), PdfPath("sample.pdf"), error))
        << error.toStdString();
    const QByteArray pdf = ReadFile(PdfPath("sample.pdf"));
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(PdfPageCount(pdf), 4);
}

TEST_F(PdfExportTest, DecodedPagesOverload)
{
    QString error;
    ASSERT_TRUE(ExportPdf(QList<QStringList>{{"?R11. 一頁目"}, {"二頁目"}, {"三頁目"}},
                          PdfPath("three.pdf"), error));
    EXPECT_EQ(PdfPageCount(ReadFile(PdfPath("three.pdf"))), 3);
}

TEST_F(PdfExportTest, TextCanBeSearched)
{
    QString error;
    ASSERT_TRUE(ExportPdf(previewer_test::SamplePath(), PdfPath("sample.pdf"), error));
    const QString text = PdfText(PdfPath("sample.pdf"));
    if (text.isNull())
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_TRUE(text.contains(QStringLiteral("1. 計算条件")));
    EXPECT_TRUE(text.contains(QStringLiteral("1-1 ため池の諸元")));
    EXPECT_TRUE(text.contains(QStringLiteral("105.50")));
    EXPECT_TRUE(text.contains(QStringLiteral("ﾀﾙﾎﾞｯﾄ型")));
    EXPECT_FALSE(text.contains(QStringLiteral("?R1")));
    EXPECT_FALSE(text.contains(QStringLiteral("?R2")));
    EXPECT_EQ(text.count(u'\f'), 4);  // pdftotext ends each page with a form feed
}

TEST_F(PdfExportTest, EveryPageCarriesTheTitleAndItsNumber)
{
    // Longer than the head line: it is narrowed, not cut.
    const QString title = QStringLiteral("大沢ため池（大沢地区）洪水吐改修に伴う設計洪水位の検討　その二");
    QString error;
    ASSERT_TRUE(ExportPdf(previewer_test::SamplePath(), PdfPath("sample.pdf"), error, title));
    const QString text = PdfText(PdfPath("sample.pdf"));
    if (text.isNull())
        GTEST_SKIP() << "pdftotext is not installed";
    const QStringList pages = text.split(u'\f');
    ASSERT_GE(pages.size(), 4);
    for (int i = 0; i < 4; ++i) {
        QString page = pages[i];
        EXPECT_TRUE(page.contains(QStringLiteral("%1 / 4").arg(i + 1))) << "page " << i + 1;
        page.remove(QRegularExpression(QStringLiteral("\\s"))).remove(u'　');
        EXPECT_TRUE(page.contains(QString(title).remove(u'　')))
            << "page " << i + 1;
    }
}

TEST_F(PdfExportTest, KanjiSharingAGlyphWithARadicalCopiesRight)
{
    if (PageRenderer(DocumentFromPages({{"x"}})).Font().family() != QLatin1String("IPAGothic"))
        GTEST_SKIP() << "with Noto CJK, Qt's PDF maps 水 back to the radical ⽔ (U+2F54); "
                        "install fonts-ipafont-gothic";
    QString error;
    ASSERT_TRUE(ExportPdf(previewer_test::SamplePath(), PdfPath("sample.pdf"), error));
    const QString text = PdfText(PdfPath("sample.pdf"));
    if (text.isNull())
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_TRUE(text.contains(QStringLiteral("設計洪水位"))) << text.toStdString();
}

TEST_F(PdfExportTest, PrinterGetsTheChosenPagesAndCopies)
{
    PrintDocument doc;
    QString error;
    ASSERT_TRUE(LoadPrintFile(previewer_test::SamplePath(), doc, error));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(PdfPath("printed.pdf"));
    printer.setPageLayout(DefaultPageLayout());
    ASSERT_TRUE(PaintPages(printer, doc, {1, 2, 7}, 2, error));  // 7 does not exist
    EXPECT_EQ(PdfPageCount(ReadFile(PdfPath("printed.pdf"))), 4);
    const QString text = PdfText(PdfPath("printed.pdf"));
    if (!text.isNull()) {
        EXPECT_EQ(text.count(QStringLiteral("2-1 流入量ハイドログラフ")), 2);
        EXPECT_FALSE(text.contains(QStringLiteral("計算条件")));
    }
}

TEST_F(PdfExportTest, FailuresGiveMessages)
{
    QString error;
    EXPECT_FALSE(ExportPdf(dir_.filePath(QStringLiteral("none.prn")), PdfPath("x.pdf"), error));
    EXPECT_TRUE(error.contains(QStringLiteral("none.prn")));
    EXPECT_FALSE(QFile::exists(PdfPath("x.pdf")));

    const QString unwritable = dir_.filePath(QStringLiteral("no/such/folder/x.pdf"));
    EXPECT_FALSE(ExportPdf(previewer_test::SamplePath(), unwritable, error));
    EXPECT_TRUE(error.contains(QStringLiteral("x.pdf"))) << error.toStdString();
}

}  // namespace
