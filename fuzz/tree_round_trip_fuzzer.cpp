// Test, tree, TreeToText and test again: the text written from the tree of a tested
// document is one that a test leaves as it is, and writing it again gives it again.
// The one line the two indent differently is a level line of a number alone: the tree
// writes it as it stands, the test indents it by its depth.
#include "fuzz_support.h"
#include "hierarchy/check_state.h"
#include "hierarchy/document_lines.h"
#include "hierarchy/forest.h"
#include "hierarchy/hierarchy_check.h"
#include "hierarchy/line_format.h"
#include "tree/tree_to_text.h"

#include <algorithm>
#include <cstdint>

using namespace varnoke;

namespace {

bool SameButForNumbersAlone(const std::vector<std::string>& tested, const std::vector<std::string>& written)
{
    if (tested.size() != written.size())
        return false;
    for (std::size_t i = 0; i < tested.size(); ++i) {
        if (tested[i] == written[i])
            continue;
        if (ScanLevelLine(written[i]).count != 1 || !tested[i].ends_with(written[i])
            || tested[i].find_first_not_of('\t') != tested[i].size() - written[i].size())
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& poserFolder = fuzz::ScratchPoserFolder();
    static const bool geometryWritten = [&] {
        fuzz::WriteFile(poserFolder + "/Runtime/Geometries/f/a.obj",
                        "v 0 0 0\ng hip\ng abdomen\ng chest\ng neck\ng head\ng lThigh\ng lShin\ng lFoot\n");
        return true;
    }();
    (void)geometryWritten;

    CheckState state;
    GeometryFolders folders;
    folders.poserFolder = poserFolder;
    LineList lines(SplitDocumentText(std::string_view(reinterpret_cast<const char*>(data), size)).lines);
    Forest tree;
    TestHierarchy(state, folders, lines, tree, "figure.phi");

    TreeToText(tree, lines);
    const std::vector<std::string> written = lines.Lines();
    VARNOKE_FUZZ_CHECK(static_cast<int>(written.size()) == tree.NodeCount());

    CheckState secondState;
    Forest secondTree;
    TestHierarchy(secondState, folders, lines, secondTree, "figure.phi");
    VARNOKE_FUZZ_CHECK(SameButForNumbersAlone(lines.Lines(), written));

    // Re-indented deep levels may outgrow the line limit, and a test stops at such a line.
    if (std::all_of(written.begin(), written.end(),
                    [](const std::string& line) { return line.size() <= kMaxLineLength; })) {
        TreeToText(secondTree, lines);
        VARNOKE_FUZZ_CHECK(lines.Lines() == written);
    }
    return 0;
}
