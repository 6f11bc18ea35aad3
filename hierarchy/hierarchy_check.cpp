#include "hierarchy/hierarchy_check.h"

#include "hierarchy/case_fold.h"
#include "hierarchy/folder_listings.h"
#include "hierarchy/tree_builder.h"

namespace varnoke {

bool IsObjFileName(std::string_view fileName)
{
    const std::size_t dot = fileName.rfind('.');
    const std::size_t separator = fileName.find_last_of("/\\");
    if (dot == std::string_view::npos || (separator != std::string_view::npos && separator > dot))
        return false;
    return EqualIgnoringCase(fileName.substr(dot), ".obj");
}

namespace {

// Parses the whole text, into the tree when one is given, then warns about unused OBJ parts.
void BuildTree(CheckState& state, const GeometryFolders& folders, DocumentLines& lines, Forest* tree,
               std::string_view documentFileName)
{
    if (folders.listings) {
        TreeBuilder(state, folders, lines, tree, documentFileName).BuildTree();
        return;
    }
    // The listings last this one test: a file added before the next test is found.
    FolderListings listings;
    GeometryFolders withListings = folders;
    withListings.listings = &listings;
    TreeBuilder(state, withListings, lines, tree, documentFileName).BuildTree();
}

bool Test(CheckState& state, const GeometryFolders& folders, DocumentLines& lines, Forest* tree,
          std::string_view documentFileName)
{
    state.Clear();
    Diagnostics& diagnostics = state.diagnostics;
    if (IsObjFileName(documentFileName)) {
        diagnostics.AddPlain("OBJ file not tested");
        return false;
    }
    BuildTree(state, folders, lines, tree, documentFileName);
    if (diagnostics.FErrorCount > 0) {
        diagnostics.Select(0);
        return false;
    }
    if (diagnostics.FWarningCount == 0)
        diagnostics.AddPlain("Looks good!");
    return true;
}

} // namespace

bool TestHierarchy(CheckState& state, const GeometryFolders& folders, DocumentLines& lines, Forest& tree,
                   std::string_view documentFileName)
{
    tree.Clear();
    return Test(state, folders, lines, &tree, documentFileName);
}

bool TestHierarchy(CheckState& state, const GeometryFolders& folders, DocumentLines& lines,
                   std::string_view documentFileName)
{
    return Test(state, folders, lines, nullptr, documentFileName);
}

} // namespace varnoke
