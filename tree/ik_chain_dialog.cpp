#include "tree/ik_chain_dialog.h"

namespace varnoke {

void IKChainDialog::Clear()
{
    name.clear();
    TopSelected = nullptr;
    topTree.Clear();
    BottomSelected = nullptr;
    bottomTree.Clear();
}

void IKChainDialog::ShowTopSelection()
{
    BottomSelected = nullptr;
    bottomTree.Clear();
    if (!TopSelected)
        return;
    bottomTree.CopySubtree(TopSelected, nullptr);
    if (!FSeeding)
        BottomSelected = bottomTree.Last();
}

std::optional<std::string> IKChainDialog::Check() const
{
    if (name.empty())
        return "You must supply an name for the IK chain first.";
    if (!TopSelected)
        return "You must select the first part of the IK chain.";
    if (!BottomSelected)
        return "You must select the last part of the IK chain.";
    if (!BottomSelected->Parent())
        return "The IK chain is too short to be valid";
    return std::nullopt;
}

} // namespace varnoke
