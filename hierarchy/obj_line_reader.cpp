#include "obj_line_reader.h"

#include <algorithm>
#include <cstring>

namespace varnoke {

ObjLineReader::ObjLineReader(std::FILE* file, std::size_t blockSize)
    : file_(file)
    , block_(std::max<std::size_t>(blockSize, 1))
{
}

bool ObjLineReader::Refill()
{
    end_ = file_ ? std::fread(block_.data(), 1, block_.size(), file_) : 0;
    position_ = 0;
    nextCr_ = kNotSearched;
    nextLf_ = kNotSearched;
    // A read error counts as the end of the file.
    return end_ > 0;
}

std::size_t ObjLineReader::FindLineEnd()
{
    const auto find = [this](std::size_t& cached, char wanted) {
        if (cached == kNotSearched || cached < position_) {
            const void* found = std::memchr(block_.data() + position_, wanted, end_ - position_);
            cached = found ? static_cast<std::size_t>(static_cast<const char*>(found) - block_.data()) : end_;
        }
        return cached;
    };
    return std::min(find(nextCr_, '\r'), find(nextLf_, '\n'));
}

bool ObjLineReader::ReadTextLine(ObjLine& line)
{
    if (finished_)
        return false;
    carried_.clear();
    bool started = false;
    bool isFace = false;
    bool hasMinus = false;
    for (;;) {
        if (position_ == end_ && !Refill()) {
            finished_ = true;
            line = { carried_, hasMinus };
            return true;
        }
        const std::size_t lineEnd = FindLineEnd();
        const char* piece = block_.data() + position_;
        const std::size_t length = lineEnd - position_;
        if (!started && length > 0) {
            started = true;
            isFace = piece[0] == 'f';
        }
        if (isFace && !hasMinus)
            hasMinus = std::memchr(piece, '-', length) != nullptr;
        if (lineEnd < end_ && carried_.empty()) {
            line = { std::string_view(piece, std::min(length, kMaxHead)), hasMinus };
            position_ = lineEnd + 1;
            return true;
        }
        carried_.append(piece, std::min(length, kMaxHead - carried_.size()));
        position_ = lineEnd;
        if (lineEnd < end_) {
            ++position_;
            line = { carried_, hasMinus };
            return true;
        }
    }
}

} // namespace varnoke
