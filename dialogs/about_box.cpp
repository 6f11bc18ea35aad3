#include "dialogs/about_box.h"

#include "ui/widget_looks.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, ui::kFixedDialogFlags)
    , nameLabel_(new QLabel(QStringLiteral("Varnoke V2.0"), this))
    , okButton_(new QPushButton(QStringLiteral("&OK"), this))
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About Varnoke"));
    setFixedSize(260, 173);
    nameLabel_->setObjectName(QStringLiteral("Label1"));
    nameLabel_->setAlignment(Qt::AlignCenter);
    // Wide enough for any font, centred where the fixed layout puts the label.
    nameLabel_->setGeometry(10, 8, 240, 17);
    okButton_->setObjectName(QStringLiteral("Button1"));
    okButton_->setGeometry(92, 144, 75, 25);
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::showEvent(QShowEvent* event)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    okButton_->setFocus();
    QDialog::showEvent(event);
}
