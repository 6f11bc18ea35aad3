#pragma once

#include <QString>

#include <optional>

class PoserFolder;
class Prompts;
class QWidget;

namespace ui {

// An OBJ file outside any Runtime folder, which Poser would not find, is refused with a
// message naming it.
bool RefusesObjOutsideRuntime(Prompts& prompts, QWidget* parent, const QString& path);

// Browse for an OBJ file, starting where the Poser path points under the Poser folder
// (in the geometry folder when the path is empty). Gives the chosen file's Poser path,
// or none when the file dialog is cancelled.
std::optional<QString> BrowseObjFile(Prompts& prompts, QWidget* parent, const PoserFolder& folder,
                                     const QString& poserPath, bool mustExist);

} // namespace ui
