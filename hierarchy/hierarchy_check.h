#pragma once

#include "hierarchy/check_state.h"
#include "hierarchy/document_lines.h"
#include "hierarchy/forest.h"
#include "hierarchy/geometry_folders.h"

#include <string_view>

namespace varnoke {

// Tests a hierarchy: clears the tree, the diagnostics and the registries, reads every
// line into the tree with its checks, tidies the indentation of the lines and warns
// about OBJ parts no line uses. True when no error was found. A document whose file
// name ends in ".OBJ" is not tested. After a failed test the first diagnostic is
// selected, for the window to show its line.
bool TestHierarchy(CheckState& state, const GeometryFolders& folders, DocumentLines& lines, Forest& tree,
                   std::string_view documentFileName);

// Parses the whole text into the tree, then warns about unused OBJ parts.
void BuildTree(CheckState& state, const GeometryFolders& folders, DocumentLines& lines, Forest& tree);

// True for a file name whose extension is ".OBJ" in any letter case.
bool IsObjFileName(std::string_view fileName);

} // namespace varnoke
