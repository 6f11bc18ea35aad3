#pragma once

#include "ui/prompts.h"

#include <QApplication>
#include <QDialog>
#include <QList>
#include <QWidget>
#include <QtGlobal>

#include <deque>
#include <functional>

// A control by its name, which must be there.
template <typename T> T* Control(const QObject& parent, const QString& name)
{
    T* found = parent.findChild<T*>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

// Answers the window's questions and dialogs from queued answers and records every
// call; a question with no answer queued is recorded as unexpected.
class ScriptedPrompts final : public Prompts {
public:
    struct Call {
        QString kind; // Message, Error, Confirm, ConfirmYesNo, OpenFile, SaveFile, ConfirmReplace, ShowModal,
                      // InputBox, ChooseFolder (its title as text, its folder as the request's directory)
        QString text;
        FileDialogRequest request;
        bool parentShown = false;
        std::optional<std::pair<qsizetype, qsizetype>> selection; // of an input box
        bool busyCursor = false; // the pointer was the busy one when it was asked
    };

    QList<Call> calls;
    QStringList unexpected;
    std::deque<Answer> confirms;
    std::deque<bool> yesNos; // true: "&Yes"; also of ConfirmReplace
    std::deque<std::optional<FileDialogAnswer>> files;
    // What a shown dialog does before it closes, and its result; none queued: Accepted.
    std::deque<std::function<int(QDialog&)>> modals;
    // What an input box gives back; none for Cancel.
    std::deque<std::optional<QString>> inputs;
    // What a folder chooser gives back: a folder, empty for the program's, none for Cancel.
    std::deque<std::optional<QString>> folders;
    Prompts* saveDialog = nullptr; // when set, Save dialogs go to it (the real one)

    QStringList Texts(const QString& kind) const
    {
        QStringList texts;
        for (const Call& call : calls)
            texts << (call.kind == kind ? call.text : QString());
        texts.removeAll(QString());
        return texts;
    }

    void Message(QWidget* parent, const QString& text) override { Record(QStringLiteral("Message"), text, parent); }
    void Error(QWidget* parent, const QString& text) override { Record(QStringLiteral("Error"), text, parent); }
    Answer Confirm(QWidget* parent, const QString& text) override
    {
        Record(QStringLiteral("Confirm"), text, parent);
        if (confirms.empty()) {
            unexpected << QStringLiteral("Confirm: ") + text;
            return Answer::Cancel;
        }
        const Answer answer = confirms.front();
        confirms.pop_front();
        return answer;
    }
    bool ConfirmYesNo(QWidget* parent, const QString& text) override
    {
        return YesNo(QStringLiteral("ConfirmYesNo"), text, parent);
    }
    std::optional<FileDialogAnswer> OpenFile(QWidget* parent, const FileDialogRequest& request) override
    {
        return File(QStringLiteral("OpenFile"), parent, request);
    }
    std::optional<FileDialogAnswer> SaveFile(QWidget* parent, const FileDialogRequest& request) override
    {
        if (saveDialog) {
            Record(QStringLiteral("SaveFile"), request.title, parent, request);
            return saveDialog->SaveFile(parent, request);
        }
        return File(QStringLiteral("SaveFile"), parent, request);
    }
    bool ConfirmReplace(QWidget* parent, const QString& title, const QString& text) override
    {
        return YesNo(QStringLiteral("ConfirmReplace"), title + QLatin1Char('|') + text, parent);
    }
    int ShowModal(QDialog& dialog) override
    {
        Record(QStringLiteral("ShowModal"), dialog.windowTitle(), &dialog);
        if (modals.empty())
            return QDialog::Accepted;
        const std::function<int(QDialog&)> modal = modals.front();
        modals.pop_front();
        return modal(dialog);
    }
    std::optional<QString> InputBox(QWidget* parent, const InputBoxContent& box) override
    {
        Record(QStringLiteral("InputBox"), box.caption + QLatin1Char('|') + box.prompt + QLatin1Char('|') + box.text,
               parent);
        calls.back().selection = box.selection;
        if (inputs.empty()) {
            unexpected << QStringLiteral("InputBox: ") + box.caption;
            return std::nullopt;
        }
        const std::optional<QString> input = inputs.front();
        inputs.pop_front();
        return input;
    }

    std::optional<QString> ChooseFolder(QWidget* parent, const QString& title, const QString& directory) override
    {
        FileDialogRequest request;
        request.directory = directory;
        Record(QStringLiteral("ChooseFolder"), title, parent, request);
        if (folders.empty()) {
            unexpected << QStringLiteral("ChooseFolder: ") + title;
            return std::nullopt;
        }
        const std::optional<QString> folder = folders.front();
        folders.pop_front();
        return folder;
    }

private:
    void Record(const QString& kind, const QString& text, const QWidget* parent, const FileDialogRequest& request = {})
    {
        const QCursor* cursor = QApplication::overrideCursor();
        calls.push_back({ kind, text, request, parent && parent->isVisible(), std::nullopt,
                          cursor && cursor->shape() == Qt::WaitCursor });
    }
    bool YesNo(const QString& kind, const QString& text, const QWidget* parent)
    {
        Record(kind, text, parent);
        if (yesNos.empty()) {
            unexpected << kind + QStringLiteral(": ") + text;
            return false;
        }
        const bool yes = yesNos.front();
        yesNos.pop_front();
        return yes;
    }
    std::optional<FileDialogAnswer> File(const QString& kind, QWidget* parent, const FileDialogRequest& request)
    {
        Record(kind, request.title, parent, request);
        // A native dialog of Windows shows none of its own.
        if (request.title.isEmpty())
            unexpected << kind + QStringLiteral(" without a title");
        if (files.empty()) {
            unexpected << kind + QStringLiteral(": ") + request.title;
            return std::nullopt;
        }
        std::optional<FileDialogAnswer> answer = files.front();
        files.pop_front();
        return answer;
    }
};
