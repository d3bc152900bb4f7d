// quorin-host: a reference host for the component's embedded panel.
//
//   quorin-host [sequence.seq] [--item N] [--screenshot FILE] [--screenshot-dialogs DIR]
//
// Without a sequence it opens the bundled sample. --screenshot saves the main window as a PNG
// and exits; --screenshot-dialogs saves the result dialog and the add dialog of the shown item's
// panel as PNGs into DIR and exits. Both run without a display (QT_QPA_PLATFORM=offscreen).
#include <QAbstractItemView>
#include <QApplication>
#include <QCommandLineParser>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <functional>

#include "host/host_window.h"
#include "host/quorin_client.h"
#include "platform/files.h"

using namespace quorin;

namespace {

// The bundled sample: beside the build tree's bin/ or an installed share/, else where the
// source tree had it.
QString DefaultSequence() {
    const QString bin = QString::fromStdString(ExecutableFolder());
    for (const QString& candidate :
         {bin + QStringLiteral("../../samples/distance_relay.seq"),
          bin + QStringLiteral("../share/quorin/samples/distance_relay.seq")}) {
        if (QFileInfo::exists(candidate)) return QFileInfo(candidate).canonicalFilePath();
    }
    return QStringLiteral(QUORIN_DEFAULT_SEQUENCE);
}

// Runs trigger, which opens a modal dialog; while the dialog is up, prepare fills it, then it
// is saved to file and cancelled. False when no dialog came up or the image was not written.
bool CaptureDialog(const std::function<void()>& trigger,
                   const std::function<void(QDialog&)>& prepare, const QString& file) {
    bool saved = false;
    QTimer::singleShot(50, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        prepare(*dialog);
        dialog->adjustSize();
        saved = dialog->grab().save(file, "PNG");
        dialog->reject();
    });
    trigger();
    return saved;
}

// Presses the "!" button of the panel's first row, with the keyboard as a tester would.
void PressFirstEditButton(QWidget* panelHost) {
    auto* grid = panelHost->findChild<QAbstractItemView*>(QStringLiteral("grid"));
    if (!grid) return;
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, 2));
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(grid, &space);
}

int SaveDialogs(CHostWindow& window, const QString& dir) {
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(dir));
        return 1;
    }
    const bool result = CaptureDialog([&] { PressFirstEditButton(window.PanelHost()); },
                                      [](QDialog&) {}, dir + QStringLiteral("/result-dialog.png"));
    auto* add = window.PanelHost()->findChild<QPushButton*>(QStringLiteral("addButton"));
    const bool added =
        add &&
        CaptureDialog([&] { add->click(); },
                      [](QDialog& dialog) {
                          if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("nameEdit")))
                              name->setText(QStringLiteral("Trip contact check"));
                          if (auto* text = dialog.findChild<QPlainTextEdit*>(
                                  QStringLiteral("requirementsEdit")))
                              text->setPlainText(
                                  QStringLiteral("Inject 1.2 × Z1 fault; trip contacts close "
                                                 "within 40 ms"));
                      },
                      dir + QStringLiteral("/add-dialog.png"));
    if (!result || !added) {
        std::fprintf(stderr, "cannot capture the panel's dialogs into %s\n", qPrintable(dir));
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quorin-host"));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(14);
    QApplication::setFont(font);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Reference host of the Quorin panel"));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("sequence"),
                                 QStringLiteral("Test sequence to open (default: the sample)"));
    const QCommandLineOption item(QStringLiteral("item"),
                                  QStringLiteral("Component index of the item to show"),
                                  QStringLiteral("index"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Save the main window as PNG and exit"),
                                        QStringLiteral("file"));
    const QCommandLineOption dialogs(QStringLiteral("screenshot-dialogs"),
                                     QStringLiteral("Save the panel's dialogs as PNGs and exit"),
                                     QStringLiteral("dir"));
    parser.addOptions({item, screenshot, dialogs});
    parser.process(app);

    CQuorinClient client;
    std::string error;
    if (!client.Create(&error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    CHostWindow window(client);
    const QStringList args = parser.positionalArguments();
    const QString path = args.isEmpty() ? DefaultSequence() : args.front();
    QString openError;
    if (!window.OpenSequence(path, &openError)) {
        std::fprintf(stderr, "%s\n", qPrintable(openError));
        if (parser.isSet(screenshot) || parser.isSet(dialogs)) return 1;
    }
    if (parser.isSet(item)) {
        bool ok = false;
        const int index = parser.value(item).toInt(&ok);
        for (int row = 0; ok && row < window.ItemList()->count(); ++row) {
            if (window.ItemList()->item(row)->data(Qt::UserRole).toInt() == index)
                window.ItemList()->setCurrentRow(row);
        }
    }
    window.show();
    if (parser.isSet(screenshot) || parser.isSet(dialogs)) {
        QApplication::processEvents();
        int status = 0;
        if (parser.isSet(screenshot)) {
            const QString file = parser.value(screenshot);
            QDir().mkpath(QFileInfo(file).absolutePath());
            if (!window.grab().save(file, "PNG")) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
                status = 1;
            }
        }
        if (status == 0 && parser.isSet(dialogs))
            status = SaveDialogs(window, parser.value(dialogs));
        return status;
    }
    return QApplication::exec();
}
