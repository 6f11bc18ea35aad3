#include "hierarchy/part_registry.h"

#include "hierarchy/case_fold.h"

namespace varnoke {

void PartRegistry::Clear()
{
    names_.clear();
    firstIndexByFoldedName_.clear();
}

void PartRegistry::Add(std::string name)
{
    firstIndexByFoldedName_.try_emplace(FoldCase(name), Count());
    names_.push_back(std::move(name));
}

void PartRegistry::AddAll(const std::vector<std::string>& names)
{
    for (const std::string& name : names)
        Add(name);
}

int PartRegistry::IndexOf(std::string_view name) const
{
    const auto found = firstIndexByFoldedName_.find(FoldCase(name));
    return found == firstIndexByFoldedName_.end() ? -1 : found->second;
}

} // namespace varnoke
