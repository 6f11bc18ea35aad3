#pragma once

#include <map>
#include <optional>
#include <string>

namespace varnoke::cli {

// The Poser folder for a file: the folder given by --poser-dir as typed (less a
// trailing separator), else the nearest folder above the file that has a Runtime
// folder (letter case ignored), else the program's own folder.
std::string ChoosePoserFolder(const std::optional<std::string>& poserDir, const std::string& file,
                              const std::string& programPath);

// ChoosePoserFolder for the files of one run: the search above a folder is made once,
// however many files the folder holds.
class PoserFolderChooser {
public:
    PoserFolderChooser(std::optional<std::string> poserDir, std::string programPath);
    std::string For(const std::string& file);

private:
    std::optional<std::string> poserDir_;
    std::string programPath_;
    std::map<std::string, std::string> byFolder_;
};

// The folder given as typed, less a trailing separator.
std::string WithoutTrailingSeparator(std::string folder);

} // namespace varnoke::cli
