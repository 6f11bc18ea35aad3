#pragma once

class QMenuBar;

namespace ui {

// When the menu bar leaves its keyboard mode, the widget that had the focus before gets
// it back, also after one menu was opened from another by its Alt letter, where the
// toolkit leaves the focus on the menu bar and the keyboard seems dead.
void GiveFocusBackAfterMenus(QMenuBar& bar);

} // namespace ui
