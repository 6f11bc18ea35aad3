#include "cli/file_check.h"

#include "cli/file_io.h"
#include "hierarchy/forest.h"
#include "hierarchy/hierarchy_check.h"

namespace varnoke::cli {

std::optional<FileTest> TestFile(const std::string& path, const std::string& poserFolder)
{
    DocumentText text;
    {
        // The bytes go once they are lines: a huge file is not held twice during its test.
        const std::optional<std::string> bytes = ReadWholeFile(path);
        if (!bytes)
            return std::nullopt;
        text = SplitDocumentText(*bytes);
    }
    FileTest test;
    GeometryFolders folders;
    folders.poserFolder = poserFolder;
    LineList lines(std::move(text.lines));
    Forest tree;
    test.passed = TestHierarchy(test.state, folders, lines, tree, path);
    test.tested = !IsObjFileName(path);
    test.text = { std::move(lines.Lines()), text.finalLineEnd };
    return test;
}

} // namespace varnoke::cli
