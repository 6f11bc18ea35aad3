#include "hierarchy/tree_builder.h"

#include "hierarchy/ik_chain_words.h"
#include "hierarchy/level_line.h"
#include "hierarchy/line_format.h"
#include "hierarchy/obj_scan.h"
#include "hierarchy/progress.h"
#include "hierarchy/scan_reader.h"

namespace varnoke {

namespace {

// Often enough for a window to stay responsive, seldom enough to cost nothing.
constexpr int kLinesPerReport = 4096;

} // namespace

TreeBuilder::TreeBuilder(CheckState& state, const GeometryFolders& folders, DocumentLines& lines, Forest* tree,
                         std::string_view documentName)
    : state_(state)
    , folders_(folders)
    , diagnostics_(state.diagnostics)
    , lines_(lines)
    , tree_(tree)
    , documentName_(documentName)
{
}

void TreeBuilder::BuildTree()
{
    index_ = 0;
    topLevelCount_ = 0;
    openLevels_.clear();
    partIndex_.Clear();
    // The nesting is kept in openLevels_ rather than on the call stack, so a
    // hierarchy of any depth parses without exhausting it.
    for (;;) {
        const Level* parent = openLevels_.empty() ? nullptr : &openLevels_.back();
        const Step step = ParseLine(static_cast<int>(openLevels_.size()), parent);
        if (step == Step::NotConsumed) {
            if (openLevels_.empty())
                break;
            openLevels_.pop_back();
        }
    }
    WarnUnusedObjParts();
}

TreeBuilder::Step TreeBuilder::ParseLine(int depth, const Level* parent)
{
    if (index_ >= lines_.Count())
        return Step::NotConsumed;
    if (folders_.progress && index_ % kLinesPerReport == 0 && index_ > 0)
        ReportProgress(folders_.progress, Progress::Step::TestingLines, documentName_,
                       static_cast<std::uint64_t>(index_), static_cast<std::uint64_t>(lines_.Count()));
    const std::string line = lines_.Line(index_);
    if (line.size() > kMaxLineLength) {
        diagnostics_.AddError(index_, "Line length limit exceeded");
        return Step::NotConsumed;
    }
    const std::string_view rest = SkipLeadingWhiteSpace(line);
    switch (RecogniseTestLine(rest)) {
    case TestLineKind::Empty:
        AddTopLevelNode(rest);
        break;
    case TestLineKind::Comment:
        Rewrite(line, rest);
        AddTopLevelNode(rest);
        break;
    case TestLineKind::ObjFile:
        Rewrite(line, rest);
        if (depth > 0)
            diagnostics_.AddError(index_, "objFile command cannot be mixed with hierarchy");
        CheckObjFileLine(rest, index_);
        AddTopLevelNode(rest);
        break;
    case TestLineKind::IKChain:
        Rewrite(line, rest);
        CheckIKChainLine(rest, index_);
        AddTopLevelNode(rest);
        break;
    case TestLineKind::Illegal:
        diagnostics_.AddError(index_, "Illegal command (or missing level number)");
        break;
    case TestLineKind::Level:
        return ParseLevel(depth, parent, line, rest);
    }
    ++index_;
    return Step::Consumed;
}

TreeBuilder::Step TreeBuilder::ParseLevel(int depth, const Level* parent, const std::string& line,
                                          std::string_view rest)
{
    const int level = LeadingNumber(rest);
    if (level > depth + 1) {
        diagnostics_.AddError(index_, "Level number %d has been skipped", depth + 1);
        ++index_;
        return Step::Consumed;
    }
    if (level < depth + 1) {
        if (depth > 0)
            return Step::NotConsumed; // the line belongs to an enclosing level
        // Level 0 at the top would end the parse silently and hide every line after it.
        diagnostics_.AddError(index_, "Level number %d is not allowed, levels start at 1", level);
        ++index_;
        return Step::Consumed;
    }
    CheckLevelLine(rest, index_);
    if (static_cast<std::size_t>(depth) + rest.size() <= kMaxIndentedLevelLine) {
        std::string indented(static_cast<std::size_t>(depth), '\t');
        indented += rest;
        if (indented != line)
            lines_.Replace(index_, indented);
    } else {
        // So many tabs would make a line no test accepts, and a deep text grow without bound.
        diagnostics_.AddWarning(index_, "Level %d is too deep to indent, the line is left as it is", level);
    }
    Node* node = tree_ ? tree_->AddLastChild(parent ? parent->node : nullptr, std::string(rest)) : nullptr;
    const int topRow = parent ? parent->topRow : topLevelCount_++;
    openLevels_.push_back({ node, partIndex_.AddLevelNode(rest, parent ? parent->part : -1, topRow), topRow });
    ++index_;
    return Step::Opened;
}

void TreeBuilder::Rewrite(const std::string& line, std::string_view rest)
{
    if (rest.size() != line.size())
        lines_.Replace(index_, std::string(rest));
}

void TreeBuilder::AddTopLevelNode(std::string_view text)
{
    if (tree_)
        tree_->AddLastChild(nullptr, std::string(text));
    partIndex_.AddTopLevelNode(text, topLevelCount_++);
}

void TreeBuilder::CheckObjFileLine(std::string_view text, int lineIndex)
{
    if (const std::optional<std::string> path = ParseObjFileLine(text))
        ScanObjFile(state_, folders_, *path, lineIndex);
}

void TreeBuilder::CheckLevelLine(std::string_view text, int lineIndex)
{
    LevelFields fields;
    if (ParseLevelLine(state_, text, lineIndex, fields) && !fields.objPath.empty())
        ScanObjFile(state_, folders_, fields.objPath, lineIndex);
}

void TreeBuilder::CheckIKChainLine(std::string_view text, int lineIndex)
{
    const std::vector<ByteSpan> words = SplitIKChainWords(text);
    std::string previousPart;
    for (std::size_t position = 1; position < words.size(); ++position) {
        const std::string word(text.substr(words[position].start, words[position].length));
        if (position == 1) {
            if (state_.FDefinedParts.Holds(word))
                diagnostics_.AddError(lineIndex, "ikChain's name conflicts with a previously defined part");
            continue;
        }
        if (!state_.FDefinedParts.Holds(word)) {
            diagnostics_.AddError(
                lineIndex, "ikChain is using part %s before its defined (did you use a space in the name?)", word);
        }
        if (state_.FChainParts.Holds(word))
            diagnostics_.AddError(lineIndex, "Part %s is used in multiple IK chains", word);
        else
            state_.FChainParts.Add(word);
        if (!previousPart.empty()) {
            const int node = partIndex_.Find(word);
            if (node < 0) {
                diagnostics_.AddError(lineIndex, "Part '%s' used in ikChain was not found in hierarchy", word);
            } else if (partIndex_.ParentName(node) != previousPart) {
                diagnostics_.AddError(lineIndex, "Part '%s' used in ikChain must be a child of '%s' in the hierarchy",
                                      word, previousPart);
            }
        }
        previousPart = word;
    }
    if (words.size() < 3)
        diagnostics_.AddError(lineIndex, "ikChain requires a name and a list of parts");
}

void TreeBuilder::WarnUnusedObjParts()
{
    for (int part = 0; part < state_.FObjParts.Count(); ++part) {
        const std::string_view name = state_.FObjParts.At(part);
        if (!state_.FDefinedParts.Holds(name))
            diagnostics_.AddWarning(-1, "Part '%s' found in OBJ was not used, will be ignored by Poser", name);
    }
}

} // namespace varnoke
