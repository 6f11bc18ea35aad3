// The project's own plain scan of an OBJ file, to stand beside a check of the same file:
// the OBJ reader alone, on one thread, with no hierarchy work. Prints the number of group
// lines and whether a face line uses relative vertices.
//
//   plain_scan FILE.obj [BLOCK_BYTES]     (the reader's own block size unless given)

#include "hierarchy/geometry_file.h"
#include "hierarchy/obj_line_reader.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: plain_scan FILE.obj [BLOCK_BYTES]\n");
        return 2;
    }
    const varnoke::FilePointer file = varnoke::OpenRegularFile(argv[1]);
    if (!file) {
        std::perror(argv[1]);
        return 2;
    }
    const long long blockSize = argc == 3 ? std::atoll(argv[2]) : 0;
    varnoke::ObjLineReader reader(file.get(), /*findRelativeFace=*/true,
                                  blockSize > 0 ? static_cast<std::size_t>(blockSize)
                                                : varnoke::ObjLineReader::kDefaultBlockSize);
    varnoke::ObjLine line;
    long long groups = 0;
    bool relative = false;
    while (reader.ReadTextLine(line)) {
        relative = relative || line.relativeFace;
        groups += line.relativeFace ? 0 : 1;
    }
    std::printf("%lld group lines%s\n", groups, relative ? ", relative vertices" : "");
    return reader.ReadFailed() ? 1 : 0;
}
