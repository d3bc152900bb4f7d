#include "panel/panel_sheet_view.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QTabWidget>

#include <algorithm>

#include "grid/grid_ctrl.h"
#include "panel/drawing_painter.h"
#include "panel/drawing_widget.h"
#include "panel/page_grid.h"
#include "panel/panel_style.h"

namespace quorin {
namespace {

// The host's keypad commands, by their numbers.
enum class Keypad {
    kNextPage = 1,
    kPreviousPage,
    kKeyUp,
    kKeyDown,
    kPreviousEntry,
    kNextEntry,
    kPress
};

QRect RectOf(const PanelRect& rect) {
    return QRect(rect.x, rect.y, std::max(rect.width, 0), std::max(rect.height, 0));
}

void SendKey(QWidget* widget, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &release);
}

}  // namespace

CPanelSheetView::CPanelSheetView(CPageModel& model) : model_(model) {}

CPanelSheetView::~CPanelSheetView() {
    // Widgets outliving the application are left alone: deleting them then is not safe.
    if (!QCoreApplication::instance()) return;
    delete sheet_.data();
    for (const QPointer<CDrawingWidget>& drawing : drawings_)
        delete drawing.data();
}

QWidget* CPanelSheetView::WidgetOf(HWND handle) {
    if (!handle || !qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
    // Compare addresses only: a stale or foreign handle is never dereferenced.
    const QWidgetList widgets = QApplication::allWidgets();
    const auto found = std::find(widgets.begin(), widgets.end(), static_cast<QWidget*>(handle));
    return found == widgets.end() ? nullptr : *found;
}

bool CPanelSheetView::Create(HWND parent, const PanelRect& rect) {
    if (sheet_) return true;
    QWidget* host = WidgetOf(parent);
    if (!host) return false;
    sheet_ = new QTabWidget(host);
    sheet_->setObjectName(QStringLiteral("panelSheet"));
    sheet_->setFont(PanelFont(kFontHeight));
    page_ = new CPageGrid(model_, sheet_);
    sheet_->addTab(page_, page_->windowTitle());
    sheet_->setGeometry(RectOf(rect));
    sheet_->setCurrentIndex(0);
    sheet_->show();
    return true;
}

bool CPanelSheetView::Exists() const {
    return !sheet_.isNull();
}

void CPanelSheetView::ShowPage() {
    if (page_) page_->ShowModel();
}

void CPanelSheetView::Paint(HWND window, const PanelRect& rect, const PanelDrawing& drawing) {
    QWidget* host = WidgetOf(window);
    const QRect area = RectOf(rect);
    if (!host || area.isEmpty()) return;
    // One drawing per place: a drawing at the same rectangle is reused, overlapped ones go.
    CDrawingWidget* target = nullptr;
    for (QPointer<CDrawingWidget>& shown : drawings_) {
        if (!shown || shown->parentWidget() != host) continue;
        if (shown->geometry() == area && !target) {
            target = shown;
        } else if (shown->geometry().intersects(area)) {
            delete shown.data();
        }
    }
    drawings_.erase(std::remove_if(drawings_.begin(), drawings_.end(),
                                   [](const QPointer<CDrawingWidget>& d) { return d.isNull(); }),
                    drawings_.end());
    if (!target) {
        target = new CDrawingWidget(host);
        drawings_.emplace_back(target);
    }
    target->setGeometry(area);
    target->SetImage(RenderDrawing(drawing, area.size()));
    target->show();
    target->raise();
}

QWidget* CPanelSheetView::FocusedControl() const {
    QWidget* page = sheet_ ? sheet_->currentWidget() : nullptr;
    if (!page) return nullptr;
    // The window's focus child, also while the host window is not the active one.
    QWidget* focused = page->window()->focusWidget();
    return focused && page->isAncestorOf(focused) ? focused : nullptr;
}

void CPanelSheetView::KeypadCommand(int command) {
    if (!sheet_ || sheet_->count() == 0) return;
    const int active = sheet_->currentIndex();
    const auto key = static_cast<Keypad>(command);
    switch (key) {
        case Keypad::kNextPage:
            sheet_->setCurrentIndex(active >= 0 && active + 1 < sheet_->count() ? active + 1 : 0);
            return;
        case Keypad::kPreviousPage:
            sheet_->setCurrentIndex(active >= 1 ? active - 1 : 0);
            return;
        case Keypad::kKeyUp:
        case Keypad::kKeyDown:
            if (QWidget* focused = FocusedControl()) {
                SendKey(focused, key == Keypad::kKeyUp ? Qt::Key_Up : Qt::Key_Down);
            } else if (QWidget* page = sheet_->currentWidget()) {
                page->setFocus();
            }
            return;
        case Keypad::kPreviousEntry:
        case Keypad::kNextEntry: {
            auto* combo = qobject_cast<QComboBox*>(FocusedControl());
            if (!combo) return;
            const int current = combo->currentIndex();
            const int next = key == Keypad::kPreviousEntry ? current - 1 : current + 1;
            if (current < 0 || next < 0 || next >= combo->count()) return;
            combo->setCurrentIndex(next);
            emit combo->activated(next);
            return;
        }
        case Keypad::kPress: {
            QPointer<QWidget> focused = FocusedControl();
            if (!focused) return;
            if (auto* button = qobject_cast<QAbstractButton*>(focused.data())) {
                button->click();
            } else if (auto* grid = qobject_cast<CGridCtrl*>(focused.data())) {
                int row = 0;
                int column = 0;
                if (grid->SelectedCell(&row, &column)) grid->ClickCell(row, column);
            }
            if (focused) focused->setFocus();
            return;
        }
        default:
            return;
    }
}

}  // namespace quorin
