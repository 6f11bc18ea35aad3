#include "app/help_window.h"

#include "hierarchy/help_context.h"

#include <QAction>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QUrl PageOf(int context)
{
    switch (context) {
    case varnoke::kHelpObjFile:
        return QUrl(QStringLiteral("qrc:/help/objfile.html"));
    case varnoke::kHelpLevel:
        return QUrl(QStringLiteral("qrc:/help/level.html"));
    case varnoke::kHelpIKChain:
        return QUrl(QStringLiteral("qrc:/help/ikchain.html"));
    case varnoke::kHelpNoLine:
        return QUrl(QStringLiteral("qrc:/help/illegal.html"));
    case varnoke::kHelpComment:
        return QUrl(QStringLiteral("qrc:/help/comment.html"));
    default:
        return QUrl(QStringLiteral("qrc:/help/index.html"));
    }
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , browser_(new QTextBrowser)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Varnoke Help"));
    resize(640, 560);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenExternalLinks(true);

    auto* tools = new QToolBar;
    QAction* back = tools->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("&Back"));
    QAction* forward = tools->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("&Forward"));
    QAction* contents = tools->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("&Contents"));
    back->setShortcut(QKeySequence::Back);
    forward->setShortcut(QKeySequence::Forward);
    back->setEnabled(false);
    forward->setEnabled(false);
    tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(contents, &QAction::triggered, this, [this] { ShowContext(varnoke::kHelpOverview); });
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    // Escape closes the help as it closes a dialog.
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(browser_);
}

void HelpWindow::ShowContext(int context)
{
    context_ = context;
    browser_->setSource(PageOf(context));
    show();
    raise();
    activateWindow();
}

void HelpWindow::PlaceBeside(const QWidget& other)
{
    const QRect beside = other.frameGeometry();
    const QRect screen = other.screen()->availableGeometry();
    // Before its first showing this window has no frame yet: the other's stands for it.
    const QSize outer = isVisible() ? frameGeometry().size() : size() + (beside.size() - other.size());
    int left = beside.right() + 1;
    if (left + outer.width() - 1 > screen.right())
        left = beside.left() - outer.width() >= screen.left()
            ? beside.left() - outer.width()
            : std::max(screen.left(), screen.right() - outer.width() + 1);
    const int top
        = std::clamp(beside.top(), screen.top(), std::max(screen.top(), screen.bottom() - outer.height() + 1));
    move(left, top);
}
