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

std::optional<Refusal<ChainField>> IKChainDialog::Check() const
{
    using Refused = Refusal<ChainField>;
    if (name.empty())
        return Refused { "You must supply an name for the IK chain first.", ChainField::name };
    if (!TopSelected)
        return Refused { "You must select the first part of the IK chain.", ChainField::firstPart };
    if (!BottomSelected)
        return Refused { "You must select the last part of the IK chain.", ChainField::lastPart };
    if (!BottomSelected->Parent())
        return Refused { "The IK chain is too short to be valid", ChainField::lastPart };
    return std::nullopt;
}

} // namespace varnoke
