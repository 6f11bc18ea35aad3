#pragma once

#include "hierarchy/check_state.h"
#include "hierarchy/forest.h"
#include "tree/dialog_refusal.h"
#include "tree/tree_edits.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace varnoke {

// The items of the level dialog's rotation group, in their order.
inline constexpr std::array<std::string_view, 6> kRotationOrders { "xyz", "xzy", "yxz", "yzx", "zxy", "zyx" };

// The fields of the level dialog.
struct LevelDialogValues {
    std::string name;
    int rotation = 0; // index into kRotationOrders; -1 when none is selected
    bool curved = false;
    std::string objPath;
};

// The level dialog filled from a level node, with the level that its text keeps.
struct LevelEdit {
    int level = 0;
    LevelDialogValues values;
};

// Reads the node with ParseLevelLine (registering its part and reporting its defects
// as a test would, on line 1). The rotation is chosen ignoring letter case, "xyz" when
// none matches; the curve box is ticked only by "curve" exactly.
LevelEdit FillLevelDialog(CheckState& checks, const Node& node);

enum class LevelField { name, rotation };

// The level dialog's OK check: what to show, or none when it may close.
std::optional<Refusal<LevelField>> LevelDialogCheck(const LevelDialogValues& values);

// "<level> <name> <rotation>", then " curve" when ticked and " <path>" when there is one.
std::string LevelLineText(int level, const LevelDialogValues& values);

// Confirmed values (none after Cancel) are written with the level the node had.
void EditLevelDone(TreeWindow& window, Node& node, int level, const std::optional<LevelDialogValues>& confirmed);

} // namespace varnoke
