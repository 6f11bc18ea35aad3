#pragma once

#include "hierarchy/forest.h"
#include "tree/tree_edits.h"

#include <QAbstractItemModel>

// A tree view's model over a forest: one tree, not a widget tree and a copy. Every
// edit goes through here, so the views hear of each; a test rebuilds the forest
// wholesale, inside Rebuild, which resets the model. The forest must outlive the model.
class HierarchyModel final : public QAbstractItemModel, public varnoke::TreeEdits {
    Q_OBJECT

public:
    explicit HierarchyModel(varnoke::Forest& forest, QObject* parent = nullptr);

    const varnoke::Forest& Tree() const override { return forest_; }
    bool SetText(varnoke::Node& node, std::string text) override;
    varnoke::Node* AddFirstTopLevel(std::string text) override;
    varnoke::Node* AddLastTopLevel(std::string text) override;
    bool Move(varnoke::Node& node, varnoke::Node& target, varnoke::AttachMode mode) override;
    varnoke::Subtree Take(varnoke::Node& node) override;
    varnoke::Node* Insert(varnoke::Node* parent, int row, varnoke::Subtree subtree) override;

    const varnoke::Node* NodeOf(const QModelIndex& index) const;
    varnoke::Node* NodeOf(const QModelIndex& index);
    QModelIndex IndexOf(const varnoke::Node* node) const;

    // Runs a change that replaces the whole forest.
    template <typename Change> auto Rebuild(Change&& change)
    {
        struct Reset {
            HierarchyModel& model;
            ~Reset() { model.endResetModel(); }
        };
        beginResetModel();
        Reset reset { *this };
        return change(forest_);
    }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    varnoke::Forest& forest_;
};
