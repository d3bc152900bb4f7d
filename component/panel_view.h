// The window side of the result-entry panel. The component keeps the panel's state (the page
// model, mode, shown row, drawings as data); a panel view shows it in the host's windows. The
// widgets library registers a factory when libquorin.so is loaded; without one the panel calls
// only change the component's state and the panel never counts as created.
#pragma once

#include <cstdint>
#include <memory>

#include "component/page_model.h"
#include "component/panel_drawing.h"
#include "platform/com/unknown.h"

namespace quorin {

class IPanelView {
public:
    virtual ~IPanelView() = default;

    // Creates the panel (a property sheet carrying the result-entry page, Arial 16) as a visible
    // child of the host window parent, moved to rect, page 0 active. True when the panel exists
    // afterwards; false leaves the component's panel not created (a later call tries again).
    virtual bool Create(HWND parent, const PanelRect& rect) = 0;
    // Whether the panel window exists now.
    virtual bool Exists() const = 0;
    // Shows the page model's rows and grid layout anew (after the component changed the model).
    virtual void ShowPage() = 0;
    // Paints drawing into the host window at rect (all at once, as a bitmap copy would).
    virtual void Paint(HWND window, const PanelRect& rect, const PanelDrawing& drawing) = 0;
    // A keypad command 1..7 for the active page (next/previous page, up, down, previous/next
    // combo entry, press the focused control); other numbers do nothing.
    virtual void KeypadCommand(int command) = 0;
};

// Makes the view of one component object; model is that object's page model and outlives the
// view. May return null (no view for this object).
using PanelViewFactory = std::unique_ptr<IPanelView> (*)(CPageModel& model);

// Registers the factory that component objects without a view use from now on, when a host asks
// for the panel or a drawing; null removes it. Returns the factory registered before.
PanelViewFactory SetPanelViewFactory(PanelViewFactory factory);

}  // namespace quorin
