#pragma once

#include <string>
#include <string_view>

namespace varnoke {

// The separator of local paths on this platform.
#ifdef _WIN32
inline constexpr char kLocalSeparator = '\\';
#else
inline constexpr char kLocalSeparator = '/';
#endif

// The folder of a program file: cut at the last "\", or at the last "/" when there is no "\".
std::string ExeDirectory(std::string_view programPath);

// A Poser path (":Runtime:Geometries:x.obj") as a local path under the folder. Every
// colon after the folder becomes the separator; an empty Poser path names the geometry folder.
std::string PoserToLocalPath(std::string_view folder, std::string_view poserPath, char separator = kLocalSeparator);

// A local path as a Poser path: from the first "Runtime" (case-sensitive) on, with
// "\" and "/" turned into ":".
std::string LocalToPoserPath(std::string_view localPath);
// Whether LocalToPoserPath finds its "Runtime" in the path: without one the Poser path
// names nothing that Poser can find.
bool HasRuntime(std::string_view localPath);

// A local path cut after its last separator ("\\" or "/"): the folder keeps that
// separator (and any drive); the file name keeps its extension and is empty when the
// path ends with a separator.
struct LocalPathParts {
    std::string folder;
    std::string fileName;
};
LocalPathParts SplitLocalPath(std::string_view path);

} // namespace varnoke
