#pragma once

#include "hierarchy/document_lines.h"
#include "hierarchy/forest.h"

#include <string>

namespace varnoke {

// One node as a line: a level node ("3  chest yzx") gets one tab per level above the
// first and exactly one space after its number ("\t\t3 chest yzx"); any other text,
// and a level of 0 or below, is written as it stands.
std::string NodeToLine(const Node& node);

// Replaces every line of the document by the nodes' lines in absolute order.
void TreeToText(const Forest& tree, DocumentLines& lines);

} // namespace varnoke
