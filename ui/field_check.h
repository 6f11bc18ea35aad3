#pragma once

class Prompts;
class QLabel;
class QWidget;

namespace ui {

// What a field may hold beyond the dialog's own checks.
enum class FieldText {
    anyText,
    // Written as one word of its line: a blank or a tab would split it into other fields
    // when the line is read back. A name of blanks only stays as the dialog accepts it.
    oneWord,
};

// Refuses the field that a label names (the label's buddy, a line edit) when it holds
// characters that no byte holds, never to be saved as '?', or for one word a blank or a
// tab: a message names the field by the label's words, the field keeps its text and takes
// the focus.
bool RefusesFieldText(Prompts& prompts, QWidget* dialog, const QLabel& label, FieldText allowed);

} // namespace ui
