#include "app/command_error.h"
#include "app/document.h"
#include "app/phi_form.h"
#include "app/start_up.h"
#include "files/size_limit_signal.h"
#include "ui/prompts.h"
#include "ui/settings.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    varnoke::files::LetWritesFailAtSizeLimit();
    // --help and --version need no display, except on Windows where they show a box.
    QStringList early;
    for (int i = 1; i < argc; ++i)
        early << QString::fromLocal8Bit(argv[i]);
    if (const StartCommand command = ParseStartCommand(early, QString()); command.action != StartCommand::Action::Run) {
#ifdef _WIN32
        QApplication application(argc, argv);
#endif
        return ReportStartCommand(command);
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnoke"));
    QApplication::setOrganizationName(QStringLiteral("Varnoke"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/varnoke.svg")));
    ScreenPrompts prompts;
    StoredSettings settings;
    try {
        // Made first and gone last: the window and every view only show it.
        Document document(QApplication::applicationFilePath());
        TPHIForm window(prompts, settings, document);
        window.show();
        const StartCommand command = ParseStartCommand(QApplication::arguments().mid(1), QDir::currentPath());
        OpenStartFile(window, prompts, QApplication::applicationDirPath(), command.file);
        QApplication::exec();
    } catch (const std::exception& error) {
        // An error that escapes start-up is shown, and the program still ends normally.
        prompts.Error(nullptr, ErrorBoxText(QString::fromLocal8Bit(error.what())));
    }
    return 0;
}
