#pragma once

#include "ui/prompts.h"

#include <QApplication>

// The normal pointer for as long as it lives, over a busy cursor set before it, if any.
class NormalCursor {
public:
    NormalCursor()
        : pushed_(QApplication::overrideCursor() != nullptr)
    {
        if (pushed_)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~NormalCursor()
    {
        if (pushed_)
            QApplication::restoreOverrideCursor();
    }
    NormalCursor(const NormalCursor&) = delete;
    NormalCursor& operator=(const NormalCursor&) = delete;

private:
    bool pushed_;
};

// The prompts of a window whose commands show a busy cursor from start to end: while a
// box or a dialog waits for the user, the pointer is the normal one.
class CursorPrompts final : public Prompts {
public:
    explicit CursorPrompts(Prompts& prompts)
        : prompts_(prompts)
    {
    }

    void Message(QWidget* parent, const QString& text) override
    {
        const NormalCursor normal;
        prompts_.Message(parent, text);
    }
    void Error(QWidget* parent, const QString& text) override
    {
        const NormalCursor normal;
        prompts_.Error(parent, text);
    }
    Answer Confirm(QWidget* parent, const QString& text) override
    {
        const NormalCursor normal;
        return prompts_.Confirm(parent, text);
    }
    bool ConfirmYesNo(QWidget* parent, const QString& text) override
    {
        const NormalCursor normal;
        return prompts_.ConfirmYesNo(parent, text);
    }
    std::optional<FileDialogAnswer> OpenFile(QWidget* parent, const FileDialogRequest& request) override
    {
        const NormalCursor normal;
        return prompts_.OpenFile(parent, request);
    }
    std::optional<FileDialogAnswer> SaveFile(QWidget* parent, const FileDialogRequest& request) override
    {
        const NormalCursor normal;
        return prompts_.SaveFile(parent, request);
    }
    bool ConfirmReplace(QWidget* parent, const QString& title, const QString& text) override
    {
        const NormalCursor normal;
        return prompts_.ConfirmReplace(parent, title, text);
    }
    int ShowModal(QDialog& dialog) override
    {
        const NormalCursor normal;
        return prompts_.ShowModal(dialog);
    }
    std::optional<QString> InputBox(QWidget* parent, const InputBoxContent& request) override
    {
        const NormalCursor normal;
        return prompts_.InputBox(parent, request);
    }
    std::optional<QString> ChooseFolder(QWidget* parent, const QString& title, const QString& directory) override
    {
        const NormalCursor normal;
        return prompts_.ChooseFolder(parent, title, directory);
    }

private:
    Prompts& prompts_;
};
