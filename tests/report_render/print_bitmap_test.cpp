#include "report/render/print_bitmap.h"

#include <gtest/gtest.h>

#include <QImage>

#include "platform/files.h"
#include "tests/common/temp_dir.h"
#include "tests/report_render/report_fixture.h"

namespace quorin::test {
namespace {

// Messages are collected; the printer writes a PDF file, so printing runs without a print server.
struct PdfPrinting {
    TempDir folder{"print"};
    std::vector<std::string> shown;
    PrintEnvironment env{[path = folder.file("out.pdf")] {
                             auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
                             printer->setOutputFormat(QPrinter::PdfFormat);
                             printer->setOutputFileName(QString::fromStdString(path));
                             return printer;
                         },
                         [this](const std::string& text) { shown.push_back(text); }};
};

TEST(PrintBitmapFile, NoPrinterShowsTheMessageAndPrintsNothing) {
    PdfPrinting p;
    p.env.findPrinter = [] { return std::unique_ptr<QPrinter>(); };
    EXPECT_EQ(PrintBitmapFile("/any/page.png", p.env), PrintStatus::kNoPrinter);
    EXPECT_EQ(p.shown, std::vector<std::string>{"No printer found!"});
    // Without a widgets application the message goes to standard error.
    p.env.showMessage = ShowUserMessage;
    testing::internal::CaptureStderr();
    EXPECT_EQ(PrintBitmapFile("/any/page.png", p.env), PrintStatus::kNoPrinter);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "No printer found!\n");
}

TEST(PrintBitmapFile, BadBitmapShowsTheMessageAndAbortsTheJob) {
    PdfPrinting p;
    ASSERT_TRUE(WriteFileAtomic(p.folder.file("page.bmp"), "BM this is not a bitmap"));
    EXPECT_EQ(PrintBitmapFile(p.folder.file("page.bmp"), p.env), PrintStatus::kBadBitmap);
    EXPECT_EQ(PrintBitmapFile(p.folder.file("missing.bmp"), p.env), PrintStatus::kBadBitmap);
    EXPECT_EQ(p.shown, std::vector<std::string>(2, "Error loading bitmap!"));
}

TEST(PrintBitmapFile, APictureFillsOnePageOfTheDefaultPrinter) {
    PdfPrinting p;
    QImage picture(100, 120, QImage::Format_RGB32);
    picture.fill(QColor(0, 0, 200));
    ASSERT_TRUE(picture.save(QString::fromStdString(p.folder.file("page.bmp"))));
    EXPECT_EQ(PrintBitmapFile(p.folder.file("page.bmp"), p.env), PrintStatus::kPrinted);
    EXPECT_TRUE(p.shown.empty());
    std::string pdf;
    ASSERT_TRUE(ReadFileBytes(p.folder.file("out.pdf"), pdf));
    EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
    EXPECT_EQ(PdfPageCount(pdf), 1);
}

}  // namespace
}  // namespace quorin::test
