#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class Prompts;
class TPHIForm;

// What the desktop program's command line asks for:
//   varnoke [--] [FILE...]   opens the first FILE at start-up, as a drop on the window would
//   varnoke --help | --version
struct StartCommand {
    enum class Action { Run, Help, Version, Wrong };
    Action action = Action::Run;
    QString file; // absolute, native separators; empty when none was given
    QString error; // what is wrong with the command line
};

// The arguments without the program's name; a relative FILE is taken from workingFolder.
StartCommand ParseStartCommand(const QStringList& arguments, const QString& workingFolder);

// The text --help, --version or a wrong command line prints.
QString StartCommandText(const StartCommand& command);

// Prints that text (a wrong command line to standard error) and, on Windows, where a window
// program has no console, shows it in a box too; returns the exit status. Needs a
// QApplication on Windows only.
int ReportStartCommand(const StartCommand& command);

#ifdef _WIN32
inline constexpr bool kPathsAreLatin1 = true;
#else
inline constexpr bool kPathsAreLatin1 = false;
#endif

// On Windows the core keeps a path as one byte a character (Latin-1), so a character beyond
// that cannot be opened: the message naming the first folder of path (or path itself)
// whose name holds one. None where paths are bytes of their own (POSIX).
std::optional<QString> UnusableFolderMessage(const QString& path, bool pathsAreLatin1 = kPathsAreLatin1);

// After start-up: says once if the program's folder cannot be used, then opens file (if
// any) as a dropped file; a failure shows its error box and leaves the empty document.
void OpenStartFile(TPHIForm& form, Prompts& prompts, const QString& programFolder, const QString& file);
