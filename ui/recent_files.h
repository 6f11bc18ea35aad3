#pragma once

#include <QString>
#include <QStringList>

// The files opened or saved last, most recent first, at most kMost, each file once.
class RecentFiles {
public:
    static constexpr qsizetype kMost = 8;

    // As kept between runs; what is not a path, or is a path again, is dropped.
    explicit RecentFiles(const QStringList& paths = {});

    // Absolute, with the platform's separators.
    const QStringList& Paths() const { return paths_; }
    // To the front; the same file further down goes.
    void Add(const QString& path);
    void Remove(const QString& path);
    void Clear() { paths_.clear(); }

    // The menu item's caption: "&1" to "&8", then the path, its "&" shown as such.
    static QString Caption(qsizetype index, const QString& path);

private:
    QStringList paths_;
};

// Two names of one file: through links, "..", and, on Windows, letter case.
bool SameFile(const QString& one, const QString& other);
