// Writes a realistic figure for benchmarks: OBJ files of named groups with v/vt/vn
// floats (about half negative), f quads and triangles, usemtl and s lines, and a
// hierarchy that uses every group, with one IK chain per 20 parts.
//
//   make_figure POSER_FOLDER NAME --size-mb N [--groups G] [--files K] [--crlf]
//   make_figure POSER_FOLDER NAME --group-lines G     (G lines "g p<i>" and nothing else)
//   make_figure POSER_FOLDER NAME --random-names G    (G lines "g <name>", 10 to 250 random
//                                                      letters, digits and '_')
//
// Writes POSER_FOLDER/Runtime/Geometries/NAME/NAME<k>.obj and .../NAME/NAME.phi; a file of
// group lines alone gets a hierarchy of its objFile line alone, which uses none of them.

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

struct Options {
    std::filesystem::path poserFolder;
    std::string name;
    long long sizeBytes = 1 << 20;
    int groups = 300;
    int files = 1;
    bool crlf = false;
    long long groupLines = 0;
    bool randomNames = false;
};

class Writer {
public:
    Writer(const std::filesystem::path& path, bool crlf)
        : file_(std::fopen(path.c_str(), "wb"))
        , lineEnd_(crlf ? "\r\n" : "\n")
    {
        if (!file_) {
            std::perror(path.c_str());
            std::exit(2);
        }
    }
    ~Writer()
    {
        Flush();
        std::fclose(file_);
    }
    void Text(std::string_view text) { buffer_ += text; }
    void Number(long long value)
    {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        buffer_.append(digits, end);
    }
    // A float with six decimals, as exporters write them.
    void Float(double value)
    {
        if (value < 0) {
            buffer_ += '-';
            value = -value;
        }
        const auto micro = static_cast<long long>(value * 1e6 + 0.5);
        Number(micro / 1000000);
        buffer_ += '.';
        const std::string fraction = std::to_string(1000000 + micro % 1000000);
        buffer_.append(fraction, 1, 6);
    }
    void EndLine()
    {
        buffer_ += lineEnd_;
        if (buffer_.size() > (1 << 20))
            Flush();
    }
    long long Written() const { return written_ + static_cast<long long>(buffer_.size()); }

private:
    void Flush()
    {
        std::fwrite(buffer_.data(), 1, buffer_.size(), file_);
        written_ += static_cast<long long>(buffer_.size());
        buffer_.clear();
    }
    std::FILE* file_;
    const char* lineEnd_;
    std::string buffer_;
    long long written_ = 0;
};

std::string PartName(int index)
{
    static const char* const bases[] = { "Thigh", "Shin", "Foot", "Toe",   "Shldr", "ForeArm", "Hand", "Collar",
                                         "Index", "Mid",  "Ring", "Pinky", "Thumb", "Ear",     "Brow", "Lid" };
    if (index == 0)
        return "hip";
    const int side = index % 2;
    return std::string(side ? "l" : "r") + bases[(index / 2) % 16] + std::to_string(index);
}

// A group as exporters write it: its vertices, texture vertices and normals, then its
// material, smoothing group and faces, one face per vertex.
void WriteGroup(Writer& out, std::mt19937& random, const std::string& name, long long bytes, long long& vertexCount)
{
    std::uniform_real_distribution<double> coordinate(-1.0, 1.0);
    std::uniform_real_distribution<double> texture(0.0, 1.0);
    const long long vertices = std::max(4LL, bytes / 180);
    out.Text("g " + name);
    out.EndLine();
    const auto floats = [&](const char* keyword, int count, std::uniform_real_distribution<double>& values) {
        for (long long i = 0; i < vertices; ++i) {
            out.Text(keyword);
            for (int axis = 0; axis < count; ++axis) {
                out.Text(" ");
                out.Float(values(random));
            }
            out.EndLine();
        }
    };
    floats("v", 3, coordinate);
    floats("vt", 2, texture);
    floats("vn", 3, coordinate);
    out.Text("usemtl skin");
    out.EndLine();
    out.Text("s 1");
    out.EndLine();
    for (long long face = 0; face < vertices; ++face) {
        const int corners = random() % 3 == 0 ? 3 : 4;
        out.Text("f");
        for (int corner = 0; corner < corners; ++corner) {
            const long long index = vertexCount + 1 + static_cast<long long>(random() % vertices);
            out.Text(" ");
            out.Number(index);
            out.Text("/");
            out.Number(index);
            out.Text("/");
            out.Number(index);
        }
        out.EndLine();
    }
    vertexCount += vertices;
}

void WriteHierarchy(const Options& options, const std::filesystem::path& folder)
{
    Writer out(folder / (options.name + ".phi"), true);
    out.Text("#Benchmark figure " + options.name);
    out.EndLine();
    for (int file = 0; file < options.files; ++file) {
        out.Text("objFile :Runtime:Geometries:" + options.name + ":" + options.name + std::to_string(file) + ".obj");
        out.EndLine();
    }
    std::vector<std::string> chains;
    out.Text("1 hip yzx");
    out.EndLine();
    // Below the hip, runs of four nested parts; the first run of every twenty forms an IK chain.
    for (int part = 1; part < options.groups; ++part) {
        const int depth = (part - 1) % 4;
        out.Text(std::string(static_cast<std::size_t>(depth + 1), '\t') + std::to_string(depth + 2) + " "
                 + PartName(part) + " xyz");
        out.EndLine();
        if ((part - 1) % 20 == 3)
            chains.push_back("ikChain chain" + std::to_string(part) + " " + PartName(part - 3) + " "
                             + PartName(part - 2) + " " + PartName(part - 1) + " " + PartName(part));
    }
    for (const std::string& chain : chains) {
        out.Text(chain);
        out.EndLine();
    }
}

// Group lines and nothing else, and a hierarchy that names the file and none of its groups.
void WriteGroupLines(const Options& options, const std::filesystem::path& folder, std::mt19937& random)
{
    {
        Writer out(folder / (options.name + "0.obj"), options.crlf);
        static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_";
        std::uniform_int_distribution<int> length(10, 250);
        std::uniform_int_distribution<int> letter(0, sizeof kLetters - 2);
        std::string name;
        for (long long i = 0; i < options.groupLines; ++i) {
            out.Text("g ");
            if (options.randomNames) {
                name.resize(static_cast<std::size_t>(length(random)));
                for (char& c : name)
                    c = kLetters[letter(random)];
                out.Text(name);
            } else {
                out.Text("p");
                out.Number(i);
            }
            out.EndLine();
        }
    }
    Writer out(folder / (options.name + ".phi"), true);
    out.Text("objFile :Runtime:Geometries:" + options.name + ":" + options.name + "0.obj");
    out.EndLine();
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_figure POSER_FOLDER NAME --size-mb N [--groups G] [--files K] [--crlf]\n");
        return 2;
    }
    Options options;
    options.poserFolder = argv[1];
    options.name = argv[2];
    for (int i = 3; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--crlf")
            options.crlf = true;
        else if (argument == "--size-mb" && i + 1 < argc)
            options.sizeBytes = std::atoll(argv[++i]) << 20;
        else if (argument == "--groups" && i + 1 < argc)
            options.groups = std::max(1, std::atoi(argv[++i]));
        else if (argument == "--files" && i + 1 < argc)
            options.files = std::max(1, std::atoi(argv[++i]));
        else if ((argument == "--group-lines" || argument == "--random-names") && i + 1 < argc) {
            options.randomNames = argument == "--random-names";
            options.groupLines = std::max(1LL, std::atoll(argv[++i]));
        }
    }
    const std::filesystem::path folder = options.poserFolder / "Runtime" / "Geometries" / options.name;
    std::filesystem::create_directories(folder);
    std::mt19937 random(42);
    if (options.groupLines > 0) {
        WriteGroupLines(options, folder, random);
        return 0;
    }
    const long long groupBytes = options.sizeBytes / options.groups;
    int part = 0;
    for (int file = 0; file < options.files; ++file) {
        Writer out(folder / (options.name + std::to_string(file) + ".obj"), options.crlf);
        out.Text("# " + options.name + " benchmark geometry");
        out.EndLine();
        long long vertexCount = 0;
        const int last = (file + 1) * options.groups / options.files;
        for (; part < last; ++part)
            WriteGroup(out, random, PartName(part), groupBytes, vertexCount);
    }
    WriteHierarchy(options, folder);
    return 0;
}
