#include "hierarchy/document_lines.h"

#include <algorithm>
#include <iterator>

namespace varnoke {

void LineList::Replace(int index, std::string text)
{
    lines_[static_cast<std::size_t>(index)] = std::move(text);
    ++replacedCount_;
}

void LineList::Insert(int index, std::vector<std::string> lines)
{
    const int clamped = std::clamp(index, 0, Count());
    const auto at = lines_.begin() + static_cast<std::ptrdiff_t>(clamped);
    lines_.insert(at, std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
}

DocumentText SplitDocumentText(std::string_view bytes)
{
    DocumentText text;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            text.lines.emplace_back(bytes.substr(start));
            return text;
        }
        text.lines.emplace_back(bytes.substr(start, end - start));
        start = end + (bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    text.finalLineEnd = !bytes.empty();
    return text;
}

std::string JoinDocumentText(const DocumentText& text)
{
    std::string bytes;
    for (std::size_t i = 0; i < text.lines.size(); ++i) {
        if (i > 0)
            bytes += "\r\n";
        bytes += text.lines[i];
    }
    if (text.finalLineEnd && !text.lines.empty())
        bytes += "\r\n";
    return bytes;
}

} // namespace varnoke
