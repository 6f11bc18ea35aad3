#pragma once

#include <QString>

#include <string>

// The Poser folder every geometry path starts from: the one the user chose while it is
// there, else the program's own folder. The window and its dialogs share this one object
// and read it whenever they need it, so a folder chosen later reaches them all.
class PoserFolder {
public:
    explicit PoserFolder(const QString& programPath);

    // As the core holds paths, without a trailing separator.
    const std::string& Path() const { return path_; }
    const std::string& ProgramFolder() const { return programFolder_; }
    // Runtime/Geometries under it, in the letter case found on disk.
    std::string GeometriesFolder() const;

    // The folder chosen, absolute; empty when none is.
    const QString& Chosen() const { return chosen_; }
    // A chosen folder that is not there (an unmounted drive) stays chosen while the
    // program's folder serves. Empty, or not an absolute path: none chosen.
    void Choose(const QString& folder);
    bool ChosenIsThere() const { return !chosen_.isEmpty() && path_ != programFolder_; }

private:
    std::string programFolder_;
    std::string path_;
    QString chosen_;
};

// The folder holds a folder named Runtime, in any letter case: Poser's content is there.
bool HoldsRuntime(const QString& folder);
