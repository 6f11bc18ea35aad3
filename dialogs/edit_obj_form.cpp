#include "dialogs/edit_obj_form.h"

#include "tree/obj_file_edit.h"
#include "ui/browse_obj_file.h"
#include "ui/field_check.h"
#include "ui/prompts.h"
#include "ui/text_conversions.h"
#include "ui/widget_looks.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TEditOBJForm::TEditOBJForm(Prompts& prompts, const PoserFolder& poserFolder, QWidget* parent)
    : FixedDialog(parent)
    , prompts_(prompts)
    , poserFolder_(poserFolder)
    , objLabel_(new QLabel(QStringLiteral("OBJ &Filename"), this))
    , objEdit_(new QLineEdit(this))
    , browseButton_(new QPushButton(QStringLiteral("&Browse..."), this))
    , okButton_(new QPushButton(QStringLiteral("&OK"), this))
    , cancelButton_(new QPushButton(QStringLiteral("&Cancel"), this))
{
    setObjectName(QStringLiteral("EditOBJForm"));
    setWindowTitle(QStringLiteral("Edit objForm"));
    objLabel_->setObjectName(QStringLiteral("Label1"));
    objEdit_->setObjectName(QStringLiteral("OBJEdit"));
    browseButton_->setObjectName(QStringLiteral("Button1"));
    okButton_->setObjectName(QStringLiteral("OKButton"));
    cancelButton_->setObjectName(QStringLiteral("CancelButton"));
    objLabel_->setBuddy(objEdit_);
    setTabOrder(objEdit_, browseButton_);
    setTabOrder(browseButton_, okButton_);
    setTabOrder(okButton_, cancelButton_);

    auto* labelRow = new QHBoxLayout;
    labelRow->addWidget(objLabel_);
    labelRow->addStretch(1);
    labelRow->addWidget(browseButton_);
    auto* form = new QVBoxLayout(this);
    form->addLayout(labelRow);
    form->addWidget(objEdit_);
    form->addSpacing(8);
    form->addLayout(ui::ButtonRow({ okButton_, cancelButton_ }));
    objEdit_->setMinimumWidth(360);
    form->setSizeConstraint(QLayout::SetFixedSize);

    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &TEditOBJForm::OKButtonClick);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(browseButton_, &QPushButton::clicked, this, &TEditOBJForm::Button1Click);
}

void TEditOBJForm::SetPath(const std::string& path)
{
    objEdit_->setText(ui::FromLatin1(path));
}

std::string TEditOBJForm::Path() const
{
    return ui::ToLatin1(objEdit_->text());
}

void TEditOBJForm::OKButtonClick()
{
    if (const std::optional<std::string> message = varnoke::ObjFileDialogCheck(Path())) {
        prompts_.Message(this, ui::FromLatin1(*message));
        objEdit_->setFocus();
        return;
    }
    if (!ui::RefusesFieldText(prompts_, this, *objLabel_, ui::FieldText::anyText))
        accept();
}

void TEditOBJForm::Button1Click()
{
    if (const std::optional<QString> path = ui::BrowseObjFile(prompts_, this, poserFolder_, objEdit_->text(), false))
        objEdit_->setText(*path);
}

void TEditOBJForm::showEvent(QShowEvent* event)
{
    FixedDialog::showEvent(event);
    okButton_->setFocus();
}
