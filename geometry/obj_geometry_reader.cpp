#include "geometry/obj_geometry_reader.h"

#include "geometry/obj_numbers.h"
#include "hierarchy/block_reader.h"
#include "hierarchy/case_fold.h"
#include "hierarchy/geometry_file.h"
#include "hierarchy/obj_line_reader.h"
#include "hierarchy/obj_scan.h"
#include "hierarchy/scan_reader.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace varnoke {

namespace {

constexpr std::uint64_t kReportEvery = std::uint64_t { 4 } << 20;
constexpr std::uint32_t kMaxVertices = std::numeric_limits<std::uint32_t>::max();

// The end of the line that starts at `from`: its carriage return or line feed, or the end.
const char* LineEnd(const char* from, const char* end)
{
    const auto* feed = static_cast<const char*>(std::memchr(from, '\n', static_cast<std::size_t>(end - from)));
    const char* limit = feed ? feed : end;
    const auto* ret = static_cast<const char*>(std::memchr(from, '\r', static_cast<std::size_t>(limit - from)));
    return ret ? ret : limit;
}

// The rest of a line after its one-letter keyword, when the line is of that kind.
bool AfterKeyword(std::string_view line, char keyword, std::string_view& rest)
{
    const std::string_view field = SkipBlanks(line);
    if (field.size() < 2 || field[0] != keyword || !IsWhiteSpace(field[1]))
        return false;
    rest = field.substr(1);
    return true;
}

} // namespace

ObjGeometryReader::ObjGeometryReader(std::size_t blockSize)
    : blockSize_(std::max<std::size_t>(blockSize, 1))
{
}

bool ObjGeometryReader::ReadFile(std::FILE* file, Progress* progress, std::string_view path)
{
    fileFirstVertex_ = mesh_.VertexCount();
    hasCurrentGroup_ = false;
    carried_.clear();
    const std::uint64_t size = FileSize(file);
    BlockReader blocks(file, blockSize_, 0);
    std::uint64_t read = 0;
    for (std::string_view block = blocks.Next(); !block.empty(); block = blocks.Next()) {
        if (progress && (read + block.size()) / kReportEvery != read / kReportEvery)
            ReportProgress(progress, Progress::Step::ReadingFile, path, read + block.size(),
                           std::max(size, read + block.size()));
        read += block.size();
        const char* at = block.data();
        const char* end = at + block.size();
        if (!carried_.empty()) {
            const char* lineEnd = LineEnd(at, end);
            carried_.append(at, std::min<std::size_t>(lineEnd - at, kMaxLine + 1 - carried_.size()));
            if (lineEnd == end)
                continue;
            ReadLine(carried_);
            carried_.clear();
            at = lineEnd + 1;
        }
        while (at < end) {
            const char* lineEnd = LineEnd(at, end);
            if (lineEnd == end) {
                // Kept with a byte to spare, which marks a line that is too long.
                carried_.assign(at, std::min<std::size_t>(end - at, kMaxLine + 1));
                break;
            }
            if (lineEnd > at)
                ReadLine({ at, static_cast<std::size_t>(lineEnd - at) });
            at = lineEnd + 1;
        }
    }
    if (!carried_.empty())
        ReadLine(carried_);
    carried_.clear();
    return !blocks.Failed();
}

void ObjGeometryReader::ReadLine(std::string_view line)
{
    if (line.front() == 'g') {
        ReadGroup(line);
        return;
    }
    std::string_view rest;
    if (AfterKeyword(line, 'v', rest)) {
        if (line.size() > kMaxLine)
            rest = {};
        ReadVertex(rest);
    } else if (AfterKeyword(line, 'f', rest)) {
        if (line.size() > kMaxLine)
            ++mesh_.dropped.badFaces;
        else
            ReadFace(rest);
    }
}

void ObjGeometryReader::ReadVertex(std::string_view rest)
{
    if (mesh_.VertexCount() >= kMaxVertices) {
        ++mesh_.dropped.badVertices;
        return;
    }
    float xyz[3];
    bool good = true;
    for (float& value : xyz)
        good = good && TakeFloat(rest, value) && std::isfinite(value);
    if (!good) {
        // The vertex keeps its number, so that the faces after it name the right ones.
        ++mesh_.dropped.badVertices;
        std::fill(std::begin(xyz), std::end(xyz), std::numeric_limits<float>::quiet_NaN());
    }
    mesh_.positions.insert(mesh_.positions.end(), std::begin(xyz), std::end(xyz));
}

bool ObjGeometryReader::CornerVertex(std::int64_t number, std::uint32_t& vertex) const
{
    const auto fileVertices = static_cast<std::int64_t>(mesh_.VertexCount() - fileFirstVertex_);
    const std::int64_t local = number > 0 ? number - 1 : fileVertices + number;
    if (number == 0 || local < 0 || local >= fileVertices)
        return false;
    vertex = static_cast<std::uint32_t>(fileFirstVertex_ + static_cast<std::size_t>(local));
    return !std::isnan(mesh_.positions[std::size_t { vertex } * 3]);
}

bool ObjGeometryReader::HasArea(std::uint32_t a, std::uint32_t b, std::uint32_t c) const
{
    const float* p = mesh_.positions.data();
    const float* pa = p + std::size_t { a } * 3;
    const float* pb = p + std::size_t { b } * 3;
    const float* pc = p + std::size_t { c } * 3;
    const double u[3] = { pb[0] - double { pa[0] }, pb[1] - double { pa[1] }, pb[2] - double { pa[2] } };
    const double v[3] = { pc[0] - double { pa[0] }, pc[1] - double { pa[1] }, pc[2] - double { pa[2] } };
    const double cross[3] = { u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0] };
    return cross[0] != 0 || cross[1] != 0 || cross[2] != 0;
}

void ObjGeometryReader::ReadFace(std::string_view rest)
{
    corners_.clear();
    for (rest = SkipBlanks(rest); !rest.empty(); rest = SkipBlanks(rest)) {
        std::int64_t number = 0;
        std::uint32_t vertex = 0;
        if (!TakeInteger(rest, number, /*allowTail=*/true) || !CornerVertex(number, vertex)) {
            ++mesh_.dropped.badFaces;
            return;
        }
        corners_.push_back(vertex);
    }
    if (corners_.size() < 3) {
        ++mesh_.dropped.badFaces;
        return;
    }
    if (!hasCurrentGroup_) {
        currentGroup_ = GroupId({});
        hasCurrentGroup_ = true;
    }
    for (std::size_t i = 2; i < corners_.size(); ++i) {
        const std::uint32_t a = corners_[0], b = corners_[i - 1], c = corners_[i];
        if (a == b || b == c || a == c || !HasArea(a, b, c))
            ++mesh_.dropped.degenerateTriangles;
        else
            mesh_.triangles.push_back({ { a, b, c }, currentGroup_ });
    }
}

void ObjGeometryReader::ReadGroup(std::string_view line)
{
    // The head the hierarchy test reads, so both agree on every name.
    currentGroup_ = GroupId(GroupNameOfLine(line.substr(0, ObjLineReader::kMaxHead)));
    hasCurrentGroup_ = true;
}

std::uint32_t ObjGeometryReader::GroupId(std::string name)
{
    const auto [place, added] = groupIds_.try_emplace(FoldCase(name), static_cast<std::uint32_t>(mesh_.groups.size()));
    if (added)
        mesh_.groups.push_back(std::move(name));
    return place->second;
}

Mesh ObjGeometryReader::Finish()
{
    SortByGroup(mesh_.triangles, mesh_.groups.size());
    Mesh mesh = std::move(mesh_);
    mesh_ = {};
    groupIds_.clear();
    hasCurrentGroup_ = false;
    return mesh;
}

} // namespace varnoke
