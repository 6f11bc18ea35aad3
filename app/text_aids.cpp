// The aids of the text view: level shift, going to a diagnostic's line, context help.
#include "app/help_window.h"
#include "app/phi_form.h"
#include "app/text_memo.h"
#include "dialogs/dialog_support.h"
#include "dialogs/hierarchy_model.h"
#include "hierarchy/help_context.h"
#include "hierarchy/level_shift.h"
#include "hierarchy/scan_reader.h"

#include "app/hierarchy_tree_view.h"
#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>

std::optional<varnoke::LineRange> TPHIForm::SelectedLineRange() const
{
    return varnoke::SelectedLineRange(*lines_, lines_->SelectionStart(), lines_->SelectionLength());
}

void TPHIForm::ShiftLevel(int direction)
{
    const std::optional<varnoke::LineRange> range = SelectedLineRange();
    if (!range)
        return;
    TextMemoLines::EditBlock edit(*lines_);
    varnoke::ShiftLevel(*lines_, *range, direction);
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
    const varnoke::TextSelection selection = varnoke::LineSelection(*lines_, lineNumber);
    TextMemo->setFocus();
    lines_->Select(selection.start, selection.length);
}

void TPHIForm::WarningsListClick()
{
    // An edited tree is written back first, or the next test would drop its edits.
    if (!FTextMode && FModified)
        TreeToText();
    ShowTextView();
    const QListWidgetItem* item = WarningsList->currentItem();
    const int number = item ? varnoke::LeadingNumber(dialog_support::ToLatin1(item->text())) : 0;
    SelectLine(number);
}

void TPHIForm::HelpForLine(const std::string& text)
{
    ShowHelp(varnoke::HelpContextOfLine(text));
}

void TPHIForm::Contents1Click()
{
    const QWidget* focus = QApplication::focusWidget();
    if (focus == TextMemo) {
        if (const std::optional<int> line = varnoke::LineAtPosition(*lines_, lines_->SelectionStart()))
            HelpForLine(lines_->Line(*line));
        else
            ShowHelp(varnoke::kHelpNoLine);
    } else if (focus == TreeView1) {
        const QModelIndexList selected = TreeView1->selectionModel()->selectedIndexes();
        if (const varnoke::Node* node = selected.isEmpty() ? nullptr : model_->NodeOf(selected.constFirst()))
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
    }
    help_->ShowContext(context);
}
