#include "ui/poser_folder.h"

#include "hierarchy/case_fold.h"
#include "hierarchy/geometry_file.h"
#include "hierarchy/poser_paths.h"
#include "ui/text_conversions.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

PoserFolder::PoserFolder(const QString& programPath)
    : programFolder_(varnoke::ExeDirectory(ui::CorePath(programPath)))
    , path_(programFolder_)
{
}

std::string PoserFolder::GeometriesFolder() const
{
    return varnoke::ResolvePathIgnoringCase(path_ + varnoke::kLocalSeparator + "runtime" + varnoke::kLocalSeparator
                                            + "geometries");
}

void PoserFolder::Choose(const QString& folder)
{
    chosen_ = QDir::isAbsolutePath(folder) ? QDir::toNativeSeparators(QDir::cleanPath(folder)) : QString();
    path_ = programFolder_;
    if (chosen_.isEmpty() || !QFileInfo(chosen_).isDir())
        return;
    // A root folder ends with its separator, which the core's paths bring themselves.
    QString path = chosen_;
    if (path.endsWith(QDir::separator()))
        path.chop(1);
    path_ = ui::CorePath(path);
}

bool HoldsRuntime(const QString& folder)
{
    const QStringList names = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    return std::any_of(names.begin(), names.end(),
                       [](const QString& name) { return varnoke::EqualIgnoringCase(ui::CorePath(name), "runtime"); });
}
