// CPanelSheetView: the panel in Qt widgets. The sheet is a QTabWidget made a child of the host's
// widget (the window handle carries a QWidget*), carrying the result-entry page; drawings appear
// as CDrawingWidget children of the host widget they are painted into.
//
// A handle that is not a live widget of this application is ignored (Create fails, Paint does
// nothing). The sheet and the drawings go with the view.
#pragma once

#include <QPointer>
#include <QTabWidget>

#include <vector>

#include "component/panel_view.h"
#include "panel/drawing_widget.h"
#include "panel/page_grid.h"

namespace quorin {

class CPanelSheetView final : public IPanelView {
public:
    // Font height of the sheet and its page.
    static constexpr int kFontHeight = 16;

    explicit CPanelSheetView(CPageModel& model);
    ~CPanelSheetView() override;
    CPanelSheetView(const CPanelSheetView&) = delete;
    CPanelSheetView& operator=(const CPanelSheetView&) = delete;

    bool Create(HWND parent, const PanelRect& rect) override;
    bool Exists() const override;
    void ShowPage() override;
    void Paint(HWND window, const PanelRect& rect, const PanelDrawing& drawing) override;
    // 1/2: next/previous page; 3/4: the up/down key to the focused control of the active page
    // (else the page takes the focus); 5/6: previous/next entry of a focused combo box, as if
    // the tester chose it; 7: a press of the focused control (a button is clicked, the grid's
    // current cell is clicked), which then keeps the focus.
    void KeypadCommand(int command) override;

    QTabWidget* Sheet() const { return sheet_; }
    CPageGrid* Page() const { return page_; }

    // The widget a window handle stands for: a live widget of this application, else null.
    static QWidget* WidgetOf(HWND handle);

private:
    QWidget* FocusedControl() const;

    CPageModel& model_;
    QPointer<QTabWidget> sheet_;
    QPointer<CPageGrid> page_;
    std::vector<QPointer<CDrawingWidget>> drawings_;
};

}  // namespace quorin
