// The panel view factory of the component: libquorin.so registers it when it is loaded, so that
// component objects show their panel in Qt widgets.
#pragma once

#include <memory>

#include "component/panel_view.h"

namespace quorin {

// A CPanelSheetView for model; null when the process has no QApplication or the call is not on
// its thread (widgets cannot exist there), so the component works in programs without widgets.
std::unique_ptr<IPanelView> MakePanelView(CPageModel& model);

// Registers MakePanelView with SetPanelViewFactory. Returns true.
bool RegisterPanelView();

}  // namespace quorin
