#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace varnoke {

// A list of part names that keeps order and duplicates, looked up without regard
// to letter case through a hash index, so a lookup costs the same for any size.
class PartRegistry {
public:
    void Clear();
    void Add(std::string name);
    void AddAll(const std::vector<std::string>& names);
    // The index of the first entry equal to the name ignoring case, or -1.
    int IndexOf(std::string_view name) const;
    bool Holds(std::string_view name) const { return IndexOf(name) >= 0; }
    int Count() const { return static_cast<int>(names_.size()); }
    const std::string& At(int index) const { return names_[static_cast<std::size_t>(index)]; }
    const std::vector<std::string>& Names() const { return names_; }

private:
    std::vector<std::string> names_;
    std::unordered_map<std::string, int> firstIndexByFoldedName_;
};

} // namespace varnoke
