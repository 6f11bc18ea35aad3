// Start-up, the two views, the test and the window's own events.
#include "app/phi_form.h"

#include "app/busy_cursor.h"
#include "app/command_error.h"
#include "app/document.h"
#include "app/forced_close_watch.h"
#include "app/help_window.h"
#include "app/hierarchy_tree_view.h"
#include "app/long_work.h"
#include "app/preview_pane.h"
#include "app/preview_view.h"
#include "app/text_view.h"
#include "dialogs/about_box.h"
#include "dialogs/edit_ik_form.h"
#include "dialogs/edit_level_form.h"
#include "dialogs/edit_obj_form.h"
#include "hierarchy/case_fold.h"
#include "ui/diagnostics_model.h"
#include "ui/menu_gate.h"
#include "ui/prompts.h"
#include "ui/text_conversions.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QItemSelectionModel>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include <algorithm>

namespace {

constexpr QPoint kFirstPosition(215, 291);
constexpr QSize kFirstOuterSize(580, 369);

bool HasPoserExe(const QString& folder)
{
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (varnoke::EqualIgnoringCase(ui::CorePath(name), "poser.exe")) {
            QFile file(dir.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                return true;
        }
    }
    return false;
}

} // namespace

TPHIForm::TPHIForm(Prompts& prompts, Settings& settings, Document& document, QWidget* parent)
    : QMainWindow(parent)
    , cursorPrompts_(prompts)
    , prompts_(cursorPrompts_)
    , settings_(settings)
    , document_(&document)
    , diagnostics_(new DiagnosticsModel(document_->Checks().diagnostics, this))
    , menuGate_(new MenuGate([this](const MenuGate::Command& command) { RunCommand(command); }, this))
    , longWork_(new LongWork(*this))
{
    // The pictures and help pages live in this static library: link them in.
    Q_INIT_RESOURCE(resources);
    setObjectName(QStringLiteral("PHIForm"));
    setWindowTitle(QStringLiteral("Varnoke V2.0"));
    CreateToolBar();
    CreateMenus();
    CreateControls();
    CreatePreview();
    CreateTreeKeys();
    connect(document_, &Document::diagnosticsChanged, diagnostics_, &DiagnosticsModel::Refresh);
    connect(document_, &Document::treeReset, treeView_, &HierarchyTreeView::ExpandAll);
    connect(document_, &Document::tested, this, &TPHIForm::ShowTestResult);
    connect(document_, &Document::testCancelled, this, &TPHIForm::ShowTextView);
    // The document knows where the views stand, for whoever follows the part at hand.
    connect(treeView_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { document_->SetCurrentNode(SelectedNode()); });
    connect(textView_, &QPlainTextEdit::cursorPositionChanged, this,
            [this] { document_->SetCurrentLine(textView_->CaretLine().value_or(-1)); });
    document_->ListenWith(longWork_);
    forcedCloseWatch_ = std::make_unique<ForcedCloseWatch>(*this, [this] { CloseAfterForcedDestroy(); });
    move(kFirstPosition);
    resize(kFirstOuterSize);
    RestoreSettings();
    FormCreate();
    aboutBox_ = new TAboutBox(this);
    objForm_ = new TEditOBJForm(prompts_, document_->Poser(), this);
    ikForm_ = new TEditIKForm(prompts_, this);
    levelForm_ = new TEditLevelForm(prompts_, document_->Poser(), this);
    // The user's first keys type into the text.
    textView_->setFocus();
}

TPHIForm::~TPHIForm()
{
    // The document outlives the window, and with it the long work that listens.
    document_->ListenWith(nullptr);
}

bool TPHIForm::FTextMode() const
{
    return document_->FTextMode();
}

void TPHIForm::FormCreate()
{
    document_->SetTextMode(true);
    const PoserFolder& poser = document_->Poser();
    const QString programFolder = ui::FromCorePath(poser.ProgramFolder());
    helpFile_ = programFolder + QDir::separator() + QStringLiteral("varnoke.hlp");
    setAcceptDrops(true);
    // A chosen folder was looked at when chosen, and one of Linux or macOS has no poser.exe.
    if (!poser.Chosen().isEmpty()) {
        if (!poser.ChosenIsThere())
            prompts_.Message(
                this,
                QStringLiteral("The Poser folder %1 is not there; using the program's folder").arg(poser.Chosen()));
    } else if (!HasPoserExe(programFolder)) {
        prompts_.Message(this,
                         QStringLiteral("This application must be run from wherever your POSER.EXE is installed!\n"
                                        "Choose your Poser folder with Options > Poser Folder..."));
    }
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

void TPHIForm::RunCommand(const std::function<void()>& command)
{
    // One place for every menu item, key and tool button: while a command's long work
    // lets the window handle events, nothing else starts, not even the same command again.
    if (longWork_->Busy())
        return;
    longWork_->Begin();
    // Any command may take long: the pointer says so until it has ended, views included.
    const BusyCursor busy;
    {
        // The views hear what the command changed when it has ended, errors shown.
        const Document::CommandScope told(*document_);
        try {
            command();
        } catch (const varnoke::Cancelled&) {
            // Stopped by the user, who knows.
        } catch (...) {
            ShowCommandError(std::current_exception());
        }
    }
    longWork_->End();
}

void TPHIForm::ShowTextView()
{
    document_->SetTextMode(true);
    views_->setCurrentWidget(textPage_);
    textView_->setFocus();
    textButton_->setChecked(true);
    ShowLevelButtons(true);
}

void TPHIForm::ShowTreeView()
{
    document_->SetTextMode(false);
    views_->setCurrentWidget(treeView_);
    treeView_->setFocus();
    treeButton_->setChecked(true);
    ShowLevelButtons(false);
}

void TPHIForm::SwitchFocus(bool backward)
{
    // The view shown, the list and, while it shows a figure, the preview, in turn.
    QList<QWidget*> stops { views_->currentWidget(), diagnosticsList_ };
    if (PreviewView* preview = preview_ ? preview_->View() : nullptr; preview && preview->isVisible())
        stops << preview;
    const QWidget* focused = QApplication::focusWidget();
    const auto at = std::find_if(stops.cbegin(), stops.cend(), [focused](const QWidget* stop) {
        return stop->hasFocus() || stop->isAncestorOf(focused);
    });
    // From anywhere else the list comes first.
    const qsizetype from = at == stops.cend() ? 0 : at - stops.cbegin();
    stops[(from + (backward ? stops.size() - 1 : 1)) % stops.size()]->setFocus(Qt::ShortcutFocusReason);
}

void TPHIForm::SyncViewButtons()
{
    // A click presses its view button before the command runs; a command that stopped
    // short leaves the button of the view that is shown pressed, not the one clicked.
    if (textButton_->isChecked() || treeButton_->isChecked())
        (FTextMode() ? textButton_ : treeButton_)->setChecked(true);
}

void TPHIForm::ShowLevelButtons(bool visible)
{
    // A tool bar shows its widgets through their actions, once it lays them out again.
    for (QAction* action : toolBar_->actions()) {
        QWidget* widget = toolBar_->widgetForAction(action);
        if (widget == increaseButton_ || widget == decreaseButton_) {
            action->setVisible(visible);
            widget->setVisible(visible);
        }
    }
}

void TPHIForm::ShowTestResult()
{
    if (document_->Checks().diagnostics.Selected() >= 0) {
        ShowTextView();
        ShowSelectedDiagnostic();
    }
}

bool TPHIForm::TestHierarchy()
{
    return document_->Test();
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

void TPHIForm::ShowSelectedDiagnostic()
{
    diagnosticsList_->setCurrentIndex(diagnostics_->index(document_->Checks().diagnostics.Selected()));
    diagnosticsList_->scrollTo(diagnosticsList_->currentIndex());
    WarningsListClick();
}

void TPHIForm::TextButtonClick()
{
    if (FTextMode())
        return;
    const varnoke::Node* node = SelectedNode();
    document_->WriteTreeBack();
    ShowTextView();
    // The text opens where the tree stood: one line a node, in the tree's order.
    const int line = node ? document_->Tree().AbsoluteIndex(node) : 0;
    textView_->Select(varnoke::LineSelection(document_->Lines(), line + 1).start, 0);
}

void TPHIForm::HierButtonClick()
{
    if (FTextMode())
        TestAndChooseView();
    else
        ShowTreeView();
}

void TPHIForm::TestButtonClick()
{
    if (FTextMode()) {
        TestHierarchy();
        return;
    }
    document_->WriteTreeBack();
    TestAndChooseView();
}

void TPHIForm::Options2Click()
{
    editAsTextAction_->setChecked(FTextMode());
    editAsTreeAction_->setChecked(!FTextMode());
    previewAction_->setChecked(preview_->isVisible());
}

void TPHIForm::Options1Click()
{
    for (QAction* item : { increaseLevelAction_, decreaseLevelAction_, findAction_, findNextAction_,
                           findPreviousAction_, nextDiagnosticAction_, previousDiagnosticAction_ })
        item->setEnabled(FTextMode());
}

void TPHIForm::About1Click()
{
    prompts_.ShowModal(*aboutBox_);
}

void TPHIForm::DisplayHint(const QString& hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    const QString text = bar < 0 ? hint : hint.mid(bar + 1);
    if (statusBar_->currentMessage() != text)
        statusBar_->showMessage(text);
}

bool TPHIForm::event(QEvent* event)
{
    // Hints go to the status line only, through DisplayHint. While a menu is open, its
    // highlighted item keeps the line, also against the widget the opening menu left.
    if (event->type() == QEvent::StatusTip) {
        const auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        const QAction* highlighted = menu ? menu->activeAction() : nullptr;
        DisplayHint(highlighted ? highlighted->statusTip() : static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TPHIForm::closeEvent(QCloseEvent* event)
{
    bool CanClose = true;
    RunCommand([&] { FormCloseQuery(CanClose); });
    if (CanClose) {
        SaveWindowSettings();
        event->accept();
    } else {
        event->ignore();
    }
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
