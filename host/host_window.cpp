#include "host/host_window.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

#include "component/host_notice.h"
#include "host/quorin_client.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "template/sequence_text.h"

namespace quorin {
namespace {

QString Utf8Of(const std::string& ansi) {
    return QString::fromStdString(AnsiToUtf8(ansi));
}

std::string PathBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// A fixed-size frame that the component paints into; the group box gives it a caption.
QWidget* FixedArea(const QString& objectName, int width, int height, QWidget* parent) {
    auto* area = new QWidget(parent);
    area->setObjectName(objectName);
    area->setFixedSize(width, height);
    return area;
}

}  // namespace

CHostWindow::CHostWindow(CQuorinClient& client, QWidget* parent)
    : QMainWindow(parent), client_(client) {
    setObjectName(QStringLiteral("hostWindow"));
    setWindowTitle(QStringLiteral("Quorin Host"));

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("itemList"));
    list_->setMinimumWidth(200);
    auto* itemsBox = new QGroupBox(QStringLiteral("Test items"), this);
    auto* itemsLayout = new QVBoxLayout(itemsBox);
    itemsLayout->addWidget(list_);

    panelHost_ = FixedArea(QStringLiteral("panelHost"), kPanelWidth, kPanelHeight, this);
    auto* panelBox = new QGroupBox(QStringLiteral("Result entry"), this);
    auto* panelLayout = new QVBoxLayout(panelBox);
    panelLayout->addWidget(panelHost_);
    panelLayout->addStretch(1);

    drawingArea_ = FixedArea(QStringLiteral("drawingArea"), kDrawingWidth,
                             kResultHeight + kParameterHeight, this);
    auto* drawingBox = new QGroupBox(QStringLiteral("Item summary"), this);
    auto* drawingLayout = new QVBoxLayout(drawingBox);
    drawingLayout->addWidget(drawingArea_);
    drawingLayout->addStretch(1);

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->addWidget(itemsBox, 1);
    layout->addWidget(panelBox, 0);
    layout->addWidget(drawingBox, 0);
    setCentralWidget(central);

    // The component sends its notices to the window it was last given.
    panelHost_->installEventFilter(this);
    drawingArea_->installEventFilter(this);

    modeLabel_ = new QLabel(this);
    modeLabel_->setObjectName(QStringLiteral("modeLabel"));
    statusBar()->addPermanentWidget(modeLabel_);
    BuildMenus();
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        ShowItem(list_->item(row)->data(Qt::UserRole).toInt());
    });
    UpdateStatus();
}

void CHostWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Open..."), QKeySequence::Open, this, &CHostWindow::OnOpen);
    file->addAction(QStringLiteral("&Save"), QKeySequence::Save, this, &CHostWindow::OnSave);
    file->addAction(QStringLiteral("Save &As..."), QKeySequence::SaveAs, this,
                    &CHostWindow::OnSaveAs);
    file->addSeparator();
    file->addAction(QStringLiteral("&Export Result Data..."), this, [this] { OnExport(false); });
    file->addAction(QStringLiteral("Export &Value List and Results..."), this,
                    [this] { OnExport(true); });
    file->addSeparator();
    file->addAction(QStringLiteral("&Quit"), QKeySequence::Quit, this, &QWidget::close);
    QMenu* panel = menuBar()->addMenu(QStringLiteral("&Panel"));
    panel->addAction(QStringLiteral("&Refresh Summary"), QKeySequence(Qt::Key_F5), this,
                     &CHostWindow::RefreshSummary);
}

bool CHostWindow::OpenSequence(const QString& path, QString* error) {
    std::string bytes;
    if (!ReadFileBytes(PathBytes(path), bytes)) {
        if (error) *error = QStringLiteral("Cannot read %1.").arg(path);
        return false;
    }
    // The old items go with the new load; their entries have no place left to go.
    shown_ = -1;
    file_ = SequenceText(std::move(bytes));
    path_ = path;
    client_.Load(file_.Text(), true);
    FillItemList();
    setWindowTitle(QStringLiteral("Quorin Host - %1").arg(QFileInfo(path).fileName()));
    if (list_->count() > 0) {
        list_->setCurrentRow(0);
    } else {
        UpdateStatus();
    }
    return true;
}

void CHostWindow::FillItemList() {
    const QSignalBlocker block(list_);
    list_->clear();
    int others = 0;
    for (const CQuorinClient::Item& item : client_.Items()) {
        if (item.kind != 12) {
            ++others;
            continue;
        }
        auto* entry = new QListWidgetItem(
            QStringLiteral("%1. %2").arg(item.index + 1).arg(Utf8Of(item.title)), list_);
        entry->setData(Qt::UserRole, item.index);
    }
    statusBar()->showMessage(
        QStringLiteral("%1 own items, %2 other blocks").arg(list_->count()).arg(others));
}

void CHostWindow::ApplyShownItem() {
    if (shown_ >= 0) client_.Edit()->ApplyEnteredResults(shown_);
}

void CHostWindow::ShowItem(int index) {
    if (index != shown_) ApplyShownItem();
    client_.Panel()->CreatePanel(panelHost_, 0, 0, kPanelWidth, kPanelHeight, index);
    shown_ = index;
    DrawSummaries();
    // A test module enters results for the item it shows.
    client_.Panel()->EnterResultMode();
    UpdateStatus();
}

void CHostWindow::DrawSummaries() {
    if (shown_ < 0) return;
    client_.Panel()->DrawResult(drawingArea_, 0, 0, kDrawingWidth, kResultHeight, shown_);
    client_.Panel()->DrawParameterTable(drawingArea_, 0, kResultHeight, kDrawingWidth,
                                        kParameterHeight);
}

void CHostWindow::RefreshSummary() {
    ApplyShownItem();
    DrawSummaries();
    if (shown_ >= 0) client_.Panel()->EnterResultMode();
    UpdateStatus();
}

bool CHostWindow::SaveSequence(const QString& path, QString* error) {
    if (file_.Text().empty() && path_.isEmpty()) {
        if (error) *error = QStringLiteral("No sequence is open.");
        return false;
    }
    ApplyShownItem();
    std::string text, why;
    if (!file_.SpliceBlocks(client_.Edit()->GetTestItemsText(), &text, &why)) {
        if (error) *error = QStringLiteral("Cannot save %1: %2.").arg(path, Utf8Of(why));
        return false;
    }
    if (!WriteFileAtomic(PathBytes(path), text)) {
        if (error) *error = QStringLiteral("Cannot write %1.").arg(path);
        return false;
    }
    file_ = SequenceText(std::move(text));
    path_ = path;
    statusBar()->showMessage(QStringLiteral("Saved %1").arg(path));
    return true;
}

bool CHostWindow::ExportResultData(const QString& path, bool withValueList, QString* error) {
    ApplyShownItem();
    const std::string data = withValueList ? client_.ValueListAndResults() : client_.ResultData();
    if (!WriteFileAtomic(PathBytes(path), data)) {
        if (error) *error = QStringLiteral("Cannot write %1.").arg(path);
        return false;
    }
    statusBar()->showMessage(QStringLiteral("Result data written to %1").arg(path));
    return true;
}

bool CHostWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == HostNoticeEvent::Type()) {
        const auto* notice = static_cast<const HostNoticeEvent*>(event);
        // The text comes with its terminating zero.
        const QByteArray& data = notice->data();
        const std::string text(data.constData(), qstrnlen(data.constData(), data.size()));
        statusBar()->showMessage(
            QStringLiteral("Notice 0x%1 from the component: %2")
                .arg(notice->code(), 0, 16)
                .arg(text.empty() ? QStringLiteral("(no text)") : Utf8Of(text)));
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void CHostWindow::UpdateStatus() {
    modeLabel_->setText(
        QStringLiteral("Panel mode %1").arg(client_.Panel() ? client_.Panel()->GetPanelMode() : 0));
}

void CHostWindow::ShowError(const QString& text) {
    QMessageBox::warning(this, windowTitle(), text);
}

void CHostWindow::OnOpen() {
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Open Test Sequence"), QFileInfo(path_).path(),
        QStringLiteral("Test sequences (*.seq);;All files (*)"));
    if (path.isEmpty()) return;
    QString error;
    if (!OpenSequence(path, &error)) ShowError(error);
}

void CHostWindow::OnSave() {
    if (path_.isEmpty()) {
        OnSaveAs();
        return;
    }
    QString error;
    if (!SaveSequence(path_, &error)) ShowError(error);
}

void CHostWindow::OnSaveAs() {
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Save Test Sequence"), path_,
                                     QStringLiteral("Test sequences (*.seq);;All files (*)"));
    if (path.isEmpty()) return;
    QString error;
    if (!SaveSequence(path, &error)) ShowError(error);
}

void CHostWindow::OnExport(bool withValueList) {
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Export Result Data"), QFileInfo(path_).path(),
        QStringLiteral("Text files (*.txt);;All files (*)"));
    if (path.isEmpty()) return;
    QString error;
    if (!ExportResultData(path, withValueList, &error)) ShowError(error);
}

}  // namespace quorin
