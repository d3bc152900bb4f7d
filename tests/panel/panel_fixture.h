// Helpers of the panel tests: items to show, a script of answers for the page's dialogs, and the
// widget lookups and entries a tester makes.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "component/test_item.h"
#include "grid/grid_ctrl.h"
#include "tests/component/own_item.h"

namespace quorin::test {

// Answers the page's modal dialogs in order: each step sees the dialog, may fill and inspect it,
// and returns the dialog's result code. A dialog without a step is a test failure (rejected).
class DialogScript {
public:
    using Step = std::function<int(QDialog&)>;
    void Then(Step step) { steps_.push_back(std::move(step)); }
    int Run(QDialog& dialog) {
        ++shown_;
        if (steps_.empty())
            ADD_FAILURE() << "unexpected dialog " << dialog.objectName().toStdString();
        if (steps_.empty()) return QDialog::Rejected;
        Step step = std::move(steps_.front());
        steps_.pop_front();
        dialog.show();
        const int result = step(dialog);
        dialog.hide();
        return result;
    }
    int Shown() const { return shown_; }
    bool Done() const { return steps_.empty(); }

private:
    std::deque<Step> steps_;
    int shown_ = 0;
};

template <typename T = QWidget>
T* Child(const QObject& parent, const char* name) {
    return parent.findChild<T*>(QString::fromLatin1(name));
}

inline QPlainTextEdit* Edit(QDialog& dialog, const char* name) {
    return Child<QPlainTextEdit>(dialog, name);
}

// Clicks the dialog's button of that object name (OK: "okButton") and returns the result the
// click left, as the dialog's exec would.
inline int Press(QDialog& dialog, const char* button) {
    auto* widget = Child<QPushButton>(dialog, button);
    EXPECT_NE(widget, nullptr) << button;
    if (!widget) return QDialog::Rejected;
    dialog.setResult(-1);
    widget->click();
    return dialog.result() == -1 ? QDialog::Rejected : dialog.result();
}

// A dialog step that fills the add dialog's name and requirements and presses OK.
inline DialogScript::Step AddRow(const QString& name, const QString& requirements) {
    return [=](QDialog& dialog) {
        Child<QLineEdit>(dialog, "nameEdit")->setText(name);
        Edit(dialog, "requirementsEdit")->setPlainText(requirements);
        return Press(dialog, "okButton");
    };
}

// Types text into the result cell of row with the grid's in-place editor and commits it.
inline void TypeResult(CGridCtrl* grid, int row, const QString& text) {
    ASSERT_TRUE(grid->EditCell(row, 1));
    grid->CellEditor()->setText(text);
    QTest::keyClick(grid->CellEditor(), Qt::Key_Return);
    QCoreApplication::processEvents();
}

}  // namespace quorin::test
