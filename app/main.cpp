#include "app/command_error.h"
#include "app/phi_form.h"
#include "ui/prompts.h"
#include "ui/settings.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnoke"));
    QApplication::setOrganizationName(QStringLiteral("Varnoke"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/varnoke.svg")));
    ScreenPrompts prompts;
    StoredSettings settings;
    try {
        TPHIForm window(prompts, settings, QApplication::applicationFilePath());
        window.show();
        QApplication::exec();
    } catch (const std::exception& error) {
        // An error that escapes start-up is shown, and the program still ends normally.
        prompts.Error(nullptr, ErrorBoxText(QString::fromLocal8Bit(error.what())));
    }
    return 0;
}
