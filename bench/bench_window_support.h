#pragma once

// The answers to the window's questions for its benchmarks.

#include "bench_support.h"
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
