#include "tree/ik_chain_dialog.h"

namespace varnoke {

void IKChainDialog::Clear()
{
    NameEdit.clear();
    TopSelected = nullptr;
    TopTV.Clear();
    BottomSelected = nullptr;
    BottomTV.Clear();
}

void IKChainDialog::ShowTopSelection()
{
    BottomSelected = nullptr;
    BottomTV.Clear();
    if (!TopSelected)
        return;
    BottomTV.CopySubtree(TopSelected, nullptr);
    if (!FSeeding)
        BottomSelected = BottomTV.Last();
}

std::optional<std::string> IKChainDialog::Check() const
{
    if (NameEdit.empty())
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
