#pragma once

#include "tree/tree_edits.h"
#include "ui/hierarchy_model.h"

// The editing side of a HierarchyModel: each change of the forest wrapped in the
// model's announcements, so that its views hear of every row. Only the owner of the
// forest makes one; the views get the model alone.
class TreeModelEditor final : public varnoke::TreeEdits {
public:
    TreeModelEditor(varnoke::Forest& forest, HierarchyModel& model);

    const varnoke::Forest& Tree() const override { return forest_; }
    bool SetText(varnoke::Node& node, std::string text) override;
    varnoke::Node* AddFirstTopLevel(std::string text) override;
    varnoke::Node* AddLastTopLevel(std::string text) override;
    bool MoveTo(varnoke::Node& node, varnoke::MoveDestination destination) override;
    varnoke::Subtree Take(varnoke::Node& node) override;
    varnoke::Node* Insert(varnoke::Node* parent, int row, varnoke::Subtree subtree) override;

    // Runs a change that replaces the whole forest; the model resets around it.
    template <typename Change> auto Rebuild(Change&& change)
    {
        struct Reset {
            HierarchyModel& model;
            ~Reset() { model.endResetModel(); }
        };
        model_.beginResetModel();
        Reset reset { model_ };
        return change(forest_);
    }

private:
    varnoke::Forest& forest_;
    HierarchyModel& model_;
};
