#pragma once

class QPlainTextEdit;

namespace ui {

// Ctrl+Y redoes in the editor on every platform, as users of Windows editors expect, and
// no window shortcut on that key takes it from the editor while it has the focus.
void RedoAlsoOnCtrlY(QPlainTextEdit& editor);

} // namespace ui
