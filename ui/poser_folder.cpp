#include "ui/poser_folder.h"

#include "hierarchy/geometry_file.h"
#include "hierarchy/poser_paths.h"
#include "ui/text_conversions.h"

PoserFolder::PoserFolder(const QString& programPath)
    : path_(varnoke::ExeDirectory(ui::CorePath(programPath)))
{
}

std::string PoserFolder::GeometriesFolder() const
{
    return varnoke::ResolvePathIgnoringCase(path_ + varnoke::kLocalSeparator + "runtime" + varnoke::kLocalSeparator
                                            + "geometries");
}
