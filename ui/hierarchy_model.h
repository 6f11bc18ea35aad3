#pragma once

#include "hierarchy/forest.h"
#include "tree/node_kind.h"

#include <QAbstractItemModel>
#include <QIcon>

#include <array>
#include <optional>

class TreeModelEditor;

// A tree view's model over a forest: one tree, not a widget tree and a copy. The views
// only read it: every change of the forest goes through its TreeModelEditor, which the
// owner of the forest alone holds, so the views hear of each. The forest must outlive
// the model.
class HierarchyModel final : public QAbstractItemModel {
    Q_OBJECT

public:
    explicit HierarchyModel(const varnoke::Forest& forest, QObject* parent = nullptr);

    const varnoke::Forest& Tree() const { return forest_; }
    const varnoke::Node* NodeOf(const QModelIndex& index) const;
    // The owner's nodes, to be changed only through its editor.
    varnoke::Node* NodeOf(const QModelIndex& index);
    QModelIndex IndexOf(const varnoke::Node* node) const;
    // Shows beside each node the icon of its kind, in the order of NodeKind; until then
    // only the text.
    using KindIcons = std::array<QIcon, varnoke::kNodeKindCount>;
    void ShowKindIcons(KindIcons icons);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    friend class TreeModelEditor;

    const varnoke::Forest& forest_;
    std::optional<KindIcons> icons_;
};
