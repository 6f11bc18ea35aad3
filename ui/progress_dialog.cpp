#include "ui/progress_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

ProgressDialog::ProgressDialog(QWidget* parent)
    : QDialog(parent)
    , label_(new QLabel(this))
    , bar_(new QProgressBar(this))
{
    setObjectName(QStringLiteral("ProgressDialog"));
    setWindowTitle(QStringLiteral("Varnoke"));
    setWindowModality(Qt::WindowModal);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    // A long path is shown whole, on as many lines as it takes.
    label_->setWordWrap(true);
    label_->setTextFormat(Qt::PlainText);
    label_->setMinimumWidth(360);
    bar_->setRange(0, 1000);
    bar_->setTextVisible(false);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelButton"));
    connect(buttons, &QDialogButtonBox::rejected, this, &ProgressDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(bar_);
    layout->addWidget(buttons);
}

void ProgressDialog::Show(const QString& text, std::optional<int> perMille)
{
    label_->setText(text);
    if (perMille) {
        bar_->setRange(0, 1000);
        bar_->setValue(*perMille);
    } else {
        bar_->setRange(0, 0);
    }
    if (!isVisible())
        show();
}

void ProgressDialog::reject()
{
    // The work stops at its next report; the dialog goes when it has.
    cancelAsked_ = true;
}
