#include "app/text_lines.h"

#include "ui/text_conversions.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace {

// Joined for setPlainText, which takes a line feed as the end of a block.
QString JoinedLines(const std::vector<std::string>& lines, bool finalLineEnd)
{
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            joined += '\n';
        joined += lines[i];
    }
    if (finalLineEnd && !lines.empty())
        joined += '\n';
    return ui::FromLatin1(joined);
}

} // namespace

TextLines::TextLines(QTextDocument& text)
    : text_(&text)
{
}

bool TextLines::EndsWithLineEnd() const
{
    return text_->lastBlock().length() == 1 && text_->blockCount() > 1;
}

int TextLines::Count() const
{
    if (text_->blockCount() == 1 && text_->firstBlock().length() == 1)
        return 0;
    return text_->blockCount() - (EndsWithLineEnd() ? 1 : 0);
}

std::string TextLines::Line(int index) const
{
    // Read raw from the block: the whole-text conversions turn a no-break space into a blank.
    return ui::ToLatin1(text_->findBlockByNumber(index).text());
}

void TextLines::Replace(int index, std::string text)
{
    // Selected by position: moving to the end of the block would lay it out first, a text
    // shaping for every line a test re-indents even inside an edit block.
    const QTextBlock block = text_->findBlockByNumber(index);
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    cursor.insertText(ui::FromLatin1(text));
}

void TextLines::Insert(int index, std::vector<std::string> lines)
{
    if (lines.empty())
        return;
    const int count = Count();
    if (index < count || EndsWithLineEnd() || count == 0) {
        // Before an existing line, or into the empty line after a final line end.
        QTextCursor cursor(index < count ? text_->findBlockByNumber(index) : text_->lastBlock());
        cursor.insertText(JoinedLines(lines, true));
        return;
    }
    // After a last line without a line end: the text still ends without one.
    QTextCursor cursor(text_);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QLatin1Char('\n') + JoinedLines(lines, false));
}

void TextLines::ReplaceAll(std::vector<std::string> lines)
{
    const bool any = !lines.empty();
    text_->setPlainText(JoinedLines(lines, true));
    SetModified(any);
}

bool TextLines::Holds(const varnoke::DocumentText& text) const
{
    const int count = Count();
    // A character no byte holds reads as '?' and must not pass for the file's '?'.
    bool same = static_cast<std::size_t>(count) == text.lines.size() && EndsWithLineEnd() == text.finalLineEnd
        && !FirstLineBeyondLatin1();
    for (int i = 0; same && i < count; ++i)
        same = Line(i) == text.lines[static_cast<std::size_t>(i)];
    return same;
}

namespace {

// Characters between two reports while the text is read for a save: some milliseconds.
constexpr int kReportEvery = 1 << 20;

// Tells the listener after every kReportEvery characters of blocks gone through.
class BlockReports {
public:
    BlockReports(const QTextDocument& text, varnoke::Progress* progress, std::string_view what)
        : progress_(progress)
        , what_(what)
        , total_(static_cast<std::uint64_t>(text.characterCount()))
    {
    }
    void Passed(const QTextBlock& block)
    {
        done_ += static_cast<std::uint64_t>(block.length());
        if ((since_ += block.length()) < kReportEvery)
            return;
        since_ = 0;
        varnoke::ReportProgress(progress_, varnoke::Progress::Step::WritingFile, what_, done_, total_);
    }

private:
    varnoke::Progress* progress_;
    std::string_view what_;
    std::uint64_t total_;
    std::uint64_t done_ = 0;
    int since_ = 0;
};

} // namespace

QByteArray TextLines::Bytes(varnoke::Progress* progress, std::string_view what) const
{
    BlockReports reports(*text_, progress, what);
    QByteArray bytes;
    // Grown once: each growth of hundreds of megabytes copies them, with nothing told meanwhile.
    bytes.reserve(text_->characterCount() + text_->blockCount());
    for (QTextBlock block = text_->firstBlock(); block.isValid(); block = block.next()) {
        if (block != text_->firstBlock())
            bytes += "\r\n";
        bytes += block.text().toLatin1();
        reports.Passed(block);
    }
    return bytes;
}

std::optional<int> TextLines::FirstLineBeyondLatin1(varnoke::Progress* progress, std::string_view what) const
{
    BlockReports reports(*text_, progress, what);
    for (QTextBlock block = text_->firstBlock(); block.isValid(); block = block.next()) {
        if (!ui::HoldsOnlyBytes(block.text()))
            return block.blockNumber();
        reports.Passed(block);
    }
    return std::nullopt;
}

bool TextLines::Modified() const
{
    return text_->isModified();
}

void TextLines::SetModified(bool modified)
{
    text_->setModified(modified);
}

varnoke::TextPosition TextLines::ModelPosition(int textPosition) const
{
    // Every line break before the position counts one character more.
    return textPosition + text_->findBlock(textPosition).blockNumber();
}

int TextLines::TextDocumentPosition(varnoke::TextPosition position) const
{
    const varnoke::TextPosition end = text_->characterCount() - 1;
    return static_cast<int>(std::min(varnoke::EditorPosition(*this, position), end));
}

TextLines::EditBlock::EditBlock(TextLines& lines)
    : cursor_(lines.text_)
{
    cursor_.beginEditBlock();
}

TextLines::EditBlock::EditBlock(TextLines&, const QTextCursor& caret)
    : cursor_(caret)
{
    cursor_.beginEditBlock();
}

TextLines::EditBlock::~EditBlock()
{
    cursor_.endEditBlock();
}
