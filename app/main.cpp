#include "app/command_error.h"
#include "app/forms.h"
#include "app/start_up.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>

int main(int argc, char* argv[])
{
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
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/varnoke.svg")));
    ScreenPrompts prompts;
    try {
        VarnokeForms forms = CreateForms(prompts, QApplication::applicationFilePath());
        forms.PHIForm->show();
        const StartCommand command = ParseStartCommand(QApplication::arguments().mid(1), QDir::currentPath());
        OpenStartFile(*forms.PHIForm, prompts, QApplication::applicationDirPath(), command.file);
        QApplication::exec();
    } catch (const std::exception& error) {
        // An error that escapes start-up is shown, and the program still ends normally.
        prompts.Error(nullptr, ErrorBoxText(QString::fromLocal8Bit(error.what())));
    }
    return 0;
}
