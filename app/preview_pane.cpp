#include "app/preview_pane.h"

#include "app/preview_view.h"
#include "hierarchy/case_fold.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Colours that read on the neutral background in light and dark themes alike.
const QColor kPlain(190, 194, 200);
const QColor kLit(255, 140, 26);
const QColor kChild(240, 200, 140);
const QColor kUnused(205, 60, 60);
const QColor kGreyed(150, 150, 150);

// Whether this machine gives an OpenGL context at all: asked before any OpenGL widget
// exists, since making one turns the whole window into an OpenGL one.
bool CanHaveOpenGL()
{
    QOpenGLContext context;
    if (!context.create())
        return false;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    const bool current = surface.isValid() && context.makeCurrent(&surface);
    if (current)
        context.doneCurrent();
    return current;
}

} // namespace

PreviewPane::PreviewPane(QWidget* parent)
    : QDockWidget(QStringLiteral("Preview"), parent)
{
    setObjectName(QStringLiteral("PreviewDock"));
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* bar = new QHBoxLayout;
    fitButton_ = new QToolButton;
    fitButton_->setObjectName(QStringLiteral("PreviewFit"));
    fitButton_->setText(QStringLiteral("Fit"));
    fitButton_->setStatusTip(QStringLiteral("Show the whole figure"));
    reloadButton_ = new QToolButton;
    reloadButton_->setObjectName(QStringLiteral("PreviewReload"));
    reloadButton_->setText(QStringLiteral("Reload"));
    reloadButton_->setStatusTip(QStringLiteral("Read the figure's geometry again"));
    state_ = new QLabel;
    state_->setObjectName(QStringLiteral("PreviewState"));
    bar->addWidget(fitButton_);
    bar->addWidget(reloadButton_);
    bar->addWidget(state_, 1);
    layout->addLayout(bar);
    words_ = new QLabel;
    words_->setObjectName(QStringLiteral("PreviewWords"));
    words_->setAlignment(Qt::AlignCenter);
    words_->setWordWrap(true);
    pages_ = new QStackedWidget;
    pages_->addWidget(words_);
    layout->addWidget(pages_, 1);
    setWidget(body);
    Say(QStringLiteral("Test the figure to see its geometry"));

    connect(fitButton_, &QToolButton::clicked, this, [this] {
        if (view_)
            view_->Fit();
    });
    connect(reloadButton_, &QToolButton::clicked, this, [this] { Reload(); });
    connect(&loader_, &PreviewLoader::progressed, this,
            [this](int percent) { state_->setText(QStringLiteral("Reading %1%").arg(percent)); });
    connect(&loader_, &PreviewLoader::loaded, this, &PreviewPane::Loaded);
    connect(&loader_, &PreviewLoader::failed, this, [this](const QString& message) {
        state_->clear();
        Say(message);
    });
}

PreviewPane::~PreviewPane()
{
    loader_.Stop();
}

void PreviewPane::showEvent(QShowEvent* event)
{
    QDockWidget::showEvent(event);
    if (!probed_) {
        probed_ = true;
        MakeView();
    }
}

void PreviewPane::MakeView()
{
    if (!CanHaveOpenGL()) {
        Say(QStringLiteral("No OpenGL here: the preview cannot be drawn"));
        return;
    }
    view_ = new PreviewView;
    view_->setObjectName(QStringLiteral("PreviewView"));
    view_->setStatusTip(QStringLiteral("Drag to turn, right-drag to move, wheel to zoom; click a part to select it"));
    pages_->addWidget(view_);
    connect(view_, &PreviewView::groupClicked, this, [this](std::size_t group) {
        if (geometry_ && group < geometry_->mesh.groups.size())
            emit partClicked(geometry_->mesh.groups[group]);
    });
    if (geometry_) {
        view_->SetGeometry(geometry_);
        Colour();
        pages_->setCurrentWidget(view_);
    }
}

void PreviewPane::Load(std::vector<std::string> files, std::unordered_set<std::string> usedParts)
{
    files_ = std::move(files);
    usedParts_ = std::move(usedParts);
    Reload();
}

void PreviewPane::Reload()
{
    untested_ = false;
    if (files_.empty()) {
        Clear();
        Say(QStringLiteral("The figure names no geometry"));
        return;
    }
    state_->setText(QStringLiteral("Reading"));
    loader_.Start(files_);
}

void PreviewPane::Loaded(std::shared_ptr<const PreviewGeometry> geometry)
{
    geometry_ = std::move(geometry);
    const varnoke::DroppedCounts& dropped = geometry_->mesh.dropped;
    const std::uint64_t left = dropped.badVertices + dropped.badFaces + dropped.degenerateTriangles;
    state_->setText(left ? QStringLiteral("%1 triangles; %2 bad vertices or faces left out")
                               .arg(geometry_->mesh.triangles.size())
                               .arg(left)
                         : QStringLiteral("%1 triangles").arg(geometry_->mesh.triangles.size()));
    if (!view_)
        return; // drawn once a view is made, if one can be
    view_->SetGeometry(geometry_);
    Colour();
    pages_->setCurrentWidget(view_);
}

void PreviewPane::ShowUntested()
{
    loader_.Stop();
    untested_ = true;
    state_->setText(QStringLiteral("not tested"));
    Colour();
}

void PreviewPane::Clear()
{
    loader_.Stop();
    geometry_.reset();
    files_.clear();
    untested_ = false;
    state_->clear();
    if (view_)
        view_->SetGeometry(nullptr);
    Say(QStringLiteral("Test the figure to see its geometry"));
}

void PreviewPane::SetCurrentPart(const std::string& part, const std::vector<std::string>& children)
{
    currentPart_ = varnoke::FoldCase(part);
    children_.clear();
    for (const std::string& child : children)
        children_.insert(varnoke::FoldCase(child));
    Colour();
}

int PreviewPane::GroupOf(const std::string& part) const
{
    if (!geometry_)
        return -1;
    const std::vector<std::string>& groups = geometry_->mesh.groups;
    for (std::size_t group = 0; group < groups.size(); ++group) {
        if (varnoke::EqualIgnoringCase(groups[group], part))
            return static_cast<int>(group);
    }
    return -1;
}

QString PreviewPane::Words() const
{
    return pages_->currentWidget() == words_ ? words_->text() : QString();
}

void PreviewPane::Say(const QString& words)
{
    words_->setText(words);
    pages_->setCurrentWidget(words_);
}

void PreviewPane::Colour()
{
    if (!view_ || !geometry_)
        return;
    std::vector<QColor> colours;
    for (const std::string& group : geometry_->mesh.groups) {
        const std::string folded = varnoke::FoldCase(group);
        if (untested_)
            colours.push_back(kGreyed);
        else if (!currentPart_.empty() && folded == currentPart_)
            colours.push_back(kLit);
        else if (children_.count(folded))
            colours.push_back(kChild);
        else if (!folded.empty() && !usedParts_.count(folded))
            colours.push_back(kUnused);
        else
            colours.push_back(kPlain);
    }
    view_->SetColours(std::move(colours));
}
