#pragma once

#include <QString>

#include <string>

// The Poser folder every geometry path starts from: the program's own folder. The
// window and its dialogs share this one object and read it whenever they need it, so
// a folder chosen later reaches them all.
class PoserFolder {
public:
    explicit PoserFolder(const QString& programPath);

    // As the core holds paths, without a trailing separator.
    const std::string& Path() const { return path_; }
    // Runtime/Geometries under it, in the letter case found on disk.
    std::string GeometriesFolder() const;

private:
    std::string path_;
};
