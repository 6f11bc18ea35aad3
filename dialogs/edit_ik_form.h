#pragma once

#include "tree/ik_chain_dialog.h"
#include "ui/hierarchy_model.h"
#include "ui/tree_model_editor.h"

#include "ui/fixed_dialog.h"

class Prompts;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

// The IK chain dialog ("Edit IK Chain"): the chain's name, its first part chosen in the
// top tree and its last part in the bottom tree. The views show the forests of the chain
// that the form owns; the command that shows the dialog fills that chain through Fill,
// shows the dialog and reads Chain() back once it is accepted.
class TEditIKForm : public FixedDialog {
    Q_OBJECT

public:
    explicit TEditIKForm(Prompts& prompts, QWidget* parent = nullptr);
    ~TEditIKForm() override;

    // The chain as the fields hold it; once the dialog is accepted, its name and both
    // selections are the ones confirmed.
    const varnoke::IKChainDialog& Chain() const { return chain_; }

    // Runs a change of the chain (a fill from tree/, say) while both views are reset,
    // then shows its name, both trees fully expanded and their selected nodes. Gives
    // back what the change gives.
    template <typename Change> auto Fill(Change&& change)
    {
        struct Reload {
            TEditIKForm& form;
            ~Reload() { form.LoadChain(); }
        };
        Reload reload { *this };
        return topEditor_.Rebuild(
            [&](varnoke::Forest&) { return bottomEditor_.Rebuild([&](varnoke::Forest&) { return change(chain_); }); });
    }

    // The OK check: takes the name and both selections into the chain, then accepts
    // or shows the first failing check's message and stays open.
    void OKButtonClick();
    // Takes the top tree's selection as the first part and refreshes the bottom tree
    // from it. Runs after every left click in the top tree, also on empty space.
    void TopTVClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void LoadChain();

    Prompts& prompts_;
    varnoke::IKChainDialog chain_;
    // After the chain, so they go before its forests do.
    HierarchyModel topModel_;
    HierarchyModel bottomModel_;
    TreeModelEditor topEditor_;
    TreeModelEditor bottomEditor_;
    QLabel* nameLabel_;
    QLineEdit* nameEdit_;
    QLabel* topLabel_;
    QTreeView* topTree_;
    QLabel* bottomLabel_;
    QTreeView* bottomTree_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};
