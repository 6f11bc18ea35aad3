#pragma once

// What the window's benchmarks share: the answers to the window's questions, and the
// offscreen platform with the toolkit's notes kept out of the results.

#include "ui/prompts.h"

#include <QDialog>

#include <cstdio>

// Every question answered alike (Yes or No), every dialog cancelled; counts the error boxes.
class FixedAnswers final : public Prompts {
public:
    explicit FixedAnswers(bool yes)
        : yes_(yes)
    {
    }
    void Message(QWidget*, const QString&) override { }
    void Error(QWidget*, const QString& text) override
    {
        ++errors;
        std::fprintf(stderr, "error box: %s\n", qPrintable(text));
    }
    Answer Confirm(QWidget*, const QString&) override { return yes_ ? Answer::Yes : Answer::No; }
    bool ConfirmYesNo(QWidget*, const QString&) override { return yes_; }
    std::optional<FileDialogAnswer> OpenFile(QWidget*, const FileDialogRequest&) override { return std::nullopt; }
    std::optional<FileDialogAnswer> SaveFile(QWidget*, const FileDialogRequest&) override { return std::nullopt; }
    bool ConfirmReplace(QWidget*, const QString&, const QString&) override { return yes_; }
    int ShowModal(QDialog&) override { return QDialog::Rejected; }
    std::optional<QString> InputBox(QWidget*, const InputBoxContent&) override { return std::nullopt; }
    std::optional<QString> ChooseFolder(QWidget*, const QString&, const QString&) override { return std::nullopt; }

    int errors = 0;

private:
    bool yes_;
};

// The offscreen platform unless told otherwise; only critical notes of the toolkit shown.
inline void QuietOffscreen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });
}
