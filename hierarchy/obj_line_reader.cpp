#include "hierarchy/obj_line_reader.h"

#include <algorithm>
#include <bit>

namespace varnoke {

namespace {

std::size_t LowestBit(std::uint64_t mask)
{
    return static_cast<std::size_t>(std::countr_zero(mask));
}

bool IsLineEnd(char c)
{
    return c == '\n' || c == '\r';
}

} // namespace

ObjLineReader::ObjLineReader(std::FILE* file, bool findRelativeFace, std::size_t blockSize, const ByteScanner& scanner)
    : scanner_(scanner)
    , blocks_(file, std::max<std::size_t>(blockSize, 1), kScanChunk)
    , findRelativeFace_(findRelativeFace)
{
}

void ObjLineReader::ReportTo(Progress* progress, std::string_view path, std::uint64_t size)
{
    progress_ = progress;
    path_ = path;
    size_ = size;
}

bool ObjLineReader::Refill()
{
    if (end_ > 0)
        byteBeforeBlock_ = block_[end_ - 1];
    const std::string_view block = blocks_.Next();
    block_ = block.data();
    end_ = block.size();
    position_ = 0;
    if (progress_) {
        // Every few MiB: a small file is read without a word.
        constexpr std::uint64_t kReportEvery = std::uint64_t { 4 } << 20;
        const std::uint64_t before = read_;
        read_ += end_;
        size_ = std::max(size_, read_);
        if (read_ / kReportEvery != before / kReportEvery)
            ReportProgress(progress_, Progress::Step::ReadingFile, path_, read_, size_);
    }
    return end_ > 0;
}

bool ObjLineReader::IsLineStart(std::size_t at) const
{
    return IsLineEnd(at > 0 ? block_[at - 1] : byteBeforeBlock_);
}

ObjLineReader::Found ObjLineReader::FindLine(std::size_t& at)
{
    for (;;) {
        if (inFaceLine_ && LookThroughFaceLines(at))
            return Found::RelativeFace;
        if (inFaceLine_)
            return Found::Nothing; // the face line runs on into the next block
        // Most chunks hold neither letter: the scanner skips them as fast as the processor can.
        std::uint64_t candidates = 0;
        const std::size_t chunk
            = position_ + scanner_.findFaceOrGroup(block_ + position_, end_ - position_, candidates);
        if (!candidates) {
            position_ = end_;
            return Found::Nothing;
        }
        position_ = std::min(chunk + kScanChunk, end_);
        for (; candidates; candidates &= candidates - 1) {
            at = chunk + LowestBit(candidates);
            if (!IsLineStart(at))
                continue;
            if (block_[at] == 'g')
                return Found::GroupLine;
            if (findRelativeFace_) {
                position_ = at + 1;
                inFaceLine_ = true;
                break;
            }
        }
    }
}

bool ObjLineReader::LookThroughFaceLines(std::size_t& at)
{
    // Exporters write a group's faces one after another: the run of face lines is
    // read a chunk at a time, until a line begins with another letter.
    for (std::size_t chunk = position_; chunk < end_; chunk += kScanChunk) {
        const std::uint64_t valid = FirstBits(end_ - chunk);
        const ByteScanner::FaceMasks masks = scanner_.faceMasks(block_ + chunk);
        const std::uint64_t afterLineEnd = masks.lineEnds << 1 | (IsLineStart(chunk) ? 1 : 0);
        const std::uint64_t lineStarts = afterLineEnd & ~masks.lineEnds & valid;
        const std::uint64_t otherLines = lineStarts & ~masks.faceLetters;
        const std::uint64_t runEnd = otherLines ? FirstBits(LowestBit(otherLines)) : valid;
        if (masks.minusSigns & runEnd & ~masks.lineEnds) {
            at = chunk;
            return true;
        }
        if (otherLines) {
            position_ = chunk + LowestBit(otherLines);
            inFaceLine_ = false;
            return false;
        }
    }
    position_ = end_;
    return false;
}

std::size_t ObjLineReader::FindLineEnd(std::size_t from) const
{
    for (std::size_t chunk = from; chunk < end_; chunk += kScanChunk) {
        const std::uint64_t ends = scanner_.lineEnds(block_ + chunk) & FirstBits(end_ - chunk);
        if (ends)
            return chunk + LowestBit(ends);
    }
    return end_;
}

void ObjLineReader::ReadGroupLine(std::size_t start, ObjLine& line)
{
    inFaceLine_ = false;
    std::size_t lineEnd = FindLineEnd(start);
    if (lineEnd < end_) {
        line = { std::string_view(block_ + start, std::min(lineEnd - start, kMaxHead)), false };
        position_ = lineEnd + 1;
        return;
    }
    carried_.clear();
    for (std::size_t from = start;; from = 0) {
        carried_.append(block_ + from, std::min(lineEnd - from, kMaxHead - carried_.size()));
        if (lineEnd < end_ || !Refill())
            break;
        lineEnd = FindLineEnd(0);
    }
    line = { carried_, false };
    // Past the line end, or at the end of the file (where both are 0).
    position_ = std::min(lineEnd + 1, end_);
}

bool ObjLineReader::ReadTextLine(ObjLine& line)
{
    while (!finished_) {
        std::size_t at = 0;
        switch (FindLine(at)) {
        case Found::GroupLine:
            ReadGroupLine(at, line);
            return true;
        case Found::RelativeFace:
            // Reported once; the scan goes on from the face line for the group lines after it.
            findRelativeFace_ = false;
            inFaceLine_ = false;
            position_ = at + 1;
            line = { {}, true };
            return true;
        case Found::Nothing:
            if (!Refill())
                finished_ = true;
        }
    }
    return false;
}

} // namespace varnoke
