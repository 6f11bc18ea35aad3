#include "dialogs/edit_ik_form.h"

#include "dialogs/dialog_support.h"
#include "dialogs/prompts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <functional>

using dialog_support::FromLatin1;
using dialog_support::ToLatin1;
using varnoke::Node;

namespace {

// A chain tree: read-only labels, one selected node that stays visible without the
// focus, and a hook that runs after a left click has done its selecting.
class ChainTreeView final : public QTreeView {
public:
    explicit ChainTreeView(QWidget* parent)
        : QTreeView(parent)
    {
        setHeaderHidden(true);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setUniformRowHeights(true);
        QPalette colours = palette();
        for (const QPalette::ColorRole role : { QPalette::Highlight, QPalette::HighlightedText })
            colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
        setPalette(colours);
    }

    std::function<void()> leftClicked;

protected:
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
        if (event->button() == Qt::LeftButton && std::exchange(pressed_, false) && leftClicked)
            leftClicked();
    }

private:
    bool pressed_ = false;
};

const Node* SelectedNode(const QTreeView& view, const HierarchyModel& model)
{
    const QModelIndexList selected = view.selectionModel()->selectedIndexes();
    return selected.isEmpty() ? nullptr : model.NodeOf(selected.front());
}

void SelectNode(QTreeView& view, const HierarchyModel& model, const Node* node)
{
    if (!node) {
        view.selectionModel()->clear();
        return;
    }
    const QModelIndex index = model.IndexOf(node);
    view.selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    view.scrollTo(index);
}

} // namespace

TEditIKForm::TEditIKForm(Prompts& prompts, QWidget* parent)
    : QDialog(parent, dialog_support::kFixedDialogFlags)
    , Label1(new QLabel(QStringLiteral("IK Chain Name"), this))
    , NameEdit(new QLineEdit(this))
    , Label2(new QLabel(QStringLiteral("First Node in IK Chain"), this))
    , TopTV(new ChainTreeView(this))
    , Label3(new QLabel(QStringLiteral("Last Node in IK Chain"), this))
    , BottomTV(new ChainTreeView(this))
    , OKButton(new QPushButton(QStringLiteral("&OK"), this))
    , CancelButton(new QPushButton(QStringLiteral("&Cancel"), this))
    , prompts_(prompts)
    , topModel_(new HierarchyModel(chain_.TopTV, this))
    , bottomModel_(new HierarchyModel(chain_.BottomTV, this))
{
    setObjectName(QStringLiteral("EditIKForm"));
    setWindowTitle(QStringLiteral("Edit IK Chain"));
    Label1->setObjectName(QStringLiteral("Label1"));
    NameEdit->setObjectName(QStringLiteral("NameEdit"));
    Label2->setObjectName(QStringLiteral("Label2"));
    TopTV->setObjectName(QStringLiteral("TopTV"));
    Label3->setObjectName(QStringLiteral("Label3"));
    BottomTV->setObjectName(QStringLiteral("BottomTV"));
    OKButton->setObjectName(QStringLiteral("OKButton"));
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    TopTV->setModel(topModel_);
    BottomTV->setModel(bottomModel_);
    static_cast<ChainTreeView*>(TopTV)->leftClicked = [this] { TopTVClick(); };
    setTabOrder(NameEdit, TopTV);
    setTabOrder(TopTV, BottomTV);
    setTabOrder(BottomTV, OKButton);
    setTabOrder(OKButton, CancelButton);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(Label1);
    nameRow->addWidget(NameEdit);
    nameRow->addStretch(1);
    NameEdit->setFixedWidth(180);
    auto* trees = new QGridLayout;
    trees->addWidget(Label2, 0, 0);
    trees->addWidget(TopTV, 1, 0);
    trees->addWidget(Label3, 0, 1);
    trees->addWidget(BottomTV, 1, 1);
    for (QTreeView* tree : { TopTV, BottomTV })
        tree->setFixedSize(220, 280);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto* form = new QVBoxLayout(this);
    form->addLayout(nameRow);
    form->addSpacing(4);
    form->addLayout(trees);
    form->addSpacing(8);
    form->addLayout(buttons);
    form->setSizeConstraint(QLayout::SetFixedSize);

    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &TEditIKForm::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

TEditIKForm::~TEditIKForm()
{
    // The views let go of the models before the chain's forests go.
    TopTV->setModel(nullptr);
    BottomTV->setModel(nullptr);
}

void TEditIKForm::OKButtonClick()
{
    chain_.NameEdit = ToLatin1(NameEdit->text());
    chain_.TopSelected = SelectedNode(*TopTV, *topModel_);
    chain_.BottomSelected = SelectedNode(*BottomTV, *bottomModel_);
    if (const std::optional<std::string> message = chain_.Check())
        prompts_.Message(this, FromLatin1(*message));
    else
        accept();
}

void TEditIKForm::TopTVClick()
{
    bottomModel_->Rebuild([this](varnoke::Forest&) {
        chain_.TopSelected = SelectedNode(*TopTV, *topModel_);
        chain_.ShowTopSelection();
    });
    BottomTV->expandAll();
    SelectNode(*BottomTV, *bottomModel_, chain_.BottomSelected);
}

void TEditIKForm::LoadChain()
{
    NameEdit->setText(FromLatin1(chain_.NameEdit));
    TopTV->expandAll();
    BottomTV->expandAll();
    SelectNode(*TopTV, *topModel_, chain_.TopSelected);
    SelectNode(*BottomTV, *bottomModel_, chain_.BottomSelected);
}

void TEditIKForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    NameEdit->setFocus();
    NameEdit->selectAll();
}
