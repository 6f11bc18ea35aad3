#pragma once

#include "hierarchy/check_state.h"
#include "hierarchy/document_lines.h"
#include "hierarchy/forest.h"
#include "hierarchy/geometry_folders.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace varnoke {

// FindPartNode for the tree a test is building, answered from an index instead of a
// walk, so chain checks stay cheap on figures of thousands of parts. It gives the
// same node as the walk: the first in absolute order.
class BuildPartIndex {
public:
    void Clear() { first_.clear(); }
    // A level node, below the top-level node `top` (itself at the top level).
    void AddLevelNode(Node* node, const Node* top);
    // A comment, objFile, ikChain or empty line: always appended at the top level.
    void AddTopLevelNode(Node* node);
    Node* Find(std::string_view name) const;

private:
    struct Entry {
        Node* node;
        bool isLevel;
    };
    std::unordered_map<std::string, Entry> first_;
};

// One test's parse of the document into the tree.
class TreeBuilder {
public:
    TreeBuilder(CheckState& state, const GeometryFolders& folders, DocumentLines& lines, Forest& tree);

    void BuildTree();

private:
    enum class Step { Consumed, Opened, NotConsumed };

    // Reads the current line at the given depth; a level line it accepts opens a level.
    Step ParseLine(int depth, Node* parent);
    Step ParseLevel(int depth, Node* parent, const std::string& line, std::string_view rest);
    void Rewrite(const std::string& line, std::string_view rest);
    void AddTopLevelNode(std::string_view text);
    void CheckObjFileLine(std::string_view text, int lineIndex);
    void CheckLevelLine(std::string_view text, int lineIndex);
    void CheckIKChainLine(std::string_view text, int lineIndex);
    void WarnUnusedObjParts();

    CheckState& state_;
    const GeometryFolders& folders_;
    Diagnostics& diagnostics_;
    DocumentLines& lines_;
    Forest& tree_;
    BuildPartIndex partIndex_;
    int index_ = 0;
    // The level nodes enclosing the current line, outermost first.
    std::vector<Node*> openLevels_;
};

} // namespace varnoke
