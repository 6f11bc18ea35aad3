#include "app/command_error.h"
#include "app/forms.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnoke"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/varnoke.svg")));
    ScreenPrompts prompts;
    try {
        VarnokeForms forms = CreateForms(prompts, QApplication::applicationFilePath());
        forms.PHIForm->show();
        QApplication::exec();
    } catch (const std::exception& error) {
        // An error that escapes start-up is shown, and the program still ends normally.
        prompts.Error(nullptr, ErrorBoxText(QString::fromLocal8Bit(error.what())));
    }
    return 0;
}
