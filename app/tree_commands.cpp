// The commands of the tree view: drag and drop, editing a node, comments, IK chains, delete;
// the view's keys and context menu.
#include "app/document.h"
#include "app/hierarchy_tree_view.h"
#include "app/phi_form.h"
#include "dialogs/edit_ik_form.h"
#include "dialogs/edit_level_form.h"
#include "dialogs/edit_obj_form.h"
#include "hierarchy/line_format.h"
#include "tree/ik_chain_commands.h"
#include "tree/level_edit.h"
#include "tree/obj_file_edit.h"
#include "tree/step_names.h"
#include "tree/tree_menu.h"
#include "ui/menu_gate.h"
#include "ui/prompts.h"
#include "ui/text_conversions.h"
#include "ui/tree_selection.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QShortcut>

using varnoke::Node;

Node* TPHIForm::SelectedNode() const
{
    return ui::SelectedNode(*treeView_, document_->TreeModel());
}

void TPHIForm::SelectNode(const Node* node)
{
    ui::SelectNode(*treeView_, document_->TreeModel(), node);
}

varnoke::TreeWindow TPHIForm::LookAtTree()
{
    return document_->LookAtTree(SelectedNode());
}

void TPHIForm::EditTree(const std::function<QString()>& name, const std::function<void(varnoke::TreeWindow&)>& command)
{
    SelectNode(document_->EditTree(name, SelectedNode(), command));
}

std::string TPHIForm::InputBox(const varnoke::InputBoxRequest& request)
{
    InputBoxContent box { ui::FromLatin1(request.caption), ui::FromLatin1(request.prompt),
                          ui::FromLatin1(request.initialText), std::nullopt };
    // A node holds bytes: text a byte cannot hold is refused, never changed silently, and
    // shown again to be mended; Cancel, on any showing, leaves the initial text.
    while (const std::optional<QString> entered = prompts_.InputBox(this, box)) {
        if (ui::HoldsOnlyBytes(*entered))
            return ui::ToLatin1(*entered);
        prompts_.Error(this, QStringLiteral("The text holds characters that cannot be saved as single bytes."));
        box.text = *entered;
        box.selection = ui::SpanBeyondBytes(*entered);
    }
    return request.initialText;
}

void TPHIForm::CreateTreeKeys()
{
    // Keys of the view, not of the window: with the focus in the editor or the list they
    // do nothing. They trigger the items, whose gate decides as for the items' own keys.
    for (const auto& [key, item] : { std::pair { Qt::Key_Delete, deleteAction_ },
                                     { Qt::Key_Return, editAction_ },
                                     { Qt::Key_Enter, editAction_ } })
        new QShortcut(key, treeView_, item, &QAction::trigger, Qt::WidgetShortcut);
    auto* popup = new QMenu(this);
    popup->setObjectName(QStringLiteral("TreePopupMenu"));
    popup->addActions(treeMenu_->actions());
    menuGate_->GateAlso(popup, treeMenu_);
    connect(treeView_, &HierarchyTreeView::ContextMenuAsked, this,
            [this, popup](const QPoint& point) { popup->popup(treeView_->viewport()->mapToGlobal(point)); });
}

void TPHIForm::Tree1Click()
{
    const varnoke::TreeMenuState menu = varnoke::TreeMenuStateFor(LookAtTree());
    editAction_->setEnabled(menu.edit);
    addCommentAction_->setEnabled(menu.addComment);
    addIKChainAction_->setEnabled(menu.addIKChain);
    deleteAction_->setEnabled(menu.remove);
    const TreeHistory& history = document_->History();
    undoAction_->setEnabled(!FTextMode() && history.CanUndo());
    redoAction_->setEnabled(!FTextMode() && history.CanRedo());
    undoAction_->setStatusTip(history.UndoHint());
    redoAction_->setStatusTip(history.RedoHint());
}

void TPHIForm::Undo1Click()
{
    ShowWalked(document_->UndoTreeEdit());
}

void TPHIForm::Redo1Click()
{
    ShowWalked(document_->RedoTreeEdit());
}

void TPHIForm::ShowWalked(const Node* node)
{
    if (node && node->Parent())
        treeView_->expand(document_->TreeModel().IndexOf(node->Parent()));
    SelectNode(node);
}

bool TPHIForm::TreeView1DragOver(const QModelIndex& target)
{
    // Only this view starts drags, and only of the node pressed, which is selected.
    return varnoke::CanDropOn(LookAtTree(), true, document_->TreeModel().NodeOf(target));
}

varnoke::DropMark TPHIForm::DropMarkAt(const QModelIndex& target, varnoke::DropRegion region)
{
    Node* node = document_->TreeModel().NodeOf(target);
    return varnoke::MarkOf(varnoke::PlanDrop(LookAtTree(), node, region), node);
}

void TPHIForm::TreeView1EndDrag(const QModelIndex& target, varnoke::DropRegion region)
{
    HierarchyModel& model = document_->TreeModel();
    Node* node = model.NodeOf(target);
    if (!SelectedNode() || !varnoke::CanDropOn(LookAtTree(), true, node))
        return;
    const varnoke::DropPlan plan = varnoke::PlanDrop(LookAtTree(), node, region);
    const bool under
        = plan.destination ? varnoke::MarkOf(plan, node) == varnoke::dmLastChild : region == varnoke::drOnNode;
    const QString name = ui::FromLatin1(varnoke::MoveStepName(*SelectedNode(), *node, under));
    const Node* dropped
        = document_->EditTree([&] { return name; }, SelectedNode(),
                              [&](varnoke::TreeWindow& window) { varnoke::DropOn(window, node, region); });
    if (const Node* parent = dropped->Parent())
        treeView_->expand(model.IndexOf(parent));
    SelectNode(dropped);
}

void TPHIForm::TreeView1DblClick()
{
    EditItemClick();
}

void TPHIForm::EditItemClick()
{
    if (!SelectedNode())
        return;
    const QString name = ui::FromLatin1(varnoke::EditStepName(*SelectedNode()));
    EditTree([&] { return name; }, [this](varnoke::TreeWindow& window) { EditNode(window, *window.selected); });
}

void TPHIForm::EditNode(varnoke::TreeWindow& window, Node& node)
{
    switch (varnoke::ClassifyLine(node.Text())) {
    case varnoke::lkComment:
        varnoke::EditCommentDone(window, node, InputBox(varnoke::EditCommentBox(node)));
        break;
    case varnoke::lkObjFile: {
        objForm_->SetPath(varnoke::ObjFileDialogPath(node));
        const bool confirmed = prompts_.ShowModal(*objForm_) == QDialog::Accepted;
        varnoke::EditObjFileDone(window, node, confirmed ? std::optional(objForm_->Path()) : std::nullopt);
        break;
    }
    case varnoke::lkLevel: {
        const varnoke::LevelEdit edit = varnoke::FillLevelDialog(window.checks, node);
        // What the fill found is listed while the dialog is open.
        document_->Announce();
        levelForm_->SetValues(edit.values);
        const bool confirmed = prompts_.ShowModal(*levelForm_) == QDialog::Accepted;
        varnoke::EditLevelDone(window, node, edit.level,
                               confirmed ? std::optional(levelForm_->Values()) : std::nullopt);
        break;
    }
    case varnoke::lkIKChain: {
        const std::optional<std::string> message = ikForm_->Fill(
            [&](varnoke::IKChainDialog& chain) { return varnoke::FillIKChainDialog(window, node, chain); });
        if (message) {
            prompts_.Message(this, ui::FromLatin1(*message));
            break;
        }
        const bool confirmed = prompts_.ShowModal(*ikForm_) == QDialog::Accepted;
        varnoke::EditIKChainDone(window, node, ikForm_->Chain(), confirmed);
        break;
    }
    case varnoke::lkIllegal:
        varnoke::EditIllegalDone(window, node, InputBox(varnoke::EditIllegalBox(node)));
        break;
    case varnoke::lkEmpty:
        break;
    }
}

void TPHIForm::InsertCommentClick()
{
    EditTree(
        [] { return ui::FromLatin1(varnoke::AddCommentStepName()); },
        [this](varnoke::TreeWindow& window) { varnoke::AddCommentNode(window, InputBox(varnoke::AddCommentBox())); });
}

void TPHIForm::AddIKChain1Click()
{
    EditTree([this] { return ui::FromLatin1(varnoke::AddIKChainStepName(ikForm_->Chain().name)); },
             [this](varnoke::TreeWindow& window) {
                 const std::optional<std::string> message = ikForm_->Fill(
                     [&](varnoke::IKChainDialog& chain) { return varnoke::StartAddIKChain(window, chain); });
                 if (message) {
                     prompts_.Message(this, ui::FromLatin1(*message));
                     return;
                 }
                 const bool confirmed = prompts_.ShowModal(*ikForm_) == QDialog::Accepted;
                 varnoke::AddIKChainDone(window, ikForm_->Chain(), confirmed);
             });
}

void TPHIForm::Delete1Click()
{
    const Node* selected = SelectedNode();
    const QString name = selected ? ui::FromLatin1(varnoke::DeleteStepName(*selected)) : QString();
    EditTree([&] { return name; }, [](varnoke::TreeWindow& window) { varnoke::DeleteSelectedNode(window); });
}
