#pragma once

#include "hierarchy/forest.h"
#include "tree/tree_edits.h"

namespace varnoke {

// Gives a moved level node the level one more than its parent's leading number, or 1
// at the top level, and its descendants the levels that follow from it. Each text is
// rewritten as the new number, one space and the text from its part-name field on; a
// bare number becomes the new number alone, and a text without a number is kept.
void RenumberSubtree(TreeEdits& edits, Node& node);

} // namespace varnoke
