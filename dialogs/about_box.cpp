#include "dialogs/about_box.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowCloseButtonHint)
    , Label1(new QLabel(QStringLiteral("Varnoke V2.0"), this))
    , Button1(new QPushButton(QStringLiteral("&OK"), this))
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About Varnoke"));
    setFixedSize(260, 173);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    // Wide enough for any font, centred where the fixed layout puts the label.
    Label1->setGeometry(10, 8, 240, 17);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(92, 144, 75, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::showEvent(QShowEvent* event)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    Button1->setFocus();
    QDialog::showEvent(event);
}
