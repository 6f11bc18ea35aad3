#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

class QDialog;
class QWidget;

// What a file dialog is asked for, and what it remembers between uses.
struct FileDialogRequest {
    QString title; // given always: a native dialog of Windows has none of its own
    QStringList filters; // "Poser Hierarchy (*.PHI)", ...
    QString selectedFilter;
    QString defaultSuffix;
    QString directory;
    QString fileName;
    bool mustExist = false;
};

// What an input box shows: its caption, its prompt, the text to edit and the part of
// it selected when the box opens (all of it when none is given).
struct InputBoxContent {
    QString caption;
    QString prompt;
    QString text;
    std::optional<std::pair<qsizetype, qsizetype>> selection; // start and length
};

struct FileDialogAnswer {
    QString path; // absolute
    QString filter;
};

// Every modal interaction of the window goes through here, so tests answer from a
// script what a person answers on screen.
class Prompts {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Prompts() = default;
    // A plain message: caption "Varnoke", no icon, one OK button.
    virtual void Message(QWidget* parent, const QString& text) = 0;
    // An error box: caption "Varnoke", error icon, one OK button.
    virtual void Error(QWidget* parent, const QString& text) = 0;
    // The question "Save Changes?" and its like: caption "Confirm", Yes, No and Cancel.
    virtual Answer Confirm(QWidget* parent, const QString& text) = 0;
    // A question with only "&Yes" (the default) and "&No" (also Escape): caption "Confirm".
    virtual bool ConfirmYesNo(QWidget* parent, const QString& text) = 0;
    virtual std::optional<FileDialogAnswer> OpenFile(QWidget* parent, const FileDialogRequest& request) = 0;
    // Asks nothing about an existing file: the caller does, with ConfirmReplace.
    virtual std::optional<FileDialogAnswer> SaveFile(QWidget* parent, const FileDialogRequest& request) = 0;
    // The save dialog's question before a file is replaced, under the dialog's title:
    // a warning icon, "&Yes" and "&No", which is the default and Escape's answer.
    virtual bool ConfirmReplace(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual int ShowModal(QDialog& dialog) = 0;
    // A one-line input box with OK and Cancel; none after Cancel.
    virtual std::optional<QString> InputBox(QWidget* parent, const InputBoxContent& request) = 0;
    // A folder chooser starting in directory, which also offers the way back to the
    // program's folder: the folder chosen, an empty path for that way back, none after Cancel.
    virtual std::optional<QString> ChooseFolder(QWidget* parent, const QString& title, const QString& directory) = 0;
};

// The real boxes and dialogs.
class ScreenPrompts final : public Prompts {
public:
    void Message(QWidget* parent, const QString& text) override;
    void Error(QWidget* parent, const QString& text) override;
    Answer Confirm(QWidget* parent, const QString& text) override;
    bool ConfirmYesNo(QWidget* parent, const QString& text) override;
    std::optional<FileDialogAnswer> OpenFile(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<FileDialogAnswer> SaveFile(QWidget* parent, const FileDialogRequest& request) override;
    bool ConfirmReplace(QWidget* parent, const QString& title, const QString& text) override;
    int ShowModal(QDialog& dialog) override;
    std::optional<QString> InputBox(QWidget* parent, const InputBoxContent& request) override;
    std::optional<QString> ChooseFolder(QWidget* parent, const QString& title, const QString& directory) override;
};
