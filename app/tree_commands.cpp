// The commands of the tree view: drag and drop, editing a node, comments, IK chains, delete.
#include "app/command_error.h"
#include "app/hierarchy_tree_view.h"
#include "app/phi_form.h"
#include "dialogs/dialog_support.h"
#include "dialogs/edit_ik_form.h"
#include "dialogs/edit_level_form.h"
#include "dialogs/edit_obj_form.h"
#include "dialogs/hierarchy_model.h"
#include "hierarchy/line_format.h"
#include "tree/ik_chain_commands.h"
#include "tree/level_edit.h"
#include "tree/obj_file_edit.h"
#include "tree/tree_menu.h"

#include <QAction>
#include <QDialog>
#include <QItemSelectionModel>

using varnoke::Node;

namespace {

// A node holds bytes: text a byte cannot hold is refused, never changed silently.
std::string ToBytes(const QString& text)
{
    if (std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() > 0xFF; }))
        throw CommandError(QStringLiteral("The text holds characters that cannot be saved as single bytes"));
    return dialog_support::ToLatin1(text);
}

} // namespace

Node* TPHIForm::SelectedNode() const
{
    const QModelIndexList selected = TreeView1->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? nullptr : model_->NodeOf(selected.constFirst());
}

void TPHIForm::SelectNode(const Node* node)
{
    const QModelIndex index = model_->IndexOf(node);
    TreeView1->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    TreeView1->scrollTo(index);
}

varnoke::TreeWindow TPHIForm::MakeTreeWindow()
{
    return { *model_, checks, FTextMode, FModified, SelectedNode() };
}

QString TPHIForm::InputBox(const varnoke::InputBoxRequest& request)
{
    return prompts_.InputBox(this, dialog_support::FromLatin1(request.caption),
                             dialog_support::FromLatin1(request.prompt),
                             dialog_support::FromLatin1(request.initialText));
}

void TPHIForm::Tree1Click()
{
    const varnoke::TreeMenuState menu = varnoke::TreeMenuStateFor(MakeTreeWindow());
    Edit1->setEnabled(menu.Edit1);
    AddComment1->setEnabled(menu.AddComment1);
    AddIKChain2->setEnabled(menu.AddIKChain2);
    Delete2->setEnabled(menu.Delete2);
}

bool TPHIForm::TreeView1DragOver(const QModelIndex& target)
{
    // Only this view starts drags, and only of the node pressed, which is selected.
    return varnoke::CanDropOn(MakeTreeWindow(), true, model_->NodeOf(target));
}

void TPHIForm::TreeView1EndDrag(const QModelIndex& target, varnoke::DropRegion region)
{
    varnoke::TreeWindow window = MakeTreeWindow();
    if (!window.selected || !varnoke::CanDropOn(window, true, model_->NodeOf(target)))
        return;
    varnoke::DropOn(window, model_->NodeOf(target), region);
    if (const Node* parent = window.selected->Parent())
        TreeView1->expand(model_->IndexOf(parent));
    SelectNode(window.selected);
    RefreshWarningsList();
}

void TPHIForm::TreeView1DblClick()
{
    EditItemClick();
}

void TPHIForm::EditItemClick()
{
    Node* node = SelectedNode();
    if (!node)
        return;
    varnoke::TreeWindow window = MakeTreeWindow();
    switch (varnoke::ClassifyLine(node->Text())) {
    case varnoke::lkComment:
        varnoke::EditCommentDone(window, *node, ToBytes(InputBox(varnoke::EditCommentBox(*node))));
        break;
    case varnoke::lkObjFile: {
        EditOBJForm->SetPath(varnoke::ObjFileDialogPath(*node));
        const bool confirmed = prompts_.ShowModal(*EditOBJForm) == QDialog::Accepted;
        varnoke::EditObjFileDone(window, *node, confirmed ? std::optional(EditOBJForm->Path()) : std::nullopt);
        break;
    }
    case varnoke::lkLevel: {
        const varnoke::LevelEdit edit = varnoke::FillLevelDialog(checks, *node);
        RefreshWarningsList();
        EditLevelForm->SetValues(edit.values);
        const bool confirmed = prompts_.ShowModal(*EditLevelForm) == QDialog::Accepted;
        varnoke::EditLevelDone(window, *node, edit.level,
                               confirmed ? std::optional(EditLevelForm->Values()) : std::nullopt);
        break;
    }
    case varnoke::lkIKChain: {
        const std::optional<std::string> message = EditIKForm->Fill(
            [&](varnoke::IKChainDialog& chain) { return varnoke::FillIKChainDialog(window, *node, chain); });
        if (message) {
            prompts_.Message(this, dialog_support::FromLatin1(*message));
            break;
        }
        const bool confirmed = prompts_.ShowModal(*EditIKForm) == QDialog::Accepted;
        varnoke::EditIKChainDone(window, *node, EditIKForm->Chain(), confirmed);
        break;
    }
    case varnoke::lkIllegal:
        varnoke::EditIllegalDone(window, *node, ToBytes(InputBox(varnoke::EditIllegalBox(*node))));
        break;
    case varnoke::lkEmpty:
        break;
    }
    RefreshWarningsList();
}

void TPHIForm::InsertCommentClick()
{
    varnoke::TreeWindow window = MakeTreeWindow();
    varnoke::AddCommentNode(window, ToBytes(InputBox(varnoke::AddCommentBox())));
}

void TPHIForm::AddIKChain1Click()
{
    varnoke::TreeWindow window = MakeTreeWindow();
    const std::optional<std::string> message
        = EditIKForm->Fill([&](varnoke::IKChainDialog& chain) { return varnoke::StartAddIKChain(window, chain); });
    if (message) {
        prompts_.Message(this, dialog_support::FromLatin1(*message));
        return;
    }
    const bool confirmed = prompts_.ShowModal(*EditIKForm) == QDialog::Accepted;
    varnoke::AddIKChainDone(window, EditIKForm->Chain(), confirmed);
    RefreshWarningsList();
}

void TPHIForm::Delete1Click()
{
    varnoke::TreeWindow window = MakeTreeWindow();
    varnoke::DeleteSelectedNode(window);
}
