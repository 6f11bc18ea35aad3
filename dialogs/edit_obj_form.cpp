#include "dialogs/edit_obj_form.h"

#include "dialogs/dialog_support.h"
#include "dialogs/prompts.h"
#include "tree/obj_file_edit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using dialog_support::FromLatin1;
using dialog_support::ToLatin1;

TEditOBJForm::TEditOBJForm(Prompts& prompts, const QString& programFolder, QWidget* parent)
    : QDialog(parent, dialog_support::kFixedDialogFlags)
    , Label1(new QLabel(QStringLiteral("OBJ Filename"), this))
    , OBJEdit(new QLineEdit(this))
    , Button1(new QPushButton(QStringLiteral("Browse..."), this))
    , OKButton(new QPushButton(QStringLiteral("&OK"), this))
    , CancelButton(new QPushButton(QStringLiteral("&Cancel"), this))
    , prompts_(prompts)
    , programFolder_(programFolder)
{
    setObjectName(QStringLiteral("EditOBJForm"));
    setWindowTitle(QStringLiteral("Edit objForm"));
    Label1->setObjectName(QStringLiteral("Label1"));
    OBJEdit->setObjectName(QStringLiteral("OBJEdit"));
    Button1->setObjectName(QStringLiteral("Button1"));
    OKButton->setObjectName(QStringLiteral("OKButton"));
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    setTabOrder(OBJEdit, Button1);
    setTabOrder(Button1, OKButton);
    setTabOrder(OKButton, CancelButton);

    auto* labelRow = new QHBoxLayout;
    labelRow->addWidget(Label1);
    labelRow->addStretch(1);
    labelRow->addWidget(Button1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto* form = new QVBoxLayout(this);
    form->addLayout(labelRow);
    form->addWidget(OBJEdit);
    form->addSpacing(8);
    form->addLayout(buttons);
    OBJEdit->setMinimumWidth(360);
    form->setSizeConstraint(QLayout::SetFixedSize);

    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &TEditOBJForm::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button1, &QPushButton::clicked, this, &TEditOBJForm::Button1Click);
}

void TEditOBJForm::SetPath(const std::string& path)
{
    OBJEdit->setText(FromLatin1(path));
}

std::string TEditOBJForm::Path() const
{
    return ToLatin1(OBJEdit->text());
}

void TEditOBJForm::OKButtonClick()
{
    if (const std::optional<std::string> message = varnoke::ObjFileDialogCheck(Path()))
        prompts_.Message(this, FromLatin1(*message));
    else
        accept();
}

void TEditOBJForm::Button1Click()
{
    if (const std::optional<QString> path
        = dialog_support::BrowseObjFile(prompts_, this, programFolder_, OBJEdit->text(), false))
        OBJEdit->setText(*path);
}

void TEditOBJForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    OKButton->setFocus();
}
