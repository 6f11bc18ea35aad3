// The whole test on a fuzzed document whose OBJ files are fuzzed too. The input is the
// document, then up to two OBJ files, each after a 0x01 byte; the files are
// :Runtime:Geometries:f:a.obj and :Runtime:Geometries:f:b.obj of a scratch Poser folder.
#include "fuzz_support.h"
#include "hierarchy/check_state.h"
#include "hierarchy/document_lines.h"
#include "hierarchy/forest.h"
#include "hierarchy/hierarchy_check.h"
#include "hierarchy/line_format.h"

#include <algorithm>
#include <cstdint>
#include <vector>

using namespace varnoke;

namespace {

std::vector<std::string_view> SplitAtSeparators(std::string_view input, std::size_t maxPieces)
{
    std::vector<std::string_view> pieces;
    while (pieces.size() + 1 < maxPieces) {
        const std::size_t separator = input.find('\x01');
        if (separator == std::string_view::npos)
            break;
        pieces.push_back(input.substr(0, separator));
        input.remove_prefix(separator + 1);
    }
    pieces.push_back(input);
    return pieces;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& poserFolder = fuzz::ScratchPoserFolder();
    const std::vector<std::string_view> pieces
        = SplitAtSeparators(std::string_view(reinterpret_cast<const char*>(data), size), 3);
    const std::string objFiles[]
        = { poserFolder + "/Runtime/Geometries/f/a.obj", poserFolder + "/Runtime/Geometries/f/b.obj" };
    for (std::size_t file = 0; file < 2; ++file) {
        if (file + 1 < pieces.size())
            fuzz::WriteFile(objFiles[file], pieces[file + 1]);
        else
            std::remove(objFiles[file].c_str());
    }

    CheckState state;
    GeometryFolders folders;
    folders.poserFolder = poserFolder;
    LineList lines(SplitDocumentText(pieces[0]).lines);
    const int lineCount = lines.Count();
    Forest tree;
    const bool passed = TestHierarchy(state, folders, lines, tree, "figure.phi");
    const Diagnostics& diagnostics = state.diagnostics;
    VARNOKE_FUZZ_CHECK(passed == (diagnostics.FErrorCount == 0));
    VARNOKE_FUZZ_CHECK(lines.Count() == lineCount);
    VARNOKE_FUZZ_CHECK(tree.NodeCount() <= lineCount);
    for (const Diagnostic& entry : diagnostics.Entries())
        VARNOKE_FUZZ_CHECK(entry.line >= 0 && entry.line <= lineCount);

    // The tested text is tidy: a second test rewrites nothing and finds the same.
    const std::vector<std::string> tested = lines.Lines();
    const std::vector<std::string> texts = diagnostics.Texts();

    // A test without the tree finds and rewrites the same.
    LineList treeless(SplitDocumentText(pieces[0]).lines);
    CheckState treelessState;
    VARNOKE_FUZZ_CHECK(TestHierarchy(treelessState, folders, treeless, "figure.phi") == passed);
    VARNOKE_FUZZ_CHECK(treeless.Lines() == tested);
    VARNOKE_FUZZ_CHECK(treelessState.diagnostics.Texts() == texts);
    LineList again(tested);
    CheckState secondState;
    Forest secondTree;
    const bool passedAgain = TestHierarchy(secondState, folders, again, secondTree, "figure.phi");
    VARNOKE_FUZZ_CHECK(again.ReplacedCount() == 0);
    // Re-indented deep levels may outgrow the line limit, and a test stops at such a line.
    if (std::all_of(tested.begin(), tested.end(),
                    [](const std::string& line) { return line.size() <= kMaxLineLength; })) {
        VARNOKE_FUZZ_CHECK(passedAgain == passed);
        VARNOKE_FUZZ_CHECK(secondState.diagnostics.Texts() == texts);
        VARNOKE_FUZZ_CHECK(secondTree.NodeCount() == tree.NodeCount());
    }
    return 0;
}
