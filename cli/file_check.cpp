#include "cli/file_check.h"

#include "hierarchy/hierarchy_check.h"

namespace varnoke::cli {

FileTest TestText(std::string&& bytes, const std::string& path, const std::string& poserFolder,
                  FolderListings& listings)
{
    DocumentText text;
    {
        // The bytes go once they are lines: a huge file is not held twice during its test.
        const std::string taken = std::move(bytes);
        text = SplitDocumentText(taken);
    }
    FileTest test;
    GeometryFolders folders;
    folders.poserFolder = poserFolder;
    folders.listings = &listings;
    LineList lines(std::move(text.lines));
    test.passed = TestHierarchy(test.state, folders, lines, path);
    test.tested = !IsObjFileName(path);
    test.text = { std::move(lines.Lines()), text.finalLineEnd };
    return test;
}

} // namespace varnoke::cli
