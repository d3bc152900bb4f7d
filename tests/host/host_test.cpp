// quorin-host's window on libquorin.so, which it reaches only through the component's
// interfaces: the sample's items, the panel and drawings in the host's widgets, saving the
// sequence, exporting result data and showing notices.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "component/host_notice.h"
#include "host/host_window.h"
#include "host/quorin_client.h"
#include "platform/files.h"
#include "template/sequence_text.h"
#include "tests/common/temp_dir.h"

namespace quorin {
namespace {

namespace fs = std::filesystem;

class Host : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("QUORIN_REGISTRY", dir_.file("registry.ini").c_str(), 1);
        std::string error;
        ASSERT_TRUE(client_.Create(&error)) << error;
        window_ = std::make_unique<CHostWindow>(client_);
        QString openError;
        ASSERT_TRUE(window_->OpenSequence(QStringLiteral(QUORIN_SAMPLE_SEQUENCE), &openError))
            << openError.toStdString();
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }
    void TearDown() override {
        window_.reset();
        ::unsetenv("QUORIN_REGISTRY");
    }

    QAbstractItemView* Grid() const {
        return window_->PanelHost()->findChild<QAbstractItemView*>(QStringLiteral("grid"));
    }
    // Types text into row's result cell of the shown panel, as a tester would.
    void TypeResult(int row, const QString& text) {
        QAbstractItemView* grid = Grid();
        ASSERT_NE(grid, nullptr);
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(row - 1, 1));
        QTest::keyClick(grid, Qt::Key_Return);
        // Closed editors linger hidden until they are deleted.
        QLineEdit* editor = nullptr;
        for (QLineEdit* open :
             grid->viewport()->findChildren<QLineEdit*>(QStringLiteral("gridCellEditor")))
            if (open->isVisible()) editor = open;
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    std::string Path(const char* name) const { return dir_.file(name); }

    test::TempDir dir_{"host"};
    CQuorinClient client_;
    std::unique_ptr<CHostWindow> window_;
    const std::string sample_ = test::FileBytes(QUORIN_SAMPLE_SEQUENCE);
};

TEST_F(Host, ShowsTheOwnItemsWithThePanelAndDrawingsOfTheFirst) {
    const std::vector<CQuorinClient::Item> items = client_.Items();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(std::tuple(items[0].kind, items[1].kind, items[2].title),
              std::tuple(12, 0, "\xCD\xE2\xB9\xDB\xBC\xB0\xBD\xD3\xCF\xDF\xBC\xEC\xB2\xE9"));
    QListWidget* list = window_->ItemList();
    ASSERT_EQ(list->count(), 2);  // the foreign item is not listed
    EXPECT_EQ(std::tuple(list->item(0)->text(), list->item(1)->text(), window_->ShownItem()),
              std::tuple("1. Zone reach verification", QStringLiteral("3. 外观及接线检查"), 0));

    auto* sheet = window_->PanelHost()->findChild<QTabWidget*>(QStringLiteral("panelSheet"));
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(std::pair(sheet->geometry(), Grid()->model()->rowCount()),
              std::pair(QRect(0, 0, CHostWindow::kPanelWidth, CHostWindow::kPanelHeight), 5));
    const auto drawings =
        window_->DrawingArea()->findChildren<QWidget*>(QStringLiteral("panelDrawing"));
    ASSERT_EQ(drawings.size(), 2);
    EXPECT_EQ(drawings[0]->geometry(),
              QRect(0, 0, CHostWindow::kDrawingWidth, CHostWindow::kResultHeight));
    EXPECT_EQ(window_->findChild<QLabel*>(QStringLiteral("modeLabel"))->text(), "Panel mode 2");

    list->setCurrentRow(1);
    EXPECT_EQ(std::tuple(window_->ShownItem(), Grid()->model()->rowCount(),
                         Grid()->model()->index(0, 0).data().toString()),
              std::tuple(2, 4, QStringLiteral("外观检查")));
}

// Line breaks and comments between the blocks and after the last one are the host's bytes too.
TEST_F(Host, SavesEntriesAndKeepsEveryByteOutsideTheOwnBlocks) {
    const SequenceText sample(sample_);
    ASSERT_EQ(sample.BlockCount(), 3);
    const std::string gaps[] = {"\r\n; zone checks\r\n", "\r\n\r\n", "\r\n; end\r\n"};
    std::string file(sample.TemplateText());
    for (int i = 0; i < 3; ++i)
        file.append(sample.Block(i)).append(gaps[i]);
    ASSERT_TRUE(WriteFileAtomic(Path("gaps.seq"), file));
    ASSERT_TRUE(window_->OpenSequence(QString::fromStdString(Path("gaps.seq"))));

    TypeResult(1, QStringLiteral("4.01"));
    // Switching items applies the entries of the item shown before.
    window_->ItemList()->setCurrentRow(1);
    TypeResult(2, QStringLiteral("合格"));
    const std::string path = Path("saved.seq");
    QString error;
    ASSERT_TRUE(window_->SaveSequence(QString::fromStdString(path), &error)) << error.toStdString();
    const SequenceText saved(test::FileBytes(path));
    ASSERT_EQ(saved.BlockCount(), 3);
    // The template, the foreign block and the gaps.
    EXPECT_EQ(std::tuple(saved.TemplateText(), saved.Block(1), saved.After(0), saved.After(1),
                         saved.After(2)),
              std::tuple(sample.TemplateText(), sample.Block(1), gaps[0], gaps[1], gaps[2]));
    EXPECT_NE(saved.Inner(0).find("\tVALUE1=4.01;\r\n"), std::string::npos);
    EXPECT_NE(saved.Inner(2).find("\tVALUE2=\xBA\xCF\xB8\xF1;\r\n"), std::string::npos);
}

TEST_F(Host, RefreshKeepsTheEnteredMarksAndFinish) {
    for (int row = 1; row <= 5; ++row)
        TypeResult(row, QStringLiteral("ok"));
    auto* finish = window_->PanelHost()->findChild<QPushButton*>(QStringLiteral("finishButton"));
    ASSERT_TRUE(finish && finish->isEnabled());
    window_->RefreshSummary();
    EXPECT_TRUE(finish->isEnabled());
}

TEST_F(Host, FilesThatCannotBeWrittenOrReadSayWhyAndKeepWhatIsThere) {
    QString error;
    const QString folder = QString::fromStdString(dir_.path());
    EXPECT_FALSE(window_->SaveSequence(folder, &error));
    EXPECT_EQ(error, QStringLiteral("Cannot write %1.").arg(folder));
    EXPECT_TRUE(fs::is_directory(dir_.path()));
    EXPECT_FALSE(window_->SaveSequence(QStringLiteral("/nonexistent-dir/x.seq"), &error));
    EXPECT_EQ(error, "Cannot write /nonexistent-dir/x.seq.");
    EXPECT_FALSE(window_->OpenSequence(QStringLiteral("/no/such.seq"), &error));
    EXPECT_EQ(error, "Cannot read /no/such.seq.");
    EXPECT_EQ(std::pair(window_->ItemList()->count(), window_->SequencePath()),
              std::pair(2, QStringLiteral(QUORIN_SAMPLE_SEQUENCE)));
}

TEST_F(Host, ExportsTheResultDataAndTheValueList) {
    TypeResult(1, QStringLiteral("3.98"));
    QString error;
    ASSERT_TRUE(window_->ExportResultData(QString::fromStdString(Path("r.txt")), false, &error));
    ASSERT_TRUE(window_->ExportResultData(QString::fromStdString(Path("v.txt")), true, &error));
    const std::string results = test::FileBytes(Path("r.txt")),
                      values = test::FileBytes(Path("v.txt"));
    EXPECT_EQ(results.rfind("DIST_1_NAME=Z1 reactive reach (\xA6\xB8);DIST_1_RESULT=3.98;", 0), 0u)
        << results;
    EXPECT_EQ(std::pair(results, values),
              std::pair(client_.ResultData(), client_.ValueListAndResults()));
    EXPECT_NE(values.find(results), std::string::npos);
}

TEST_F(Host, ShowsNoticesOfTheComponentInTheStatusBar) {
    HostNoticeEvent notice(0xFF0000, QByteArray("Ready", 6));
    QCoreApplication::sendEvent(window_->PanelHost(), &notice);
    EXPECT_EQ(window_->statusBar()->currentMessage(), "Notice 0xff0000 from the component: Ready");
    HostNoticeEvent empty(7, QByteArray(1, '\0'));
    QCoreApplication::sendEvent(window_->DrawingArea(), &empty);
    EXPECT_EQ(window_->statusBar()->currentMessage(), "Notice 0x7 from the component: (no text)");
}

TEST(HostLibrary, KeepsThePanelCodeOutOfItsExports) {
    // The panel works through the library (tests above); its classes are not exported.
    void* self = ::dlopen(nullptr, RTLD_NOW);
    EXPECT_NE(::dlsym(self, "DllGetClassObject"), nullptr);
    EXPECT_EQ(::dlsym(self, "_ZN6quorin17RegisterPanelViewEv"), nullptr);
    EXPECT_EQ(::dlsym(self, "_ZN6quorin9CGridCtrl16staticMetaObjectE"), nullptr);
    ::dlclose(self);
}

}  // namespace
}  // namespace quorin
