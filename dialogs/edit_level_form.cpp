#include "dialogs/edit_level_form.h"

#include "dialogs/dialog_support.h"
#include "dialogs/prompts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using dialog_support::FromLatin1;
using dialog_support::ToLatin1;

TEditLevelForm::TEditLevelForm(Prompts& prompts, const QString& programFolder, QWidget* parent)
    : QDialog(parent, dialog_support::kFixedDialogFlags)
    , Label1(new QLabel(QStringLiteral("Part Name"), this))
    , NameEdit(new QLineEdit(this))
    , RotationGroup(new QGroupBox(QStringLiteral("Rotation Order"), this))
    , RotationButtons(new QButtonGroup(this))
    , CurvedCheckBox(new QCheckBox(QStringLiteral("Curved Joint"), this))
    , Label2(new QLabel(QStringLiteral("OBJ File"), this))
    , OBJEdit(new QLineEdit(this))
    , Button1(new QPushButton(QStringLiteral("Browse..."), this))
    , OKButton(new QPushButton(QStringLiteral("&OK"), this))
    , CancelButton(new QPushButton(QStringLiteral("&Cancel"), this))
    , prompts_(prompts)
    , programFolder_(programFolder)
{
    setObjectName(QStringLiteral("EditLevelForm"));
    setWindowTitle(QStringLiteral("Edit Hierarchy"));
    Label1->setObjectName(QStringLiteral("Label1"));
    NameEdit->setObjectName(QStringLiteral("NameEdit"));
    RotationGroup->setObjectName(QStringLiteral("RotationGroup"));
    CurvedCheckBox->setObjectName(QStringLiteral("CurvedCheckBox"));
    Label2->setObjectName(QStringLiteral("Label2"));
    OBJEdit->setObjectName(QStringLiteral("OBJEdit"));
    Button1->setObjectName(QStringLiteral("Button1"));
    OKButton->setObjectName(QStringLiteral("OKButton"));
    CancelButton->setObjectName(QStringLiteral("CancelButton"));

    auto* rotations = new QGridLayout(RotationGroup);
    rotations->setHorizontalSpacing(24);
    QWidget* previous = NameEdit;
    for (int i = 0; i < static_cast<int>(varnoke::kRotationOrders.size()); ++i) {
        const std::string_view order = varnoke::kRotationOrders[static_cast<std::size_t>(i)];
        auto* button = new QRadioButton(FromLatin1(order));
        button->setObjectName(button->text());
        RotationButtons->addButton(button, i);
        rotations->addWidget(button, i / 3, i % 3);
        setTabOrder(previous, button);
        previous = button;
    }
    setTabOrder(previous, CurvedCheckBox);
    setTabOrder(CurvedCheckBox, OBJEdit);
    setTabOrder(OBJEdit, Button1);
    setTabOrder(Button1, OKButton);
    setTabOrder(OKButton, CancelButton);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(Label1);
    nameRow->addWidget(NameEdit, 1);
    auto* objRow = new QHBoxLayout;
    objRow->addWidget(Label2);
    objRow->addStretch(1);
    objRow->addWidget(Button1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto* form = new QVBoxLayout(this);
    form->addLayout(nameRow);
    form->addWidget(RotationGroup);
    form->addWidget(CurvedCheckBox);
    form->addSpacing(4);
    form->addLayout(objRow);
    form->addWidget(OBJEdit);
    form->addSpacing(8);
    form->addLayout(buttons);
    OBJEdit->setMinimumWidth(300);
    form->setSizeConstraint(QLayout::SetFixedSize);

    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &TEditLevelForm::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button1, &QPushButton::clicked, this, &TEditLevelForm::Button1Click);
}

void TEditLevelForm::SetValues(const varnoke::LevelDialogValues& values)
{
    NameEdit->setText(FromLatin1(values.name));
    if (QAbstractButton* button = RotationButtons->button(values.rotation)) {
        button->setChecked(true);
    } else {
        // An exclusive group keeps one button checked; none may be.
        RotationButtons->setExclusive(false);
        for (QAbstractButton* each : RotationButtons->buttons())
            each->setChecked(false);
        RotationButtons->setExclusive(true);
    }
    CurvedCheckBox->setChecked(values.curved);
    OBJEdit->setText(FromLatin1(values.objPath));
}

varnoke::LevelDialogValues TEditLevelForm::Values() const
{
    return { ToLatin1(NameEdit->text()), RotationButtons->checkedId(), CurvedCheckBox->isChecked(),
             ToLatin1(OBJEdit->text()) };
}

void TEditLevelForm::OKButtonClick()
{
    if (const std::optional<std::string> message = varnoke::LevelDialogCheck(Values()))
        prompts_.Message(this, FromLatin1(*message));
    else
        accept();
}

void TEditLevelForm::Button1Click()
{
    if (const std::optional<QString> path
        = dialog_support::BrowseObjFile(prompts_, this, programFolder_, OBJEdit->text(), true))
        OBJEdit->setText(*path);
}

void TEditLevelForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    NameEdit->setFocus();
    NameEdit->selectAll();
}
