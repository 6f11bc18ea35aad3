#pragma once

#include "hierarchy/forest.h"
#include "tree/dialog_refusal.h"

#include <optional>
#include <string>

namespace varnoke {

enum class ChainField { name, firstPart, lastPart };

// The IK chain dialog's fields: the chain's name and its two trees of level-node
// copies, each with the node selected in its view (none when nothing is). The chain
// runs in bottomTree from its top node, the first part, down to BottomSelected, the last
// part.
class IKChainDialog {
public:
    std::string name;
    Forest topTree;
    const Node* TopSelected = nullptr;
    Forest bottomTree;
    const Node* BottomSelected = nullptr;
    // Set while an existing chain fills the dialog, so that its own last part is kept.
    bool FSeeding = false;

    // Empties the name and both trees.
    void Clear();
    // TopTVClick: copies TopSelected's subtree into bottomTree and, unless seeding,
    // proposes the end of its last branch as the last part (otherwise none is selected).
    void ShowTopSelection();
    // The OK check: what to show, or none when the dialog may close.
    std::optional<Refusal<ChainField>> Check() const;
};

} // namespace varnoke
