// The main window's controls, tool bar and menus.
#include "app/document.h"
#include "app/document_state_field.h"
#include "app/find_bar.h"
#include "app/hierarchy_tree_view.h"
#include "app/phi_form.h"
#include "app/text_decorations.h"
#include "app/text_view.h"
#include "ui/diagnostics_model.h"
#include "ui/editor_redo_key.h"
#include "ui/menu_bar_focus.h"
#include "ui/menu_gate.h"
#include "ui/widget_looks.h"

#include <QButtonGroup>
#include <QListView>
#include <QMenuBar>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kButtonHeight = 25;
constexpr int kWarningsListHeight = 48;
constexpr int kItemHeight = 13;
constexpr int kSplitterHeight = 3;
constexpr int kTreeIndent = 19;

QIcon ToolIcon(const QString& name)
{
    QIcon icon(QStringLiteral(":/icons/%1.svg").arg(name));
    icon.addFile(QStringLiteral(":/icons/disabled/%1.svg").arg(name), QSize(), QIcon::Disabled);
    return icon;
}

// Our own drawings of the kinds of nodes, in the order of NodeKind.
HierarchyModel::KindIcons NodeIcons()
{
    constexpr std::array<const char*, varnoke::kNodeKindCount> names { "part",    "curved",  "objfile", "ikchain",
                                                                       "comment", "illegal", "empty" };
    HierarchyModel::KindIcons icons;
    for (std::size_t kind = 0; kind < names.size(); ++kind)
        icons[kind] = QIcon(QStringLiteral(":/icons/nodes/%1.svg").arg(QLatin1String(names[kind])));
    return icons;
}

} // namespace

void TPHIForm::CreateControls()
{
    document_->TreeModel().ShowKindIcons(NodeIcons());
    treeView_ = new HierarchyTreeView;
    treeView_->setObjectName(QStringLiteral("TreeView1"));
    treeView_->setModel(&document_->TreeModel());
    treeView_->setHeaderHidden(true);
    treeView_->setUniformRowHeights(true);
    treeView_->setIndentation(kTreeIndent);
    treeView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    treeView_->setSelectionMode(QAbstractItemView::SingleSelection);
    treeView_->setStatusTip(QStringLiteral("Drag & Drop to rearrange your hierarchy, Double-Click to edit nodes"));
    ui::KeepSelectionVisible(*treeView_);
    treeView_->SetDropHandlers([this](const QModelIndex& target) { return TreeView1DragOver(target); },
                               [this](const QModelIndex& target, varnoke::DropRegion region) {
                                   RunCommand([&] { TreeView1EndDrag(target, region); });
                               });
    treeView_->SetDropMarker(
        [this](const QModelIndex& target, varnoke::DropRegion region) { return DropMarkAt(target, region); });
    connect(treeView_, &HierarchyTreeView::DoubleClicked, this,
            [this] { RunCommand([this] { TreeView1DblClick(); }); });

    textView_ = new TextView(document_->Lines(), document_->Text());
    connect(document_, &Document::textReplaced, textView_, &TextView::ShowText);
    textView_->setObjectName(QStringLiteral("TextMemo"));
    textView_->AskBeforeLargePaste([this](std::int64_t characters) { return PasteLargeTextAnyway(characters); });
    findBar_ = new FindBar(*textView_);
    textPage_ = new QWidget;
    textPage_->setObjectName(QStringLiteral("TextPage"));
    textPage_->setFocusProxy(textView_);
    auto* page = new QVBoxLayout(textPage_);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    page->addWidget(textView_);
    page->addWidget(findBar_);
    // The Tree menu's Ctrl+Y must not take the editor's redo.
    ui::RedoAlsoOnCtrlY(*textView_);

    views_ = new QStackedWidget;
    views_->addWidget(textPage_);
    views_->addWidget(treeView_);

    diagnosticsList_ = new QListView;
    diagnosticsList_->setObjectName(QStringLiteral("WarningsList"));
    diagnosticsList_->setModel(diagnostics_);
    diagnosticsList_->setUniformItemSizes(true);
    diagnosticsList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    diagnosticsList_->setStatusTip(
        QStringLiteral("Warnings and errors will show up here, after you've tested your PHI file."));
    diagnosticsList_->setMinimumHeight(kItemHeight);
    // Before the window hears of a test, so that its marks are there when it leads to them.
    decorations_ = new TextDecorations(*textView_, *diagnosticsList_);
    decorations_->Follow(*document_);
    // A click (a double click's first), Return or Enter go to the entry's line; the arrows only move.
    const auto goToLine = [this] { RunCommand([this] { WarningsListClick(); }); };
    connect(diagnosticsList_, &QListView::clicked, this, goToLine);
    for (const Qt::Key key : { Qt::Key_Return, Qt::Key_Enter })
        connect(new QShortcut(key, diagnosticsList_, nullptr, nullptr, Qt::WidgetShortcut), &QShortcut::activated, this,
                goToLine);
    // The editor types Tab, so the focus moves between the view and the list by a key of the window.
    for (const bool backward : { false, true }) {
        auto* switchFocus = new QAction(this);
        switchFocus->setObjectName(backward ? QStringLiteral("SwitchFocusBack") : QStringLiteral("SwitchFocus"));
        switchFocus->setShortcuts(backward
                                      ? QList<QKeySequence> { QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                                                              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab) }
                                      : QList<QKeySequence> { QKeySequence(Qt::CTRL | Qt::Key_Tab) });
        connect(switchFocus, &QAction::triggered, this,
                [this, backward] { RunCommand([this, backward] { SwitchFocus(backward); }); });
        addAction(switchFocus);
    }
    connect(document_, &Document::changedSinceTestChanged, diagnosticsList_,
            [this](bool changed) { ui::ShowAsStale(*diagnosticsList_, changed); });

    splitter_ = new QSplitter(Qt::Vertical);
    splitter_->setObjectName(QStringLiteral("Splitter2"));
    splitter_->setHandleWidth(kSplitterHeight);
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(views_);
    splitter_->addWidget(diagnosticsList_);
    // The views take every change of size; the list keeps its height.
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 0);
    splitter_->setSizes({ 1000, kWarningsListHeight });
    setCentralWidget(splitter_);

    statusBar_ = new QStatusBar;
    statusBar_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar_->setSizeGripEnabled(true);
    statusBar_->addPermanentWidget(new DocumentStateField(*document_));
    setStatusBar(statusBar_);
}

QToolButton* TPHIForm::AddToolButton(const char* name, const QString& caption, const QString& icon, int width,
                                     const QString& hint, Handler handler)
{
    auto* button = new QToolButton;
    button->setObjectName(QLatin1String(name));
    button->setText(caption);
    button->setIcon(ToolIcon(icon));
    button->setIconSize(QSize(16, 16));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    // As on Windows tool bars: Tab passes over the buttons.
    button->setFocusPolicy(Qt::NoFocus);
    // The caption must stay readable where the style pads more than the width allows.
    button->setFixedSize(std::max(width, button->sizeHint().width()), kButtonHeight);
    button->setStatusTip(hint);
    connect(button, &QToolButton::clicked, this, [this, handler] {
        RunCommand(handler);
        SyncViewButtons();
    });
    toolBar_->addWidget(button);
    return button;
}

void TPHIForm::CreateToolBar()
{
    toolBar_ = new QToolBar;
    toolBar_->setObjectName(QStringLiteral("ToolBar1"));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->toggleViewAction()->setVisible(false);
    toolBar_->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, toolBar_);

    openButton_ = AddToolButton("LoadButton", QStringLiteral("Open"), QStringLiteral("open"), 60,
                                QStringLiteral("Open a new PHI file"), [this] { Load1Click(); });
    saveButton_ = AddToolButton("SaveButton", QStringLiteral("Save"), QStringLiteral("save"), 52,
                                QStringLiteral("Save changes to your PHI file"), [this] { Save1Click(); });
    objButton_ = AddToolButton("OBJButton", QStringLiteral("OBJ"), QStringLiteral("obj"), 52,
                               QStringLiteral("Add an OBJ to your PHI file"), [this] { OBJButtonClick(); });
    testButton_ = AddToolButton("TestButton", QStringLiteral("Test"), QStringLiteral("test"), 52,
                                QStringLiteral("Test your PHI file for errors"), [this] { TestButtonClick(); });
    textButton_ = AddToolButton("TextButton", QStringLiteral("Text"), QStringLiteral("text"), 52,
                                QStringLiteral("Edit your PHI file as text"), [this] { TextButtonClick(); });
    treeButton_ = AddToolButton("HierButton", QStringLiteral("Tree"), QStringLiteral("tree"), 52,
                                QStringLiteral("Edit your PHI file as a tree"), [this] { HierButtonClick(); });
    increaseButton_ = AddToolButton("IncButton", QStringLiteral("Lvl"), QStringLiteral("increase"), 52,
                                    QStringLiteral("Increase the level of the currently selected lines"),
                                    [this] { IncreaseLevel1Click(); });
    decreaseButton_ = AddToolButton("DecButton", QStringLiteral("Lvl"), QStringLiteral("decrease"), 60,
                                    QStringLiteral("Decrease the level of the currently selected lines"),
                                    [this] { DecreaseLevel1Click(); });

    // At most one of the two view buttons is pressed; none at first.
    auto* views = new QButtonGroup(this);
    views->setExclusive(true);
    for (QToolButton* button : { textButton_, treeButton_ }) {
        button->setCheckable(true);
        views->addButton(button);
    }
}

QMenu* TPHIForm::AddMenu(const char* name, const QString& caption, Handler opened)
{
    QMenu* menu = menuBar()->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    menuGate_->AddMenu(menu, std::move(opened));
    return menu;
}

QMenu* TPHIForm::AddSubmenu(QMenu* menu, const char* name, const QString& caption, const QString& hint, Handler opened)
{
    QMenu* submenu = menu->addMenu(caption);
    submenu->setObjectName(QLatin1String(name));
    // Its item in menu goes by the same name.
    submenu->menuAction()->setObjectName(QLatin1String(name));
    submenu->menuAction()->setStatusTip(hint);
    menuGate_->AddMenu(submenu, std::move(opened));
    return submenu;
}

QAction* TPHIForm::AddMenuItem(QMenu* menu, const char* name, const QString& caption, const QString& hint,
                               Handler handler, const QList<QKeySequence>& keys)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setStatusTip(hint);
    action->setShortcuts(keys);
    menuGate_->AddItem(menu, action, std::move(handler));
    return action;
}

void TPHIForm::AddSeparator(QMenu* menu, const char* name)
{
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

void TPHIForm::CreateMenus()
{
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    ui::GiveFocusBackAfterMenus(*menuBar());
    fileMenu_ = AddMenu("File1", QStringLiteral("&File"));
    newAction_ = AddMenuItem(fileMenu_, "New1", QStringLiteral("&New"), QStringLiteral("Create a New PHI file"),
                             [this] { New1Click(); }, { QKeySequence(Qt::CTRL | Qt::Key_N) });
    openAction_ = AddMenuItem(fileMenu_, "Load1", QStringLiteral("&Open..."), QStringLiteral("Open a new PHI file"),
                              [this] { Load1Click(); }, { QKeySequence(Qt::CTRL | Qt::Key_O) });
    CreateRecentMenu();
    saveAction_
        = AddMenuItem(fileMenu_, "Save1", QStringLiteral("&Save"), QStringLiteral("Save changes to your PHI file"),
                      [this] { Save1Click(); }, { QKeySequence(Qt::CTRL | Qt::Key_S) });
    saveAsAction_ = AddMenuItem(fileMenu_, "SaveAs1", QStringLiteral("Save &As..."),
                                QStringLiteral("Save changes to a different file"), [this] { SaveAs1Click(); },
                                { QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S) });
    AddSeparator(fileMenu_, "N1");
    exitAction_ = AddMenuItem(fileMenu_, "Exit1", QStringLiteral("E&xit"), QStringLiteral("Exit Varnoke"),
                              [this] { Exit1Click(); });

    optionsMenu_ = AddMenu("Options2", QStringLiteral("&Options"), [this] { Options2Click(); });
    testAction_
        = AddMenuItem(optionsMenu_, "Test2", QStringLiteral("&Test"), QStringLiteral("Test your PHI file for errors"),
                      [this] { TestButtonClick(); }, { Qt::Key_F10 });
    addObjAction_
        = AddMenuItem(optionsMenu_, "AddOBJ3", QStringLiteral("Add OBJ..."),
                      QStringLiteral("Add an OBJ to your PHI file"), [this] { OBJButtonClick(); }, { Qt::Key_F6 });
    AddSeparator(optionsMenu_, "N3");
    editAsTextAction_
        = AddMenuItem(optionsMenu_, "EditAsText1", QStringLiteral("Edit As Text"),
                      QStringLiteral("Edit your PHI file as text"), [this] { TextButtonClick(); }, { Qt::Key_F4 });
    editAsTreeAction_
        = AddMenuItem(optionsMenu_, "EditAsTree1", QStringLiteral("Edit As Tree"),
                      QStringLiteral("Edit your PHI file as a tree"), [this] { HierButtonClick(); }, { Qt::Key_F5 });
    AddSeparator(optionsMenu_, "N7");
    poserFolderAction_ = AddMenuItem(optionsMenu_, "PoserFolder1", QStringLiteral("&Poser Folder..."), QString(),
                                     [this] { PoserFolder1Click(); });
    editAsTextAction_->setCheckable(true);
    editAsTreeAction_->setCheckable(true);
    AddSeparator(optionsMenu_, "N6");
    previewAction_ = AddMenuItem(optionsMenu_, "Preview1", QStringLiteral("Pre&view"),
                                 QStringLiteral("Show or hide the 3-D preview of the figure"),
                                 [this] { Preview1Click(); }, { Qt::Key_F12 });
    previewAction_->setCheckable(true);

    textMenu_ = AddMenu("Options1", QStringLiteral("&Text"), [this] { Options1Click(); });
    increaseLevelAction_ = AddMenuItem(textMenu_, "IncreaseLevel1", QStringLiteral("&Increase Level"),
                                       QStringLiteral("Increase the level of the currently selected lines"),
                                       [this] { IncreaseLevel1Click(); }, { Qt::Key_F2 });
    decreaseLevelAction_ = AddMenuItem(textMenu_, "DecreaseLevel1", QStringLiteral("&Decrease Level"),
                                       QStringLiteral("Decrease the level of the currently selected lines"),
                                       [this] { DecreaseLevel1Click(); }, { Qt::Key_F3 });
    CreateTextAidMenus();

    treeMenu_ = AddMenu("Tree1", QStringLiteral("T&ree"), [this] { Tree1Click(); });
    editAction_
        = AddMenuItem(treeMenu_, "Edit1", QStringLiteral("Edit..."), QStringLiteral("Edit the currently selected item"),
                      [this] { EditItemClick(); }, { Qt::Key_F7 });
    addCommentAction_ = AddMenuItem(treeMenu_, "AddComment1", QStringLiteral("Add Comment..."),
                                    QStringLiteral("Add a comment to the top of the file"),
                                    [this] { InsertCommentClick(); }, { Qt::Key_F8 });
    addIKChainAction_ = AddMenuItem(treeMenu_, "AddIKChain2", QStringLiteral("Add IK Chain..."),
                                    QStringLiteral("Add a IK Chain"), [this] { AddIKChain1Click(); }, { Qt::Key_F9 });
    AddSeparator(treeMenu_, "N5");
    deleteAction_ = AddMenuItem(treeMenu_, "Delete2", QStringLiteral("&Delete"),
                                QStringLiteral("Delete the currently selected item"), [this] { Delete1Click(); });
    AddSeparator(treeMenu_, "N6");
    // Their hints name the steps when the menu opens.
    undoAction_ = AddMenuItem(treeMenu_, "Undo1", QStringLiteral("&Undo"), document_->History().UndoHint(),
                              [this] { Undo1Click(); }, { QKeySequence(Qt::CTRL | Qt::Key_Z) });
    redoAction_ = AddMenuItem(treeMenu_, "Redo1", QStringLiteral("&Redo"), document_->History().RedoHint(),
                              [this] { Redo1Click(); },
                              { QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y) });

    helpMenu_ = AddMenu("Help1", QStringLiteral("&Help"));
    contentsAction_
        = AddMenuItem(helpMenu_, "Contents1", QStringLiteral("&Contents..."), QStringLiteral("Bring up the help file"),
                      [this] { Contents1Click(); }, { Qt::Key_F1 });
    aboutAction_ = AddMenuItem(helpMenu_, "About1", QStringLiteral("&About..."),
                               QStringLiteral("Display the About Box"), [this] { About1Click(); });
}

void TPHIForm::CreateTextAidMenus()
{
    AddSeparator(textMenu_, "FindSeparator");
    findAction_
        = AddMenuItem(textMenu_, "Find1", QStringLiteral("&Find..."), QStringLiteral("Find text in the PHI file"),
                      [this] { findBar_->Open(); }, { QKeySequence(Qt::CTRL | Qt::Key_F) });
    findNextAction_
        = AddMenuItem(textMenu_, "FindNext1", QStringLiteral("Find &Next"), QStringLiteral("Find the next match"),
                      [this] { findBar_->FindNext(); }, { QKeySequence(Qt::CTRL | Qt::Key_G) });
    findPreviousAction_ = AddMenuItem(textMenu_, "FindPrevious1", QStringLiteral("Find Pre&vious"),
                                      QStringLiteral("Find the previous match"), [this] { findBar_->FindPrevious(); },
                                      { QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G) });
    nextDiagnosticAction_
        = AddMenuItem(textMenu_, "NextDiagnostic1", QStringLiteral("Next Dia&gnostic"),
                      QStringLiteral("Go to the next line with an error or warning"),
                      [this] { decorations_->GoToMarked(true); }, { QKeySequence(Qt::CTRL | Qt::Key_Period) });
    previousDiagnosticAction_
        = AddMenuItem(textMenu_, "PreviousDiagnostic1", QStringLiteral("&Previous Diagnostic"),
                      QStringLiteral("Go to the previous line with an error or warning"),
                      [this] { decorations_->GoToMarked(false); }, { QKeySequence(Qt::CTRL | Qt::Key_Comma) });
}
