#include "dialogs/edit_ik_form.h"

#include "ui/field_check.h"
#include "ui/prompts.h"
#include "ui/text_conversions.h"
#include "ui/tree_selection.h"
#include "ui/widget_looks.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <functional>

namespace {

// A chain tree: read-only labels, one selected node that stays visible without the
// focus, and what runs after a left click has done its selecting.
class ChainTreeView final : public QTreeView {
public:
    ChainTreeView(std::function<void()> leftClicked, QWidget* parent)
        : QTreeView(parent)
        , leftClicked_(std::move(leftClicked))
    {
        setHeaderHidden(true);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setUniformRowHeights(true);
        ui::KeepSelectionVisible(*this);
        // Long labels are scrolled to, not cut.
        header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        header()->setStretchLastSection(false);
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QTreeView::resizeEvent(event);
        // A short label's row is still selected across the whole view.
        header()->setMinimumSectionSize(viewport()->width());
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        pressed_ = event->button() == Qt::LeftButton;
        // A click on empty space keeps the selection.
        if (indexAt(event->position().toPoint()).isValid())
            QTreeView::mousePressEvent(event);
        else
            event->accept();
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QTreeView::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && std::exchange(pressed_, false) && leftClicked_)
            leftClicked_();
    }

private:
    std::function<void()> leftClicked_;
    bool pressed_ = false;
};

} // namespace

TEditIKForm::TEditIKForm(Prompts& prompts, QWidget* parent)
    : FixedDialog(parent)
    , prompts_(prompts)
    , topModel_(chain_.topTree)
    , bottomModel_(chain_.bottomTree)
    , topEditor_(chain_.topTree, topModel_)
    , bottomEditor_(chain_.bottomTree, bottomModel_)
    , nameLabel_(new QLabel(QStringLiteral("&IK Chain Name"), this))
    , nameEdit_(new QLineEdit(this))
    , topLabel_(new QLabel(QStringLiteral("&First Node in IK Chain"), this))
    , topTree_(new ChainTreeView([this] { TopTVClick(); }, this))
    , bottomLabel_(new QLabel(QStringLiteral("&Last Node in IK Chain"), this))
    , bottomTree_(new ChainTreeView({}, this))
    , okButton_(new QPushButton(QStringLiteral("&OK"), this))
    , cancelButton_(new QPushButton(QStringLiteral("&Cancel"), this))
{
    setObjectName(QStringLiteral("EditIKForm"));
    setWindowTitle(QStringLiteral("Edit IK Chain"));
    nameLabel_->setObjectName(QStringLiteral("Label1"));
    nameEdit_->setObjectName(QStringLiteral("NameEdit"));
    topLabel_->setObjectName(QStringLiteral("Label2"));
    topTree_->setObjectName(QStringLiteral("TopTV"));
    bottomLabel_->setObjectName(QStringLiteral("Label3"));
    bottomTree_->setObjectName(QStringLiteral("BottomTV"));
    okButton_->setObjectName(QStringLiteral("OKButton"));
    cancelButton_->setObjectName(QStringLiteral("CancelButton"));
    nameLabel_->setBuddy(nameEdit_);
    topLabel_->setBuddy(topTree_);
    bottomLabel_->setBuddy(bottomTree_);
    topTree_->setModel(&topModel_);
    bottomTree_->setModel(&bottomModel_);
    setTabOrder(nameEdit_, topTree_);
    setTabOrder(topTree_, bottomTree_);
    setTabOrder(bottomTree_, okButton_);
    setTabOrder(okButton_, cancelButton_);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLabel_);
    nameRow->addWidget(nameEdit_);
    nameRow->addStretch(1);
    nameEdit_->setFixedWidth(180);
    auto* trees = new QGridLayout;
    trees->addWidget(topLabel_, 0, 0);
    trees->addWidget(topTree_, 1, 0);
    trees->addWidget(bottomLabel_, 0, 1);
    trees->addWidget(bottomTree_, 1, 1);
    for (QTreeView* tree : { topTree_, bottomTree_ })
        tree->setFixedSize(220, 280);
    auto* form = new QVBoxLayout(this);
    form->addLayout(nameRow);
    form->addSpacing(4);
    form->addLayout(trees);
    form->addSpacing(8);
    form->addLayout(ui::ButtonRow({ okButton_, cancelButton_ }));
    form->setSizeConstraint(QLayout::SetFixedSize);

    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &TEditIKForm::OKButtonClick);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

TEditIKForm::~TEditIKForm()
{
    // The views let go of the models before the models and the chain's forests go.
    topTree_->setModel(nullptr);
    bottomTree_->setModel(nullptr);
}

void TEditIKForm::OKButtonClick()
{
    chain_.name = ui::ToLatin1(nameEdit_->text());
    chain_.TopSelected = ui::SelectedNode(*topTree_, topModel_);
    chain_.BottomSelected = ui::SelectedNode(*bottomTree_, bottomModel_);
    if (const auto refusal = chain_.Check()) {
        prompts_.Message(this, ui::FromLatin1(refusal->message));
        switch (refusal->field) {
        case varnoke::ChainField::name:
            nameEdit_->setFocus();
            break;
        case varnoke::ChainField::firstPart:
            topTree_->setFocus();
            break;
        case varnoke::ChainField::lastPart:
            bottomTree_->setFocus();
            break;
        }
        return;
    }
    if (!ui::RefusesFieldText(prompts_, this, *nameLabel_, ui::FieldText::oneWord))
        accept();
}

void TEditIKForm::TopTVClick()
{
    bottomEditor_.Rebuild([this](varnoke::Forest&) {
        chain_.TopSelected = ui::SelectedNode(*topTree_, topModel_);
        chain_.ShowTopSelection();
    });
    bottomTree_->expandAll();
    ui::SelectNode(*bottomTree_, bottomModel_, chain_.BottomSelected);
}

void TEditIKForm::LoadChain()
{
    nameEdit_->setText(ui::FromLatin1(chain_.name));
    topTree_->expandAll();
    bottomTree_->expandAll();
    ui::SelectNode(*topTree_, topModel_, chain_.TopSelected);
    ui::SelectNode(*bottomTree_, bottomModel_, chain_.BottomSelected);
}

void TEditIKForm::showEvent(QShowEvent* event)
{
    FixedDialog::showEvent(event);
    nameEdit_->setFocus();
    nameEdit_->selectAll();
}
