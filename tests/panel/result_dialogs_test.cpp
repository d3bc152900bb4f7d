// The two dialogs of the page on their own: texts they open with, result words, the text limit,
// the keyboard, and the ANSI texts they give back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>

#include <tuple>

#include "panel/add_result_dlg.h"
#include "panel/result_text_dlg.h"
#include "tests/panel/panel_fixture.h"

namespace quorin::test {
namespace {

void ShowAndFocus(QDialog& dialog) {
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

TEST(ResultDialog, OffersAllEightWordsEachReplacingTheResult) {
    const QStringList words = {"Pass", "Fail",      "Satisfy", "Dissatisfy",
                               "Ok",   "Incorrect", "Yes",     "No"};
    EXPECT_EQ(CResultTextDlg::Words(), words);
    for (const QString& word : words) {
        CResultTextDlg dialog(QStringLiteral("Row"), QStringLiteral("old text"));
        auto* button = Child<QPushButton>(dialog, ("word" + word.toStdString()).c_str());
        ASSERT_NE(button, nullptr) << word.toStdString();
        EXPECT_EQ(button->text(), word);
        button->click();
        EXPECT_EQ(Edit(dialog, "resultEdit")->toPlainText(), word);
        dialog.accept();
        EXPECT_EQ(dialog.AnsiResult(), word.toStdString());
    }
}

TEST(ResultDialog, BreaksLongNamesAndResultsByAnsiBytes) {
    // A Chinese character is two GBK bytes: 200 fill a line of 400 bytes; one that would cross
    // the end of a line starts the next.
    CResultTextDlg dialog(QString(401, QChar(0x68C0)), QString(740, 'x'));
    EXPECT_EQ(dialog.windowTitle(), "Test Results");
    EXPECT_EQ(Child<QLabel>(dialog, "nameLabel")->text(), "Name:\n" + QString(200, QChar(0x68C0)) +
                                                              "\n" + QString(200, QChar(0x68C0)) +
                                                              "\n" + QChar(0x68C0));
    CResultTextDlg odd(QString(), "x" + QString(184, QChar(0x68C0)));
    EXPECT_EQ(odd.ResultText(), "x" + QString(183, QChar(0x68C0)) + "\r\n" + QChar(0x68C0));
    EXPECT_EQ(dialog.ResultText(),
              QString(368, 'x') + "\r\n" + QString(368, 'x') + "\r\n" + QString(4, 'x'));
}

TEST(ResultDialog, TheEditHoldsAtMostTenThousandCharacters) {
    CResultTextDlg dialog(QStringLiteral("Row"), QString());
    QPlainTextEdit* edit = Edit(dialog, "resultEdit");
    edit->insertPlainText(QString(9990, 'a') + QString(50, 'b'));
    EXPECT_EQ(edit->toPlainText(), QString(9990, 'a') + QString(10, 'b'));
    ShowAndFocus(dialog);
    QTest::keyClicks(edit, QStringLiteral("cc"));
    EXPECT_EQ(edit->toPlainText().size(), CResultTextDlg::kTextLimit);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, QStringLiteral("de"));
    EXPECT_TRUE(edit->toPlainText().endsWith(QStringLiteral("bbbbbbbbbd")));

    // A stored result longer than the limit opens whole (with its line breaks) and cannot grow.
    CResultTextDlg longer(QStringLiteral("Row"), QString(10100, 'z'));
    QPlainTextEdit* longEdit = Edit(longer, "resultEdit");
    EXPECT_EQ(longEdit->toPlainText().size(), 10100 + 27);
    longEdit->insertPlainText(QStringLiteral("more"));
    EXPECT_EQ(longEdit->toPlainText().size(), 10100 + 27);
}

TEST(ResultDialog, ReturnAcceptsEscapeCancelsAndTabLeavesTheEdit) {
    CResultTextDlg dialog(QStringLiteral("Row"), QStringLiteral("Pass"));
    ShowAndFocus(dialog);
    QPlainTextEdit* edit = Edit(dialog, "resultEdit");
    EXPECT_TRUE(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "wordPass");
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("ed"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(std::pair(dialog.result(), dialog.AnsiResult()),
              std::pair(int(QDialog::Accepted), std::string("Passed")));

    CResultTextDlg cancelled(QStringLiteral("Row"), QStringLiteral("Pass"));
    ShowAndFocus(cancelled);
    QTest::keyClick(Edit(cancelled, "resultEdit"), Qt::Key_Escape);
    EXPECT_EQ(std::pair(cancelled.result(), cancelled.isVisible()),
              std::pair(int(QDialog::Rejected), false));
}

TEST(AddDialog, GivesBackNameAndRequirementsInTheCodePage) {
    CAddResultDlg dialog;
    EXPECT_EQ((QStringList{dialog.windowTitle(), Child<QLabel>(dialog, "nameLabel")->text(),
                           Child<QLabel>(dialog, "requirementsLabel")->text()}),
              (QStringList{"Add Results", "Name", "Test Method & Requires"}));
    ShowAndFocus(dialog);
    auto* name = Child<QLineEdit>(dialog, "nameEdit");
    EXPECT_TRUE(name->hasFocus());
    name->setText(QStringLiteral("接线"));
    QTest::keyClick(name, Qt::Key_Tab);
    QPlainTextEdit* requirements = Edit(dialog, "requirementsEdit");
    EXPECT_TRUE(requirements->hasFocus());
    requirements->setPlainText(QStringLiteral("a\nb"));
    EXPECT_EQ(dialog.RequirementsText(), "a\r\nb");
    QTest::keyClick(requirements, Qt::Key_Return);
    EXPECT_EQ(std::tuple(dialog.result(), dialog.AnsiName(), dialog.AnsiRequirements()),
              std::tuple(int(QDialog::Accepted), "\xBD\xD3\xCF\xDF", "a\r\nb"));
}

TEST(AddDialog, RefusesAnEmptyNameOrACharacterTheCodePageCannotHold) {
    const std::tuple<QString, QString, QString> cases[] = {
        {"", "By eye", "Please enter a name."},
        {"  ", "By eye", "Please enter a name."},
        {"Insulation", QStringLiteral("≥ 100 MΩ ✓"),
         QStringLiteral("The character '✓' cannot be stored in the test item (code page GBK). "
                        "Please remove it.")},
    };
    for (const auto& [name, requirements, error] : cases) {
        CAddResultDlg dialog;
        ShowAndFocus(dialog);
        Child<QLineEdit>(dialog, "nameEdit")->setText(name);
        Edit(dialog, "requirementsEdit")->setPlainText(requirements);
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(Press(dialog, "okButton"), QDialog::Rejected);
        EXPECT_EQ(std::tuple(dialog.isVisible(), dialog.ErrorText(), dialog.AnsiName(),
                             dialog.AnsiRequirements()),
                  std::tuple(true, error, "", ""));
        QTest::keyClick(Child<QLineEdit>(dialog, "nameEdit"), Qt::Key_Escape);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
}

}  // namespace
}  // namespace quorin::test
