#include "dialogs/edit_level_form.h"

#include "ui/browse_obj_file.h"
#include "ui/field_check.h"
#include "ui/prompts.h"
#include "ui/text_conversions.h"
#include "ui/widget_looks.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TEditLevelForm::TEditLevelForm(Prompts& prompts, const PoserFolder& poserFolder, QWidget* parent)
    : FixedDialog(parent)
    , prompts_(prompts)
    , poserFolder_(poserFolder)
    , nameLabel_(new QLabel(QStringLiteral("&Part Name"), this))
    , nameEdit_(new QLineEdit(this))
    , rotationGroup_(new QGroupBox(QStringLiteral("&Rotation Order"), this))
    , rotationButtons_(new QButtonGroup(this))
    , curvedCheckBox_(new QCheckBox(QStringLiteral("C&urved Joint"), this))
    , objLabel_(new QLabel(QStringLiteral("OBJ &File"), this))
    , objEdit_(new QLineEdit(this))
    , browseButton_(new QPushButton(QStringLiteral("&Browse..."), this))
    , okButton_(new QPushButton(QStringLiteral("&OK"), this))
    , cancelButton_(new QPushButton(QStringLiteral("&Cancel"), this))
{
    setObjectName(QStringLiteral("EditLevelForm"));
    setWindowTitle(QStringLiteral("Edit Hierarchy"));
    nameLabel_->setObjectName(QStringLiteral("Label1"));
    nameEdit_->setObjectName(QStringLiteral("NameEdit"));
    rotationGroup_->setObjectName(QStringLiteral("RotationGroup"));
    curvedCheckBox_->setObjectName(QStringLiteral("CurvedCheckBox"));
    objLabel_->setObjectName(QStringLiteral("Label2"));
    objEdit_->setObjectName(QStringLiteral("OBJEdit"));
    browseButton_->setObjectName(QStringLiteral("Button1"));
    okButton_->setObjectName(QStringLiteral("OKButton"));
    cancelButton_->setObjectName(QStringLiteral("CancelButton"));
    nameLabel_->setBuddy(nameEdit_);
    objLabel_->setBuddy(objEdit_);

    auto* rotations = new QGridLayout(rotationGroup_);
    rotations->setHorizontalSpacing(24);
    QWidget* previous = nameEdit_;
    for (int i = 0; i < static_cast<int>(varnoke::kRotationOrders.size()); ++i) {
        const std::string_view order = varnoke::kRotationOrders[static_cast<std::size_t>(i)];
        auto* button = new QRadioButton(ui::FromLatin1(order));
        button->setObjectName(button->text());
        rotationButtons_->addButton(button, i);
        rotations->addWidget(button, i / 3, i % 3);
        setTabOrder(previous, button);
        previous = button;
    }
    setTabOrder(previous, curvedCheckBox_);
    setTabOrder(curvedCheckBox_, objEdit_);
    setTabOrder(objEdit_, browseButton_);
    setTabOrder(browseButton_, okButton_);
    setTabOrder(okButton_, cancelButton_);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLabel_);
    nameRow->addWidget(nameEdit_, 1);
    auto* objRow = new QHBoxLayout;
    objRow->addWidget(objLabel_);
    objRow->addStretch(1);
    objRow->addWidget(browseButton_);
    auto* form = new QVBoxLayout(this);
    form->addLayout(nameRow);
    form->addWidget(rotationGroup_);
    form->addWidget(curvedCheckBox_);
    form->addSpacing(4);
    form->addLayout(objRow);
    form->addWidget(objEdit_);
    form->addSpacing(8);
    form->addLayout(ui::ButtonRow({ okButton_, cancelButton_ }));
    objEdit_->setMinimumWidth(300);
    form->setSizeConstraint(QLayout::SetFixedSize);

    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &TEditLevelForm::OKButtonClick);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(browseButton_, &QPushButton::clicked, this, &TEditLevelForm::Button1Click);
    connect(rotationButtons_, &QButtonGroup::idToggled, this, [this] { UpdateRotationTabStop(); });
    rotationGroup_->installEventFilter(this);
}

QAbstractButton* TEditLevelForm::RotationTabStop() const
{
    QAbstractButton* checked = rotationButtons_->checkedButton();
    return checked ? checked : rotationButtons_->button(0);
}

void TEditLevelForm::UpdateRotationTabStop()
{
    // The group is one stop of the Tab key, at its selected order; the arrow keys move
    // within it.
    QAbstractButton* stop = RotationTabStop();
    for (QAbstractButton* button : rotationButtons_->buttons())
        button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

void TEditLevelForm::SetValues(const varnoke::LevelDialogValues& values)
{
    nameEdit_->setText(ui::FromLatin1(values.name));
    if (QAbstractButton* button = rotationButtons_->button(values.rotation)) {
        button->setChecked(true);
    } else {
        // An exclusive group keeps one button checked; none may be.
        rotationButtons_->setExclusive(false);
        for (QAbstractButton* each : rotationButtons_->buttons())
            each->setChecked(false);
        rotationButtons_->setExclusive(true);
    }
    curvedCheckBox_->setChecked(values.curved);
    objEdit_->setText(ui::FromLatin1(values.objPath));
    UpdateRotationTabStop();
}

varnoke::LevelDialogValues TEditLevelForm::Values() const
{
    return { ui::ToLatin1(nameEdit_->text()), rotationButtons_->checkedId(), curvedCheckBox_->isChecked(),
             ui::ToLatin1(objEdit_->text()) };
}

void TEditLevelForm::OKButtonClick()
{
    if (const auto refusal = varnoke::LevelDialogCheck(Values())) {
        prompts_.Message(this, ui::FromLatin1(refusal->message));
        if (refusal->field == varnoke::LevelField::name)
            nameEdit_->setFocus();
        else
            RotationTabStop()->setFocus();
        return;
    }
    if (ui::RefusesFieldText(prompts_, this, *nameLabel_, ui::FieldText::oneWord)
        || ui::RefusesFieldText(prompts_, this, *objLabel_, ui::FieldText::oneWord))
        return;
    accept();
}

void TEditLevelForm::Button1Click()
{
    if (const std::optional<QString> path = ui::BrowseObjFile(prompts_, this, poserFolder_, objEdit_->text(), true))
        objEdit_->setText(*path);
}

bool TEditLevelForm::eventFilter(QObject* watched, QEvent* event)
{
    // The group's Alt letter goes to its tab stop; the group itself would pick the order
    // that last had the focus, which SetValues may since have unselected.
    if (watched == rotationGroup_ && event->type() == QEvent::Shortcut) {
        RotationTabStop()->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    return FixedDialog::eventFilter(watched, event);
}

void TEditLevelForm::showEvent(QShowEvent* event)
{
    FixedDialog::showEvent(event);
    nameEdit_->setFocus();
    nameEdit_->selectAll();
}
