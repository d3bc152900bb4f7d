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
#include "platform/numtext.h"

namespace quorin::test {

// An own item titled title whose parameter k is names[k-1] with result results[k-1] (or
// "r<k>"), requirements "q<k>" and property k.
inline CTestItem OwnItem(const std::vector<std::string>& names,
                         const std::vector<std::string>& results = {},
                         const std::string& title = "Check") {
    CTestItem item;
    item.SetKind(CTestItem::kOwnKind);
    item.SetKeyString(0, title);
    for (size_t i = 0; i < names.size(); ++i) {
        const int k = static_cast<int>(i) + 1;
        item.SetKeyString(CTestItem::NameIndex(k), names[i]);
        item.SetKeyString(CTestItem::ValueIndex(k),
                          i < results.size() ? results[i] : "r" + FormatInt(k));
        item.SetKeyString(CTestItem::PropertyIndex(k), FormatInt(k));
        item.SetKeyString(CTestItem::RequireIndex(k), "q" + FormatInt(k));
    }
    item.Refresh();
    return item;
}

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
