#include "tree/ik_chain_dialog.h"

namespace varnoke {

void IKChainDialog::Clear()
{
    NameEdit.clear();
    TopTV.Clear();
    BottomTV.Clear();
}

void IKChainDialog::TopTVClick()
{
    BottomTV.Clear();
    const Node* first = TopTV.Selected();
    if (!first)
        return;
    BottomTV.CopySubtree(first, nullptr);
    if (!FSeeding)
        BottomTV.Select(BottomTV.Last());
}

std::optional<std::string> IKChainDialog::Check() const
{
    if (NameEdit.empty())
        return "You must supply an name for the IK chain first.";
    if (!TopTV.Selected())
        return "You must select the first part of the IK chain.";
    if (!BottomTV.Selected())
        return "You must select the last part of the IK chain.";
    if (!BottomTV.Selected()->Parent())
        return "The IK chain is too short to be valid";
    return std::nullopt;
}

} // namespace varnoke
