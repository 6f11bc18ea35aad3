#include "hierarchy/poser_paths.h"

#include <algorithm>

namespace varnoke {

std::string ExeDirectory(std::string_view programPath)
{
    std::size_t cut = programPath.rfind('\\');
    if (cut == std::string_view::npos)
        cut = programPath.rfind('/');
    if (cut == std::string_view::npos)
        return ".";
    return std::string(programPath.substr(0, cut));
}

std::string PoserToLocalPath(std::string_view folder, std::string_view poserPath, char separator)
{
    std::string local(folder);
    local += poserPath.empty() ? std::string_view(":Runtime:Geometries:") : poserPath;
    std::replace(local.begin() + static_cast<std::ptrdiff_t>(folder.size()), local.end(), ':', separator);
    return local;
}

namespace {

constexpr std::string_view kRuntime = "Runtime";

} // namespace

bool HasRuntime(std::string_view localPath)
{
    return localPath.find(kRuntime) != std::string_view::npos;
}

std::string LocalToPoserPath(std::string_view localPath)
{
    const std::size_t runtime = localPath.find(kRuntime);
    std::string poser = ":";
    poser += runtime == std::string_view::npos ? localPath : localPath.substr(runtime);
    std::replace(poser.begin(), poser.end(), '\\', ':');
    std::replace(poser.begin(), poser.end(), '/', ':');
    return poser;
}

LocalPathParts SplitLocalPath(std::string_view path)
{
    const std::size_t last = path.find_last_of("\\/");
    const std::size_t cut = last == std::string_view::npos ? 0 : last + 1;
    return { std::string(path.substr(0, cut)), std::string(path.substr(cut)) };
}

} // namespace varnoke
