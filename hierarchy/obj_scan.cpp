#include "hierarchy/obj_scan.h"

#include "hierarchy/case_fold.h"
#include "hierarchy/geometry_file.h"
#include "hierarchy/obj_line_reader.h"
#include "hierarchy/scan_reader.h"

#include <algorithm>

namespace varnoke {

namespace {

// The file in the first of the other folders that has it, and its path there.
FilePointer OpenFirstFound(const GeometryFolders& folders, std::string_view poserPath, std::string& foundPath)
{
    for (const std::string& folder : folders.alsoSearched) {
        foundPath = PoserToLocalPath(folder, poserPath, folders.separator);
        if (FilePointer file = OpenGeometryFile(foundPath, folders.listings, &foundPath))
            return file;
    }
    return nullptr;
}

// One file under two names: Windows takes a path in any letter case. Names only, no look
// at the disk: a figure may name thousands of files.
bool SameFile(const std::string& one, const std::string& other)
{
#ifdef _WIN32
    return EqualIgnoringCase(one, other);
#else
    return one == other;
#endif
}

} // namespace

std::string GroupNameOfLine(std::string_view line)
{
    if (line.empty() || line.front() != 'g')
        return {};
    ScanReader reader(line);
    std::string keyword;
    std::string name;
    reader.ReadWord(1, keyword);
    reader.ReadWord(255, name);
    return name;
}

void ScanObjFile(CheckState& state, const GeometryFolders& folders, std::string_view poserPath, int lineIndex)
{
    const std::string localPath = PoserToLocalPath(folders.poserFolder, poserPath, folders.separator);
    std::string readPath = localPath;
    FilePointer file = OpenGeometryFile(localPath, folders.listings, &readPath);
    if (!file)
        file = OpenFirstFound(folders, poserPath, readPath);
    if (!file) {
        state.diagnostics.AddError(lineIndex, "Couldn't open file:%s", localPath);
        return;
    }
    // The names of this file join the registry as they are met, but only those of earlier
    // files count as found before; a failed read takes them out again.
    const int countBefore = state.FObjParts.Count();
    ObjLineReader reader(file.get(), /*findRelativeFace=*/true);
    if (folders.progress)
        reader.ReportTo(folders.progress, readPath, FileSize(file.get()));
    ObjLine line;
    while (reader.ReadTextLine(line)) {
        if (line.relativeFace) {
            state.diagnostics.AddWarning(lineIndex, "OBJ File '%s' is using relative vertices, Poser V3.0 will crash",
                                         poserPath);
            continue;
        }
        std::string name = GroupNameOfLine(line.head);
        if (name.empty())
            continue;
        const int earlier = state.FObjParts.IndexOf(name);
        if (earlier >= 0 && earlier < countBefore)
            state.diagnostics.AddWarning(lineIndex, "Part '%s' found in multiple OBJ files", name);
        else
            state.FObjParts.Add(name);
    }
    if (reader.ReadFailed()) {
        // A file that gives no data when asked (a kernel file read without waiting).
        state.FObjParts.TruncateTo(countBefore);
        state.diagnostics.AddError(lineIndex, "Couldn't open file:%s", localPath);
        return;
    }
    if (std::none_of(state.geometryFiles.begin(), state.geometryFiles.end(),
                     [&](const std::string& known) { return SameFile(known, readPath); }))
        state.geometryFiles.push_back(readPath);
}

} // namespace varnoke
