#include "panel/panel_registration.h"

#include <QApplication>
#include <QThread>

#include "panel/panel_sheet_view.h"

namespace quorin {

std::unique_ptr<IPanelView> MakePanelView(CPageModel& model) {
    const auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app || QThread::currentThread() != app->thread()) return nullptr;
    return std::make_unique<CPanelSheetView>(model);
}

bool RegisterPanelView() {
    SetPanelViewFactory(&MakePanelView);
    return true;
}

}  // namespace quorin
