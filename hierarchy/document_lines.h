#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnoke {

// The lines of a document, without line ends, as a test reads and rewrites them.
// The window puts its editor behind this; the command line and the tests use LineList.
class DocumentLines {
public:
    virtual ~DocumentLines() = default;
    virtual int Count() const = 0;
    virtual std::string Line(int index) const = 0;
    // Called only for a line whose text really changes. Behind the window, this and Insert
    // set the document's Modified flag like any other change of single lines.
    virtual void Replace(int index, std::string text) = 0;
    // Puts the lines before line index (0 to Count()); at Count() they go to the end.
    virtual void Insert(int index, std::vector<std::string> lines) = 0;
    // Puts new lines in place of the whole document, as when the tree is written back as
    // text: behind the window the text then ends with a line end, and the document's Modified
    // flag is set exactly when there is at least one line, as if the lines had been added
    // one by one to an emptied editor.
    virtual void ReplaceAll(std::vector<std::string> lines) = 0;
};

class LineList : public DocumentLines {
public:
    LineList() = default;
    explicit LineList(std::vector<std::string> lines)
        : lines_(std::move(lines))
    {
    }

    int Count() const override { return static_cast<int>(lines_.size()); }
    std::string Line(int index) const override { return lines_[static_cast<std::size_t>(index)]; }
    void Replace(int index, std::string text) override;
    void Insert(int index, std::vector<std::string> lines) override;
    void ReplaceAll(std::vector<std::string> lines) override { lines_ = std::move(lines); }

    const std::vector<std::string>& Lines() const { return lines_; }
    std::vector<std::string>& Lines() { return lines_; }
    int ReplacedCount() const { return replacedCount_; }

private:
    std::vector<std::string> lines_;
    int replacedCount_ = 0;
};

// A file's text as document lines: CR LF, a lone CR and a lone LF each end a line,
// and an empty piece after the last line end is no line.
struct DocumentText {
    std::vector<std::string> lines;
    bool finalLineEnd = false;
};
DocumentText SplitDocumentText(std::string_view bytes);

// The text as the window writes it: lines joined by CR LF, with a final CR LF only
// when the text ended with a line end.
std::string JoinDocumentText(const DocumentText& text);

} // namespace varnoke
