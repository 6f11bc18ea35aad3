#pragma once

#include <Qt>

#include <initializer_list>

class QAbstractItemView;
class QHBoxLayout;
class QPushButton;

namespace ui {

// A dialog with a fixed border: a caption and a close box, no maximize box.
inline constexpr Qt::WindowFlags kFixedDialogFlags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
    | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// A dialog's row of buttons, at its right.
QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons);

// The selection stays drawn as selected when the view has no focus, in a colour of its own
// so that the view with the focus stands out.
void KeepSelectionVisible(QAbstractItemView& view);

// Entries that no longer hold are drawn in the colours of a disabled view, yet the view
// still takes clicks and keys; not stale, it draws as the others again.
void ShowAsStale(QAbstractItemView& view, bool stale);

} // namespace ui
