#include "file_test.h"

#include "file_io.h"
#include "forest.h"
#include "hierarchy_test.h"

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
    test.state.folders.poserFolder = poserFolder;
    LineList lines(std::move(text.lines));
    Forest tree;
    test.passed = TestHierarchy(test.state, lines, tree, path);
    test.tested = !IsObjFileName(path);
    test.text = { std::move(lines.Lines()), text.finalLineEnd };
    return test;
}

} // namespace varnoke::cli
