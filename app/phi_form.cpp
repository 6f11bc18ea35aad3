// Start-up, the two views, the test and the window's own events.
#include "app/phi_form.h"

#include "app/busy_cursor.h"
#include "app/command_error.h"
#include "app/help_window.h"
#include "app/text_memo.h"
#include "dialogs/about_box.h"
#include "dialogs/dialog_support.h"
#include "dialogs/hierarchy_model.h"
#include "hierarchy/case_fold.h"
#include "hierarchy/geometry_file.h"
#include "hierarchy/hierarchy_check.h"
#include "hierarchy/poser_paths.h"
#include "tree/tree_to_text.h"

#include "app/hierarchy_tree_view.h"
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

namespace {

constexpr QPoint kFirstPosition(215, 291);
constexpr QSize kFirstOuterSize(580, 369);

bool HasPoserExe(const QString& folder)
{
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (varnoke::EqualIgnoringCase(dialog_support::CorePath(name), "poser.exe")) {
            QFile file(dir.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                return true;
        }
    }
    return false;
}

} // namespace

TPHIForm::TPHIForm(Prompts& prompts, const QString& programPath, QWidget* parent)
    : QMainWindow(parent)
    , prompts_(prompts)
    , programPath_(programPath)
    , model_(new HierarchyModel(tree_, this))
{
    // The pictures and help pages live in this static library: link them in.
    Q_INIT_RESOURCE(resources);
    setObjectName(QStringLiteral("PHIForm"));
    setWindowTitle(QStringLiteral("Varnoke V2.0"));
    CreateToolBar();
    CreateMenus();
    CreateControls();
    lines_ = std::make_unique<TextMemoLines>(*TextMemo);
    connect(WarningsList, &QListWidget::itemClicked, this, [this] { RunCommand([this] { WarningsListClick(); }); });
    move(kFirstPosition);
    resize(kFirstOuterSize);
    FormCreate();
}

TPHIForm::~TPHIForm() = default;

void TPHIForm::FormCreate()
{
    FTextMode = true;
    FModified = false;
    const QString folder = QString::fromStdString(varnoke::ExeDirectory(programPath_.toStdString()));
    helpFile_ = folder + QDir::separator() + QStringLiteral("varnoke.hlp");
    setAcceptDrops(true);
    if (!HasPoserExe(folder))
        prompts_.Message(this,
                         QStringLiteral("This application must be run from wherever your POSER.EXE is installed!"));
}

void TPHIForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    FitOuterSize();
}

void TPHIForm::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    FitOuterSize();
}

void TPHIForm::FitOuterSize()
{
    // The first size is the window's outer size, frame included; the frame is known only
    // once the window manager has framed the window.
    if (placed_ || !windowHandle())
        return;
    const QMargins frame = windowHandle()->frameMargins();
    if (frame.isNull())
        return;
    placed_ = true;
    resize(kFirstOuterSize.shrunkBy(frame));
}

void TPHIForm::ShowTextView()
{
    FTextMode = true;
    TreeView1->hide();
    TextMemo->show();
    TextButton->setChecked(true);
    ShowLevelButtons(true);
}

void TPHIForm::ShowTreeView()
{
    FTextMode = false;
    TextMemo->hide();
    TreeView1->show();
    HierButton->setChecked(true);
    ShowLevelButtons(false);
}

void TPHIForm::SyncViewButtons()
{
    // A click presses its view button before the command runs; a command that stopped
    // short leaves the button of the view that is shown pressed, not the one clicked.
    if (TextButton->isChecked() || HierButton->isChecked())
        (FTextMode ? TextButton : HierButton)->setChecked(true);
}

void TPHIForm::ShowLevelButtons(bool visible)
{
    // A tool bar shows its widgets through their actions, once it lays them out again.
    for (QAction* action : ToolBar1->actions()) {
        QWidget* widget = ToolBar1->widgetForAction(action);
        if (widget == IncButton || widget == DecButton) {
            action->setVisible(visible);
            widget->setVisible(visible);
        }
    }
}

varnoke::GeometryFolders TPHIForm::DocumentGeometryFolders() const
{
    varnoke::GeometryFolders folders;
    folders.poserFolder = varnoke::ExeDirectory(dialog_support::CorePath(programPath_));
    // Content installed in another runtime is found beside the open document.
    if (!OpenDialog1.FileName.isEmpty()) {
        if (auto other = varnoke::NearestPoserFolder(dialog_support::CorePath(OpenDialog1.FileName));
            other && *other != folders.poserFolder)
            folders.alsoSearched.push_back(*other);
    }
    return folders;
}

void TPHIForm::RefuseTextBeyondLatin1() const
{
    if (const std::optional<int> line = lines_->FirstLineBeyondLatin1())
        throw CommandError(
            QStringLiteral("Line %1 holds characters that cannot be saved as single bytes").arg(*line + 1));
}

bool TPHIForm::TestLines(varnoke::DocumentLines& lines)
{
    BusyCursor busy;
    FModified = false;
    const varnoke::GeometryFolders folders = DocumentGeometryFolders();
    const std::string fileName = dialog_support::CorePath(OpenDialog1.FileName);
    return model_->Rebuild(
        [&](varnoke::Forest& tree) { return varnoke::TestHierarchy(checks, folders, lines, tree, fileName); });
}

void TPHIForm::ShowTestResult()
{
    TreeView1->expandAll();
    RefreshWarningsList();
    if (checks.WarningsList.Selected() >= 0) {
        ShowTextView();
        ShowSelectedDiagnostic();
    }
}

bool TPHIForm::TestHierarchy()
{
    RefuseTextBeyondLatin1();
    bool passed = false;
    {
        TextMemoLines::EditBlock edit(*lines_);
        passed = TestLines(*lines_);
    }
    ShowTestResult();
    return passed;
}

void TPHIForm::ChooseView(bool passed)
{
    if (passed)
        ShowTreeView();
    else
        ShowTextView();
}

void TPHIForm::TestAndChooseView()
{
    ChooseView(TestHierarchy());
}

void TPHIForm::TreeToText()
{
    varnoke::TreeToText(tree_, *lines_);
}

void TPHIForm::RefreshWarningsList()
{
    const varnoke::Diagnostics& diagnostics = checks.WarningsList;
    if (diagnostics.Revision() == shownDiagnostics_)
        return;
    shownDiagnostics_ = diagnostics.Revision();
    QStringList texts;
    texts.reserve(diagnostics.Count());
    for (int i = 0; i < diagnostics.Count(); ++i)
        texts.push_back(dialog_support::FromLatin1(diagnostics.TextAt(i)));
    WarningsList->clear();
    WarningsList->addItems(texts);
}

void TPHIForm::ShowSelectedDiagnostic()
{
    WarningsList->setCurrentRow(checks.WarningsList.Selected());
    WarningsList->scrollToItem(WarningsList->currentItem());
    WarningsListClick();
}

void TPHIForm::TextButtonClick()
{
    if (FTextMode)
        return;
    TreeToText();
    ShowTextView();
}

void TPHIForm::HierButtonClick()
{
    if (FTextMode)
        TestAndChooseView();
    else
        ShowTreeView();
}

void TPHIForm::TestButtonClick()
{
    if (FTextMode) {
        TestHierarchy();
        return;
    }
    TreeToText();
    TestAndChooseView();
}

void TPHIForm::Options2Click()
{
    EditAsText1->setChecked(FTextMode);
    EditAsTree1->setChecked(!FTextMode);
}

void TPHIForm::Options1Click()
{
    IncreaseLevel1->setEnabled(FTextMode);
    DecreaseLevel1->setEnabled(FTextMode);
}

void TPHIForm::About1Click()
{
    if (AboutBox)
        prompts_.ShowModal(*AboutBox);
}

void TPHIForm::DisplayHint(const QString& hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    const QString text = bar < 0 ? hint : hint.mid(bar + 1);
    if (StatusBar1->currentMessage() != text)
        StatusBar1->showMessage(text);
}

bool TPHIForm::event(QEvent* event)
{
    // Hints go to the status line only, through DisplayHint.
    if (event->type() == QEvent::StatusTip) {
        DisplayHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TPHIForm::closeEvent(QCloseEvent* event)
{
    bool CanClose = true;
    RunCommand([&] { FormCloseQuery(CanClose); });
    if (CanClose)
        event->accept();
    else
        event->ignore();
}

void TPHIForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TPHIForm::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths.push_back(QDir::toNativeSeparators(url.toLocalFile()));
    }
    event->acceptProposedAction();
    RunCommand([&] { HandleDroppedFiles(paths); });
}

void TPHIForm::ShowCommandError(std::exception_ptr error)
{
    QString text;
    try {
        std::rethrow_exception(error);
    } catch (const CommandError& commandError) {
        text = commandError.Text();
    } catch (const std::bad_alloc&) {
        text = QStringLiteral("Out of memory");
    } catch (const std::exception& other) {
        text = QString::fromLocal8Bit(other.what());
    }
    prompts_.Error(this, ErrorBoxText(text));
}
