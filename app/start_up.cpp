#include "app/start_up.h"

#include "app/phi_form.h"
#include "ui/prompts.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

const char* const kStartUsage = R"(Usage:
  varnoke [--] [FILE...]
  varnoke --help | --version

Starts the desktop program and opens FILE as if it had been dropped on the window
(of several files, the first). Put varnoke in your Poser folder, beside POSER.EXE.
)";

} // namespace

StartCommand ParseStartCommand(const QStringList& arguments, const QString& workingFolder)
{
    StartCommand command;
    QStringList files;
    bool optionsEnded = false;
    for (const QString& argument : arguments) {
        if (optionsEnded || !argument.startsWith(u'-') || argument == QStringLiteral("-")) {
            files << argument;
        } else if (argument == QStringLiteral("--")) {
            optionsEnded = true;
        } else if (argument == QStringLiteral("--help") || argument == QStringLiteral("-h")) {
            return { StartCommand::Action::Help, {}, {} };
        } else if (argument == QStringLiteral("--version")) {
            return { StartCommand::Action::Version, {}, {} };
        } else {
            return { StartCommand::Action::Wrong, {}, QStringLiteral("unknown option '%1'").arg(argument) };
        }
    }
    if (!files.isEmpty() && !files.constFirst().isEmpty()) {
        const QString absolute = QDir::cleanPath(QDir(workingFolder).absoluteFilePath(files.constFirst()));
        command.file = QDir::toNativeSeparators(absolute);
    }
    return command;
}

QString StartCommandText(const StartCommand& command)
{
    switch (command.action) {
    case StartCommand::Action::Help:
        return QString::fromLatin1(kStartUsage);
    case StartCommand::Action::Version:
        return QStringLiteral("varnoke 2.0\n");
    case StartCommand::Action::Wrong:
        return QStringLiteral("varnoke: %1\n\n%2").arg(command.error, QString::fromLatin1(kStartUsage));
    case StartCommand::Action::Run:
        break;
    }
    return {};
}

int ReportStartCommand(const StartCommand& command)
{
    const bool wrong = command.action == StartCommand::Action::Wrong;
    const QString text = StartCommandText(command);
#ifdef _WIN32
    // Started from a console, a window program writes to it only once attached.
    if (::GetStdHandle(wrong ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE) == nullptr
        && ::AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::FILE* ignored = nullptr;
        freopen_s(&ignored, "CONOUT$", "w", wrong ? stderr : stdout);
    }
#endif
    const QByteArray bytes = text.toLocal8Bit();
    std::FILE* stream = wrong ? stderr : stdout;
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
#ifdef _WIN32
    QMessageBox box(wrong ? QMessageBox::Warning : QMessageBox::Information, QStringLiteral("Varnoke"), text.trimmed(),
                    QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    // The usage lines line up only in a fixed-width font.
    box.setStyleSheet(QStringLiteral("QLabel { font-family: monospace; }"));
    box.exec();
#endif
    return wrong ? 2 : 0;
}

std::optional<QString> UnusableFolderMessage(const QString& path, bool pathsAreLatin1)
{
    if (!pathsAreLatin1)
        return std::nullopt;
    const QString native = QDir::toNativeSeparators(path);
    const auto beyond = std::find_if(native.cbegin(), native.cend(), [](QChar c) { return c.unicode() > 0xFF; });
    if (beyond == native.cend())
        return std::nullopt;
    // The folder (or file) is the path up to the end of the name that holds the character.
    const qsizetype end = native.indexOf(QRegularExpression(QStringLiteral("[/\\\\]")), beyond - native.cbegin());
    const QString folder = end < 0 ? native : native.left(end);
    return QStringLiteral("Varnoke cannot use %1: its name holds a character beyond the Western European "
                          "letters ('%2'). Move it, or rename it, so that its name and the names of the "
                          "folders above it use only those letters.")
        .arg(folder, *beyond);
}

void OpenStartFile(TPHIForm& form, Prompts& prompts, const QString& programFolder, const QString& file)
{
    if (const std::optional<QString> message = UnusableFolderMessage(programFolder))
        prompts.Message(&form, *message);
    if (file.isEmpty())
        return;
    // As a drop is: its long work shows progress and may be cancelled.
    form.RunCommand([&] { form.HandleDroppedFiles({ file }); });
}
