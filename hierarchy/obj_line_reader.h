#pragma once

#include "hierarchy/block_reader.h"
#include "hierarchy/byte_scanner.h"
#include "hierarchy/progress.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace varnoke {

// A line of an OBJ file that a scan acts on.
struct ObjLine {
    // A group line (first character 'g'): the line without its line end, or its
    // first kMaxHead bytes when it is longer, which holds any group name.
    std::string_view head;
    // Instead, the first face line ('f') that holds a '-': relative vertex numbers.
    bool relativeFace = false;
};

// Reads the lines of an OBJ file that matter to a scan: every group line and, when
// asked for, the first face line with relative vertices. A line ends at a carriage
// return, a line feed or the end of the file. The file is read in large blocks and
// looked at 64 bytes at a time for the letters that begin such lines, so all other
// lines cost next to nothing; memory stays bounded whatever the length of the lines.
class ObjLineReader {
public:
    static constexpr std::size_t kMaxHead = 4096;
    static constexpr std::size_t kDefaultBlockSize = std::size_t { 1 } << 20;

    ObjLineReader(std::FILE* file, bool findRelativeFace, std::size_t blockSize = kDefaultBlockSize,
                  const ByteScanner& scanner = FastestByteScanner());

    // Tells the listener of each block read from the file at path, of the given size (0:
    // unknown); reading throws Cancelled when the listener says stop.
    void ReportTo(Progress* progress, std::string_view path, std::uint64_t size);

    // The next group line, or the relative face line; false at the end of the file.
    bool ReadTextLine(ObjLine& line);
    // After the end: true when it came from a failed read, not the end of the file.
    bool ReadFailed() { return blocks_.Failed(); }

private:
    enum class Found { Nothing, GroupLine, RelativeFace };

    bool Refill();
    Found FindLine(std::size_t& at);
    // Reads on through the face line the scan stands in, and the face lines right after
    // it; true at a '-' in one of them.
    bool LookThroughFaceLines(std::size_t& at);
    std::size_t FindLineEnd(std::size_t from) const;
    bool IsLineStart(std::size_t at) const;
    void ReadGroupLine(std::size_t start, ObjLine& line);

    const ByteScanner& scanner_;
    BlockReader blocks_;
    const char* block_ = nullptr; // the current block, followed by a chunk of padding
    std::size_t position_ = 0;
    std::size_t end_ = 0;
    char byteBeforeBlock_ = '\n'; // the file's start counts as a line start
    bool findRelativeFace_;
    bool inFaceLine_ = false; // the scan stands inside a face line begun earlier
    bool finished_ = false;
    std::string carried_; // the head of a group line that runs across blocks
    Progress* progress_ = nullptr;
    std::string path_;
    std::uint64_t read_ = 0;
    std::uint64_t size_ = 0;
};

} // namespace varnoke
