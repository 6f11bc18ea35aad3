#include "hierarchy/deferred_lines.h"

#include <algorithm>

namespace varnoke {

namespace {

auto FindRewrite(auto& rewrites, int index)
{
    return std::lower_bound(rewrites.begin(), rewrites.end(), index,
                            [](const auto& rewrite, int line) { return rewrite.first < line; });
}

} // namespace

DeferredLines::DeferredLines(DocumentLines& lines)
    : lines_(lines)
{
}

std::string DeferredLines::Line(int index) const
{
    if (!rewrites_.empty() && index <= rewrites_.back().first) {
        const auto found = FindRewrite(rewrites_, index);
        if (found != rewrites_.end() && found->first == index)
            return found->second;
    }
    return lines_.Line(index);
}

void DeferredLines::Replace(int index, std::string text)
{
    if (rewrites_.empty() || index > rewrites_.back().first) {
        rewrites_.emplace_back(index, std::move(text));
        return;
    }
    const auto found = FindRewrite(rewrites_, index);
    if (found != rewrites_.end() && found->first == index)
        found->second = std::move(text);
    else
        rewrites_.emplace(found, index, std::move(text));
}

void DeferredLines::Insert(int index, std::vector<std::string> lines)
{
    // Held rewrites of the lines that move keep to their lines.
    const int added = static_cast<int>(lines.size());
    for (auto rewrite = FindRewrite(rewrites_, index); rewrite != rewrites_.end(); ++rewrite)
        rewrite->first += added;
    lines_.Insert(index, std::move(lines));
}

void DeferredLines::ReplaceAll(std::vector<std::string> lines)
{
    rewrites_.clear();
    lines_.ReplaceAll(std::move(lines));
}

void DeferredLines::Apply()
{
    for (auto& [index, text] : rewrites_)
        lines_.Replace(index, std::move(text));
    rewrites_.clear();
}

} // namespace varnoke
