#pragma once

#include "hierarchy/document_lines.h"

#include <string>
#include <utility>
#include <vector>

namespace varnoke {

// Document lines whose rewrites are held back until Apply: work that may be stopped
// half-way (a test) then leaves the lines as they were. Only Replace is held back; the
// other changes go straight through.
class DeferredLines final : public DocumentLines {
public:
    explicit DeferredLines(DocumentLines& lines);

    int Count() const override { return lines_.Count(); }
    std::string Line(int index) const override;
    void Replace(int index, std::string text) override;
    void Insert(int index, std::vector<std::string> lines) override;
    void ReplaceAll(std::vector<std::string> lines) override;

    // Makes the held rewrites in the lines, in the order of their lines.
    void Apply();

private:
    DocumentLines& lines_;
    // Sorted by line: a test rewrites each line at most once, from first to last.
    std::vector<std::pair<int, std::string>> rewrites_;
};

} // namespace varnoke
