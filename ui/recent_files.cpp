#include "ui/recent_files.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString Canonical(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    // A file that is gone has no canonical name: its absolute one must do.
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

} // namespace

bool SameFile(const QString& one, const QString& other)
{
#ifdef _WIN32
    constexpr Qt::CaseSensitivity kCase = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity kCase = Qt::CaseSensitive;
#endif
    return Canonical(one).compare(Canonical(other), kCase) == 0;
}

RecentFiles::RecentFiles(const QStringList& paths)
{
    // The oldest first, so each later one comes before it, as when they were added.
    for (auto path = paths.crbegin(); path != paths.crend(); ++path) {
        if (!path->isEmpty() && QFileInfo(*path).isAbsolute())
            Add(*path);
    }
}

void RecentFiles::Add(const QString& path)
{
    Remove(path);
    paths_.prepend(QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(path).absoluteFilePath())));
    while (paths_.size() > kMost)
        paths_.removeLast();
}

void RecentFiles::Remove(const QString& path)
{
    paths_.removeIf([&](const QString& kept) { return SameFile(kept, path); });
}

QString RecentFiles::Caption(qsizetype index, const QString& path)
{
    return QStringLiteral("&%1 %2").arg(index + 1).arg(QString(path).replace(QLatin1Char('&'), QStringLiteral("&&")));
}
