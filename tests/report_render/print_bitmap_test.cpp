#include "report/render/print_bitmap.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QRegularExpression>

#include "platform/files.h"
#include "tests/report_render/report_fixture.h"

namespace quorin {
namespace {

using test::TempFolder;

// A printer that writes a PDF file, so that printing runs without a print server.
std::function<std::unique_ptr<QPrinter>()> PdfPrinter(const std::string& path) {
    return [path] {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromStdString(path));
        return printer;
    };
}

TEST(PrintBitmapFile, NoPrinterShowsTheMessageAndPrintsNothing) {
    std::vector<std::string> shown;
    PrintEnvironment env;
    env.findPrinter = [] { return std::unique_ptr<QPrinter>(); };
    env.showMessage = [&shown](const std::string& text) { shown.push_back(text); };
    EXPECT_EQ(PrintBitmapFile("/any/page.png", env), PrintStatus::kNoPrinter);
    EXPECT_EQ(shown, std::vector<std::string>{"No printer found!"});

    // Without a widgets application the message goes to standard error.
    PrintEnvironment plain;
    plain.findPrinter = env.findPrinter;
    testing::internal::CaptureStderr();
    EXPECT_EQ(PrintBitmapFile("/any/page.png", plain), PrintStatus::kNoPrinter);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "No printer found!\n");
}

TEST(PrintBitmapFile, BadBitmapShowsTheMessageAndAbortsTheJob) {
    TempFolder folder("print-bad");
    ASSERT_TRUE(WriteFileAtomic(folder.Path("page.bmp"), "BM this is not a bitmap"));
    std::vector<std::string> shown;
    PrintEnvironment env;
    env.findPrinter = PdfPrinter(folder.Path("out.pdf"));
    env.showMessage = [&shown](const std::string& text) { shown.push_back(text); };
    EXPECT_EQ(PrintBitmapFile(folder.Path("page.bmp"), env), PrintStatus::kBadBitmap);
    EXPECT_EQ(PrintBitmapFile(folder.Path("missing.bmp"), env), PrintStatus::kBadBitmap);
    EXPECT_EQ(shown, (std::vector<std::string>{"Error loading bitmap!", "Error loading bitmap!"}));
}

TEST(PrintBitmapFile, APictureFillsOnePageOfTheDefaultPrinter) {
    TempFolder folder("print-good");
    QImage picture(100, 120, QImage::Format_RGB32);
    picture.fill(QColor(0, 0, 200));
    ASSERT_TRUE(picture.save(QString::fromStdString(folder.Path("page.bmp"))));
    std::vector<std::string> shown;
    PrintEnvironment env;
    env.findPrinter = PdfPrinter(folder.Path("out.pdf"));
    env.showMessage = [&shown](const std::string& text) { shown.push_back(text); };
    EXPECT_EQ(PrintBitmapFile(folder.Path("page.bmp"), env), PrintStatus::kPrinted);
    EXPECT_TRUE(shown.empty());
    std::string pdf;
    ASSERT_TRUE(ReadFileBytes(folder.Path("out.pdf"), pdf));
    EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![A-Za-z])"));
    auto it = page.globalMatch(QString::fromLatin1(pdf.data(), qsizetype(pdf.size())));
    int pages = 0;
    while (it.hasNext()) {
        it.next();
        ++pages;
    }
    EXPECT_EQ(pages, 1);
}

}  // namespace
}  // namespace quorin
