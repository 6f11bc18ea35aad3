#pragma once

#include "hierarchy/line_format.h"

#include <string_view>
#include <vector>

namespace varnoke {

// The words of an ikChain line as its check reads them: the keyword, the chain's name,
// then its parts. Words are separated by runs of spaces only; a tab is part of a word.
std::vector<ByteSpan> SplitIKChainWords(std::string_view text);

} // namespace varnoke
