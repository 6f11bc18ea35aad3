#pragma once

#include <QString>
#include <Qt>

#include <optional>
#include <string>
#include <string_view>

class QWidget;
class Prompts;

// What the edit dialogs share.
namespace dialog_support {

// A dialog with a fixed border: a caption and a close box, no maximize box.
inline constexpr Qt::WindowFlags kFixedDialogFlags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
    | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// The document's bytes are Latin-1.
QString FromLatin1(std::string_view text);
std::string ToLatin1(const QString& text);

// A file name as the core holds it, as bytes, and back: the core's one rule for every
// platform (on Windows each byte stands for the Latin-1 character of its number).
std::string CorePath(const QString& path);
QString FromCorePath(std::string_view path);

// Browse for an OBJ file, starting where the Poser path points under the program's
// folder (in the geometry folder when the path is empty). Gives the chosen file's
// Poser path, or none when the file dialog is cancelled.
std::optional<QString> BrowseObjFile(Prompts& prompts, QWidget* parent, const QString& programFolder,
                                     const QString& poserPath, bool mustExist);

} // namespace dialog_support
