// The 3-D preview beside the views: its menu item, what it shows after a test, the part
// of the moment, and a part clicked in it selected in the view shown.
#include "app/document.h"
#include "app/phi_form.h"
#include "app/preview_pane.h"
#include "hierarchy/case_fold.h"
#include "hierarchy/node_by_name.h"

#include <QAction>

void TPHIForm::CreatePreview()
{
    preview_ = new PreviewPane(this);
    addDockWidget(Qt::RightDockWidgetArea, preview_);
    // Hidden until asked for: the window starts as it always did.
    preview_->hide();
    connect(preview_, &PreviewPane::partClicked, this,
            [this](const std::string& part) { RunCommand([this, part] { SelectPart(part); }); });
    connect(document_, &Document::replaced, preview_, &PreviewPane::Clear);
    connect(document_, &Document::testCancelled, preview_, &PreviewPane::ShowUntested);
    connect(document_, &Document::tested, preview_, [this] {
        if (document_->FErrorCount() > 0) {
            preview_->ShowUntested();
            return;
        }
        std::unordered_set<std::string> used;
        const varnoke::PartRegistry& defined = document_->Checks().FDefinedParts;
        for (const std::string& name : defined.Names())
            used.insert(varnoke::FoldCase(name));
        preview_->Load(document_->Checks().geometryFiles, std::move(used));
    });
    connect(document_, &Document::currentNodeChanged, preview_, [this] { ShowCurrentPart(); });
    connect(document_, &Document::currentLineChanged, preview_, [this] { ShowCurrentPart(); });
    // Hidden, it follows nothing; shown again, it catches up.
    connect(preview_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible)
            ShowCurrentPart();
    });
}

void TPHIForm::Preview1Click()
{
    preview_->setVisible(!preview_->isVisible());
}

void TPHIForm::ShowCurrentPart()
{
    // Finding the part can walk the whole tree: not for a pane nobody sees.
    if (!preview_->isVisible())
        return;
    std::optional<std::string> part;
    const varnoke::Node* node = nullptr;
    if (!FTextMode()) {
        node = document_->CurrentNode();
        part = node ? varnoke::LevelPartName(node->Text()) : std::nullopt;
    } else if (const int line = document_->CurrentLine(); line >= 0 && line < document_->Lines().Count()) {
        part = varnoke::LevelPartName(document_->Lines().Line(line));
        node = part ? varnoke::FindLevelNode(document_->Tree(), *part) : nullptr;
    }
    std::vector<std::string> children;
    std::vector<const varnoke::Node*> below;
    if (part && node)
        below.push_back(node);
    // The whole subtree, which moves with the part; without recursion, however deep.
    while (!below.empty()) {
        const varnoke::Node* parent = below.back();
        below.pop_back();
        for (int row = 0; row < parent->ChildCount(); ++row) {
            below.push_back(parent->Child(row));
            if (const std::optional<std::string> child = varnoke::LevelPartName(parent->Child(row)->Text()))
                children.push_back(*child);
        }
    }
    preview_->SetCurrentPart(part.value_or(std::string()), children);
}

void TPHIForm::SelectPart(const std::string& part)
{
    if (!FTextMode()) {
        if (const varnoke::Node* node = varnoke::FindLevelNode(document_->Tree(), part))
            SelectNode(node);
        return;
    }
    for (int line = 0; line < document_->Lines().Count(); ++line) {
        const std::optional<std::string> name = varnoke::LevelPartName(document_->Lines().Line(line));
        if (name && varnoke::EqualIgnoringCase(*name, part)) {
            SelectLine(line + 1);
            return;
        }
    }
}
