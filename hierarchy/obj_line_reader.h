#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace varnoke {

// One line of an OBJ file, without its line end.
struct ObjLine {
    // The line, or its first kMaxHead bytes when it is longer: enough for any group line.
    std::string_view head;
    // For a line that begins with 'f': a '-' stands anywhere in the whole line.
    bool faceHasMinus = false;
};

// Reads an OBJ file line by line in large blocks. A line ends at a carriage return,
// a line feed or the end of the file, so CR LF gives a line and then an empty one,
// and the call that reaches the end gives what is left (an empty file gives one
// empty line). Memory stays bounded whatever the length of the lines.
class ObjLineReader {
public:
    static constexpr std::size_t kMaxHead = 4096;
    static constexpr std::size_t kDefaultBlockSize = std::size_t { 1 } << 19;

    explicit ObjLineReader(std::FILE* file, std::size_t blockSize = kDefaultBlockSize);

    // The next line; false once the last line was given.
    bool ReadTextLine(ObjLine& line);

private:
    bool Refill();
    std::size_t FindLineEnd();

    std::FILE* file_;
    std::vector<char> block_;
    std::size_t position_ = 0;
    std::size_t end_ = 0;
    // Where the next CR and LF stand at or after position_ (end_ when none), found once per block.
    static constexpr std::size_t kNotSearched = static_cast<std::size_t>(-1);
    std::size_t nextCr_ = kNotSearched;
    std::size_t nextLf_ = kNotSearched;
    bool finished_ = false;
    std::string carried_; // the head of a line that runs across blocks
};

} // namespace varnoke
