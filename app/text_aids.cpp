// The aids of the text view: level shift, going to a diagnostic's line, context help.
#include "app/document.h"
#include "app/help_window.h"
#include "app/hierarchy_tree_view.h"
#include "app/phi_form.h"
#include "app/text_view.h"
#include "hierarchy/help_context.h"
#include "hierarchy/level_shift.h"
#include "ui/diagnostics_model.h"

#include <QAbstractUndoItem>
#include <QApplication>
#include <QListView>

std::optional<varnoke::LineRange> TPHIForm::SelectedLineRange() const
{
    return varnoke::SelectedLineRange(document_->Lines(), textView_->SelectionStart(), textView_->SelectionLength());
}

void TPHIForm::ShiftLevel(int direction)
{
    const std::optional<varnoke::LineRange> range = SelectedLineRange();
    if (!range)
        return;
    const bool selected = textView_->SelectionLength() > 0;
    {
        std::unique_ptr<QAbstractUndoItem> selectAgain = textView_->SelectionUndo();
        const TextLines::EditBlock edit(document_->Lines(), textView_->textCursor());
        if (varnoke::ShiftLevel(document_->Lines(), *range, direction))
            document_->Text().appendUndoItem(selectAgain.release());
    }
    // The shifted lines stay selected, from the start of the first, so that the next
    // shift moves the same lines.
    if (selected) {
        const varnoke::TextSelection first = varnoke::LineSelection(document_->Lines(), range->first + 1);
        const varnoke::TextSelection last = varnoke::LineSelection(document_->Lines(), range->last + 1);
        textView_->Select(first.start, last.start + last.length - first.start);
    }
}

void TPHIForm::IncreaseLevel1Click()
{
    ShiftLevel(+1);
}

void TPHIForm::DecreaseLevel1Click()
{
    ShiftLevel(-1);
}

void TPHIForm::SelectLine(int lineNumber)
{
    const varnoke::TextSelection selection = varnoke::LineSelection(document_->Lines(), lineNumber);
    textView_->setFocus();
    textView_->Select(selection.start, selection.length);
}

void TPHIForm::WarningsListClick()
{
    document_->WriteEditedTreeBack();
    ShowTextView();
    SelectLine(diagnosticsList_->currentIndex().data(DiagnosticsModel::LineRole).toInt());
}

void TPHIForm::HelpForLine(const std::string& text)
{
    ShowHelp(varnoke::HelpContextOfLine(text));
}

void TPHIForm::Contents1Click()
{
    const QWidget* focus = QApplication::focusWidget();
    if (focus == textView_) {
        if (const std::optional<int> line = textView_->CaretLine())
            HelpForLine(document_->Lines().Line(*line));
        else
            ShowHelp(varnoke::kHelpNoLine);
    } else if (focus == treeView_) {
        if (const varnoke::Node* node = SelectedNode())
            HelpForLine(node->Text());
        else
            ShowHelp(varnoke::kHelpNoLine);
    } else {
        ShowHelp(varnoke::kHelpOverview);
    }
}

void TPHIForm::ShowHelp(int context)
{
    if (!help_) {
        help_ = std::make_unique<HelpWindow>();
        // Closing the main window ends the program, help open or not.
        help_->setAttribute(Qt::WA_QuitOnClose, false);
        // Beside the window, not over its diagnostics; later it stays where the user puts it.
        help_->PlaceBeside(*this);
    }
    help_->ShowContext(context);
}
