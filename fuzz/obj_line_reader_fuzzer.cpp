// The OBJ line reader, in every scanner form and a fuzzed block size, against a plain
// reading of the same bytes. The first two bytes choose the block size and whether the
// relative face line is looked for; the rest is the file.
#include "fuzz_support.h"
#include "hierarchy/byte_scanner.h"
#include "hierarchy/geometry_file.h"
#include "hierarchy/obj_line_reader.h"

#include <cstdint>
#include <vector>

using namespace varnoke;

namespace {

// Split at every CR and LF and look at each line.
std::vector<std::string> ReadPlainly(std::string_view bytes, bool findRelativeFace)
{
    std::vector<std::string> lines;
    bool relativeFound = !findRelativeFace;
    std::size_t start = 0;
    for (std::size_t end = 0; end <= bytes.size(); ++end) {
        if (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            continue;
        const std::string_view line = bytes.substr(start, end - start);
        if (line.starts_with('g'))
            lines.emplace_back(line.substr(0, ObjLineReader::kMaxHead));
        if (!relativeFound && line.starts_with('f') && line.find('-') != std::string_view::npos) {
            lines.emplace_back("<relative>");
            relativeFound = true;
        }
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> ReadWithReader(std::FILE* file, bool findRelativeFace, std::size_t blockSize,
                                        const ByteScanner& scanner)
{
    std::rewind(file);
    ObjLineReader reader(file, findRelativeFace, blockSize, scanner);
    std::vector<std::string> lines;
    ObjLine line;
    while (reader.ReadTextLine(line))
        lines.push_back(line.relativeFace ? "<relative>" : std::string(line.head));
    VARNOKE_FUZZ_CHECK(!reader.ReadTextLine(line));
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    // Small blocks find the boundary cases; now and then one spans the whole input.
    const std::size_t blockSize = data[0] == 0xff ? ObjLineReader::kDefaultBlockSize : 1 + (data[0] & 0x7f);
    const bool findRelativeFace = (data[1] & 1) != 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 2), size - 2);

    FilePointer file(std::tmpfile());
    VARNOKE_FUZZ_CHECK(file != nullptr);
    VARNOKE_FUZZ_CHECK(std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size());
    VARNOKE_FUZZ_CHECK(std::fflush(file.get()) == 0);

    const std::vector<std::string> expected = ReadPlainly(bytes, findRelativeFace);
    for (const ByteScanner* scanner : RunnableByteScanners()) {
        if (ReadWithReader(file.get(), findRelativeFace, blockSize, *scanner) != expected) {
            std::fprintf(stderr, "scanner %s, block size %zu: lines differ from the plain reading\n", scanner->name,
                         blockSize);
            std::abort();
        }
    }
    return 0;
}
