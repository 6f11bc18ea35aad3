// The path conversions on any bytes. The input is a folder and a path, split at the first
// NUL; the last byte of the folder part chooses the separator.
#include "fuzz_support.h"
#include "hierarchy/poser_paths.h"

#include <algorithm>
#include <cstdint>

using namespace varnoke;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = std::min(input.find('\0'), input.size());
    const std::string_view folder = input.substr(0, split);
    const std::string_view path = split < input.size() ? input.substr(split + 1) : std::string_view();
    const char separator = !folder.empty() && (folder.back() & 1) ? '\\' : '/';

    const std::string local = PoserToLocalPath(folder, path, separator);
    const std::string_view poserPart = path.empty() ? std::string_view(":Runtime:Geometries:") : path;
    VARNOKE_FUZZ_CHECK(local.size() == folder.size() + poserPart.size());
    VARNOKE_FUZZ_CHECK(local.starts_with(folder));
    for (std::size_t at = 0; at < poserPart.size(); ++at) {
        const char expected = poserPart[at] == ':' ? separator : poserPart[at];
        VARNOKE_FUZZ_CHECK(local[folder.size() + at] == expected);
    }

    for (const std::string_view localPath : { folder, path, std::string_view(local) }) {
        const std::string poser = LocalToPoserPath(localPath);
        VARNOKE_FUZZ_CHECK(poser.starts_with(':'));
        VARNOKE_FUZZ_CHECK(poser.find_first_of("/\\") == std::string::npos);
        VARNOKE_FUZZ_CHECK(poser.size() <= localPath.size() + 1);
        if (localPath.find("Runtime") != std::string_view::npos)
            VARNOKE_FUZZ_CHECK(poser.starts_with(":Runtime"));
        // A Poser path from Runtime on survives the way to a local path and back.
        if (poser.starts_with(":Runtime"))
            VARNOKE_FUZZ_CHECK(LocalToPoserPath(PoserToLocalPath("/poser", poser, '/')) == poser);

        const std::string directory = ExeDirectory(localPath);
        VARNOKE_FUZZ_CHECK(directory == "." || localPath.starts_with(directory));
        if (directory != ".")
            VARNOKE_FUZZ_CHECK(localPath[directory.size()] == '\\' || localPath[directory.size()] == '/');
    }
    return 0;
}
