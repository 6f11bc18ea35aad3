// The naive baseline that a check of an OBJ file of many groups is timed against: every
// line read with std::getline, and the name of each group line put into a
// std::unordered_set<std::string>. Prints how many distinct names it met.
//
//   naive_names FILE.obj

#include <cstdio>
#include <fstream>
#include <string>
#include <unordered_set>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: naive_names FILE.obj\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::perror(argv[1]);
        return 2;
    }
    std::unordered_set<std::string> names;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] != 'g')
            continue;
        const std::size_t start = line.find_first_not_of(" \t\r", 1);
        if (start == std::string::npos)
            continue;
        const std::size_t end = line.find_first_of(" \t\r", start);
        names.insert(line.substr(start, end == std::string::npos ? std::string::npos : end - start));
    }
    std::printf("%zu\n", names.size());
    return 0;
}
