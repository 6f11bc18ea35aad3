#include "hierarchy/ik_chain_words.h"

#include <algorithm>

namespace varnoke {

std::vector<ByteSpan> SplitIKChainWords(std::string_view text)
{
    std::vector<ByteSpan> words;
    for (std::size_t start = text.find_first_not_of(' '); start != std::string_view::npos;
         start = text.find_first_not_of(' ', start)) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        words.push_back({ start, end - start });
        start = end;
    }
    return words;
}

} // namespace varnoke
