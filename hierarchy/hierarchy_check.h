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
// The same test without building the tree, for a caller that wants only the lines and the
// diagnostics: a figure of millions of parts then costs far less memory.
bool TestHierarchy(CheckState& state, const GeometryFolders& folders, DocumentLines& lines,
                   std::string_view documentFileName);

// True for a file name whose extension is ".OBJ" in any letter case.
bool IsObjFileName(std::string_view fileName);

} // namespace varnoke
