#pragma once

#include <QString>

class Prompts;
class QLineEdit;
class QWidget;

namespace ui {

// A field whose text holds characters that no byte holds is refused, never saved with '?'
// in their place: a message names the field, which keeps its text and takes the focus.
bool RefusesTextBeyondBytes(Prompts& prompts, QWidget* dialog, QLineEdit& field, const QString& fieldName);

} // namespace ui
