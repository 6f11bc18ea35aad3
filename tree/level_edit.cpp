#include "tree/level_edit.h"

#include "hierarchy/case_fold.h"
#include "hierarchy/level_line.h"

namespace varnoke {

namespace {

bool IsRotationIndex(int index)
{
    return index >= 0 && index < static_cast<int>(kRotationOrders.size());
}

} // namespace

LevelEdit FillLevelDialog(CheckState& checks, const Node& node)
{
    LevelFields fields;
    ParseLevelLine(checks, node.Text(), 0, fields);
    LevelEdit edit { fields.level, { fields.name, 0, fields.fourth == "curve", fields.objPath } };
    for (std::size_t i = 0; i < kRotationOrders.size(); ++i) {
        if (EqualIgnoringCase(fields.rotation, kRotationOrders[i]))
            edit.values.rotation = static_cast<int>(i);
    }
    return edit;
}

std::optional<Refusal<LevelField>> LevelDialogCheck(const LevelDialogValues& values)
{
    if (values.name.empty())
        return Refusal<LevelField> { "You must supply a name for the part first.", LevelField::name };
    if (!IsRotationIndex(values.rotation))
        return Refusal<LevelField> { "You must select one of the rotation orders.", LevelField::rotation };
    return std::nullopt;
}

std::string LevelLineText(int level, const LevelDialogValues& values)
{
    std::string text = std::to_string(level);
    text += ' ';
    text += values.name;
    text += ' ';
    if (IsRotationIndex(values.rotation))
        text += kRotationOrders[static_cast<std::size_t>(values.rotation)];
    if (values.curved)
        text += " curve";
    if (!values.objPath.empty()) {
        text += ' ';
        text += values.objPath;
    }
    return text;
}

void EditLevelDone(TreeWindow& window, Node& node, int level, const std::optional<LevelDialogValues>& confirmed)
{
    if (!confirmed)
        return;
    window.tree.SetText(node, LevelLineText(level, *confirmed));
    window.Edited();
}

} // namespace varnoke
