#include "ui/prompts.h"

#include "ui/file_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <limits>

namespace {

const QString kCaption = QStringLiteral("Varnoke");
constexpr int kInputBoxCharacters = 60;
constexpr int kTitleBarButtons = 120;

// Wide enough for a caption beside the title bar's buttons, and for a Poser path.
int BoxWidth(const QWidget& box, const QString& caption)
{
    const QFontMetrics metrics(box.font());
    return std::max(metrics.horizontalAdvance(QLatin1Char('x')) * kInputBoxCharacters,
                    metrics.horizontalAdvance(caption) + kTitleBarButtons);
}

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& text)
{
    QMessageBox box(icon, kCaption, text, QMessageBox::Ok, parent);
    box.exec();
}

std::optional<FileDialogAnswer> RunFileDialog(QWidget* parent, const FileDialogRequest& request,
                                              QFileDialog::AcceptMode mode)
{
    FileDialog dialog(parent, request.title, request.directory);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(request.filters);
    if (!request.selectedFilter.isEmpty())
        dialog.selectNameFilter(request.selectedFilter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // The window asks itself, also about a name that differs from a file only in letter case.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return FileDialogAnswer { dialog.selectedFiles().constFirst(), dialog.selectedNameFilter() };
}

} // namespace

void ScreenPrompts::Message(QWidget* parent, const QString& text)
{
    ShowBox(parent, QMessageBox::NoIcon, text);
}

void ScreenPrompts::Error(QWidget* parent, const QString& text)
{
    ShowBox(parent, QMessageBox::Critical, text);
}

Prompts::Answer ScreenPrompts::Confirm(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes)
        return Answer::Yes;
    if (box.clickedButton() == no)
        return Answer::No;
    return Answer::Cancel;
}

bool ScreenPrompts::ConfirmYesNo(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

std::optional<FileDialogAnswer> ScreenPrompts::OpenFile(QWidget* parent, const FileDialogRequest& request)
{
    return RunFileDialog(parent, request, QFileDialog::AcceptOpen);
}

std::optional<FileDialogAnswer> ScreenPrompts::SaveFile(QWidget* parent, const FileDialogRequest& request)
{
    return RunFileDialog(parent, request, QFileDialog::AcceptSave);
}

bool ScreenPrompts::ConfirmReplace(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    // The box fits its text, whatever its title: the least width it keeps is a row of its own.
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    grid->addItem(new QSpacerItem(BoxWidth(box, title), 0, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
    return box.exec() == QMessageBox::Yes;
}

int ScreenPrompts::ShowModal(QDialog& dialog)
{
    return dialog.exec();
}

std::optional<QString> ScreenPrompts::InputBox(QWidget* parent, const InputBoxContent& request)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(request.caption);
    dialog.setLabelText(request.prompt);
    // Pasted text is taken whole, not cut at the line edit's usual 32,767 characters. The
    // line edit is there once the dialog holds a text.
    dialog.setTextValue(QString());
    auto* edit = dialog.findChild<QLineEdit*>();
    edit->setMaxLength(std::numeric_limits<int>::max());
    dialog.setTextValue(request.text);
    edit->setMinimumWidth(BoxWidth(dialog, request.caption));
    if (request.selection)
        QTimer::singleShot(
            0, edit, [edit, selection = *request.selection] { edit->setSelection(selection.first, selection.second); });
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> ScreenPrompts::ChooseFolder(QWidget* parent, const QString& title, const QString& directory)
{
    // Qt's own dialog, which takes one more button: the way back.
    QFileDialog dialog(parent, title, directory);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    bool programFolder = false;
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        QPushButton* back = buttons->addButton(QStringLiteral("&Program's Folder"), QDialogButtonBox::ResetRole);
        back->setToolTip(QStringLiteral("Use the folder Varnoke is in"));
        QObject::connect(back, &QPushButton::clicked, &dialog, [&] {
            programFolder = true;
            static_cast<QDialog&>(dialog).done(QDialog::Accepted);
        });
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    if (programFolder)
        return QString();
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.constFirst();
}
