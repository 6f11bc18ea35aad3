#include "ui/fixed_dialog.h"

#include "ui/widget_looks.h"

FixedDialog::FixedDialog(QWidget* parent)
    : QDialog(parent, ui::kFixedDialogFlags)
{
}

void FixedDialog::done(int result)
{
    closedAt_ = frameGeometry().topLeft();
    QDialog::done(result);
}

void FixedDialog::showEvent(QShowEvent* event)
{
    if (closedAt_)
        move(*closedAt_);
    QDialog::showEvent(event);
}
