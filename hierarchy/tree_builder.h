#pragma once

#include "hierarchy/check_state.h"
#include "hierarchy/document_lines.h"
#include "hierarchy/forest.h"
#include "hierarchy/geometry_folders.h"
#include "hierarchy/part_index.h"

#include <string>
#include <string_view>
#include <vector>

namespace varnoke {

// One test's parse of the document, into the tree when one is given; without it the
// checks and the rewritten lines are the same.
class TreeBuilder {
public:
    // The document's name is what a listener of the folders hears the lines are from.
    TreeBuilder(CheckState& state, const GeometryFolders& folders, DocumentLines& lines, Forest* tree,
                std::string_view documentName = {});

    void BuildTree();

private:
    enum class Step { Consumed, Opened, NotConsumed };

    // Reads the current line at the given depth; a level line it accepts opens a level.
    // An open level: its node in the tree (none without one), its number in the part index
    // and the row of the top-level node it descends from.
    struct Level {
        Node* node;
        int part;
        int topRow;
    };

    Step ParseLine(int depth, const Level* parent);
    Step ParseLevel(int depth, const Level* parent, const std::string& line, std::string_view rest);
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
    Forest* tree_;
    std::string_view documentName_;
    PartIndex partIndex_;
    int index_ = 0;
    int topLevelCount_ = 0;
    // The levels enclosing the current line, outermost first.
    std::vector<Level> openLevels_;
};

} // namespace varnoke
