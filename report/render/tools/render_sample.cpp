// Renders the sample report: quorin_report_sample_render REPORT.ini OUTPUT_FOLDER
// Writes OUTPUT_FOLDER/report.pdf and OUTPUT_FOLDER/png/page-NNN.png, with a generated logo
// ("logo.bmp", "LogoPrint.bmp") and a signature block as the closing picture.
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <string>
#include <vector>

#include "report/file_utils.h"
#include "report/render/report.h"
#include "report/render/report_output.h"
#include "report/render/tools/sample_report.h"

namespace {

QImage Logo() {
    QImage logo(170, 52, QImage::Format_RGB32);
    logo.fill(Qt::white);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1F, 0x4E, 0x8C));
    p.drawRoundedRect(QRectF(2, 6, 40, 40), 6, 6);
    p.setPen(QPen(Qt::white, 4));
    p.drawLine(QPointF(10, 36), QPointF(22, 16));
    p.drawLine(QPointF(22, 16), QPointF(34, 36));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(22);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0x1F, 0x4E, 0x8C));
    p.drawText(QRect(50, 4, 120, 28), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("QUORIN"));
    font.setPixelSize(11);
    font.setBold(false);
    p.setFont(font);
    p.setPen(QColor(0x55, 0x55, 0x55));
    p.drawText(QRect(50, 30, 120, 16), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Protection Testing"));
    return logo;
}

QImage SignatureBlock() {
    QImage block(700, 150, QImage::Format_RGB32);
    block.fill(Qt::white);
    QPainter p(&block);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(16);
    p.setFont(font);
    p.setPen(Qt::black);
    const char* roles[] = {"Tested by:", "Checked by:", "Approved by:"};
    for (int i = 0; i < 3; ++i) {
        const int y = 20 + i * 45;
        p.drawText(QRect(0, y, 110, 24), Qt::AlignLeft | Qt::AlignBottom, roles[i]);
        p.drawLine(115, y + 22, 400, y + 22);
        p.drawText(QRect(430, y, 50, 24), Qt::AlignLeft | Qt::AlignBottom, "Date:");
        p.drawLine(480, y + 22, 680, y + 22);
    }
    return block;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s REPORT.ini OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    // No display is needed to render files.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::string folder = argv[2];
    if (folder.back() != '/') folder += '/';
    std::string png = folder + "png";

    quorin::CReport report{std::string(argv[1])};
    quorin::SampleReport sample = quorin::BuildSampleReport(report.Setting());
    report.SetItems(sample.items);
    report.SetExtraHeaderTables(sample.extraHeaderTables);
    std::vector<std::string> written;
    std::string error;
    QImage logo = Logo();
    const bool pictures = quorin::CreateFolderPath(folder) &&
                          logo.save(QString::fromStdString(folder + "logo.bmp")) &&
                          logo.save(QString::fromStdString(folder + "LogoPrint.bmp")) &&
                          SignatureBlock().save(QString::fromStdString(folder + "signature.bmp"));
    if (!pictures) {
        std::fprintf(stderr, "cannot write the pictures to %s\n", folder.c_str());
        return 1;
    }
    report.SetLogoFolder(folder);
    report.SetClosingPicture(folder + "signature.bmp");
    if (!quorin::RenderReportPngs(report, png, &written, &error) ||
        !quorin::RenderReportPdf(report, folder + "report.pdf", &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::printf("%s: %d pages\n", (folder + "report.pdf").c_str(), report.PageCount());
    for (const std::string& path : written)
        std::printf("%s\n", path.c_str());
    return 0;
}
