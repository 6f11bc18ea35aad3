// The main window's controls, tool bar and menus.
#include "app/phi_form.h"

#include "app/hierarchy_tree_view.h"

#include "dialogs/hierarchy_model.h"

#include <QButtonGroup>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kButtonHeight = 25;
constexpr int kWarningsListHeight = 48;
constexpr int kItemHeight = 13;
constexpr int kSplitterHeight = 3;
constexpr int kTreeIndent = 19;

void EnableItems(QMenu* menu)
{
    for (QAction* action : menu->actions())
        action->setEnabled(true);
}

QIcon ToolIcon(const QString& name)
{
    QIcon icon(QStringLiteral(":/icons/%1.svg").arg(name));
    icon.addFile(QStringLiteral(":/icons/disabled/%1.svg").arg(name), QSize(), QIcon::Disabled);
    return icon;
}

} // namespace

void TPHIForm::CreateControls()
{
    TreeView1 = new HierarchyTreeView;
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setModel(model_);
    TreeView1->setHeaderHidden(true);
    TreeView1->setUniformRowHeights(true);
    TreeView1->setIndentation(kTreeIndent);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
    TreeView1->setStatusTip(QStringLiteral("Drag & Drop to rearrange your hierarchy, Double-Click to edit nodes"));
    // The selection stays visible when the tree has no focus.
    QPalette palette = TreeView1->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    TreeView1->setPalette(palette);
    TreeView1->DragOver = [this](const QModelIndex& target) { return TreeView1DragOver(target); };
    TreeView1->EndDrag = [this](const QModelIndex& target, varnoke::DropRegion region) {
        RunCommand([&] { TreeView1EndDrag(target, region); });
    };
    connect(TreeView1, &HierarchyTreeView::DoubleClicked, this,
            [this] { RunCommand([this] { TreeView1DblClick(); }); });
    TreeView1->hide();

    TextMemo = new QPlainTextEdit;
    TextMemo->setObjectName(QStringLiteral("TextMemo"));
    TextMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    TextMemo->setWordWrapMode(QTextOption::NoWrap);
    TextMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TextMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TextMemo->setTabChangesFocus(false);
    // Files dropped on the editor open as documents; they are not pasted into the text.
    TextMemo->setAcceptDrops(false);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    TextMemo->setFont(font);
    TextMemo->setTabStopDistance(QFontMetricsF(font).horizontalAdvance(QLatin1Char(' ')) * 4);

    auto* views = new QWidget;
    auto* viewsLayout = new QVBoxLayout(views);
    viewsLayout->setContentsMargins(0, 0, 0, 0);
    viewsLayout->setSpacing(0);
    viewsLayout->addWidget(TextMemo);
    viewsLayout->addWidget(TreeView1);

    WarningsList = new QListWidget;
    WarningsList->setObjectName(QStringLiteral("WarningsList"));
    WarningsList->setUniformItemSizes(true);
    WarningsList->setStatusTip(
        QStringLiteral("Warnings and errors will show up here, after you've tested your PHI file."));
    WarningsList->setMinimumHeight(kItemHeight);

    Splitter2 = new QSplitter(Qt::Vertical);
    Splitter2->setObjectName(QStringLiteral("Splitter2"));
    Splitter2->setHandleWidth(kSplitterHeight);
    Splitter2->setChildrenCollapsible(false);
    Splitter2->addWidget(views);
    Splitter2->addWidget(WarningsList);
    // The views take every change of size; the list keeps its height.
    Splitter2->setStretchFactor(0, 1);
    Splitter2->setStretchFactor(1, 0);
    Splitter2->setSizes({ 1000, kWarningsListHeight });
    setCentralWidget(Splitter2);

    StatusBar1 = new QStatusBar;
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(true);
    setStatusBar(StatusBar1);
}

QToolButton* TPHIForm::AddToolButton(const QString& caption, const QString& icon, int width, const QString& hint,
                                     Handler handler)
{
    auto* button = new QToolButton;
    button->setText(caption);
    button->setIcon(ToolIcon(icon));
    button->setIconSize(QSize(16, 16));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    // The caption must stay readable where the style pads more than the width allows.
    button->setFixedSize(std::max(width, button->sizeHint().width()), kButtonHeight);
    button->setStatusTip(hint);
    connect(button, &QToolButton::clicked, this, [this, handler] {
        RunCommand([this, handler] { (this->*handler)(); });
        SyncViewButtons();
    });
    ToolBar1->addWidget(button);
    return button;
}

void TPHIForm::CreateToolBar()
{
    ToolBar1 = new QToolBar;
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->toggleViewAction()->setVisible(false);
    ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, ToolBar1);

    LoadButton = AddToolButton(QStringLiteral("Open"), QStringLiteral("open"), 60,
                               QStringLiteral("Open a new PHI file"), &TPHIForm::Load1Click);
    SaveButton = AddToolButton(QStringLiteral("Save"), QStringLiteral("save"), 52,
                               QStringLiteral("Save changes to your PHI file"), &TPHIForm::Save1Click);
    OBJButton = AddToolButton(QStringLiteral("OBJ"), QStringLiteral("obj"), 52,
                              QStringLiteral("Add an OBJ to your PHI file"), &TPHIForm::OBJButtonClick);
    TestButton = AddToolButton(QStringLiteral("Test"), QStringLiteral("test"), 52,
                               QStringLiteral("Test your PHI file for errors"), &TPHIForm::TestButtonClick);
    TextButton = AddToolButton(QStringLiteral("Text"), QStringLiteral("text"), 52,
                               QStringLiteral("Edit your PHI file as text"), &TPHIForm::TextButtonClick);
    HierButton = AddToolButton(QStringLiteral("Tree"), QStringLiteral("tree"), 52,
                               QStringLiteral("Edit your PHI file as a tree"), &TPHIForm::HierButtonClick);
    IncButton = AddToolButton(QStringLiteral("Lvl"), QStringLiteral("increase"), 52,
                              QStringLiteral("Increase the level of the currently selected lines"),
                              &TPHIForm::IncreaseLevel1Click);
    DecButton = AddToolButton(QStringLiteral("Lvl"), QStringLiteral("decrease"), 60,
                              QStringLiteral("Decrease the level of the currently selected lines"),
                              &TPHIForm::DecreaseLevel1Click);
    LoadButton->setObjectName(QStringLiteral("LoadButton"));
    SaveButton->setObjectName(QStringLiteral("SaveButton"));
    OBJButton->setObjectName(QStringLiteral("OBJButton"));
    TestButton->setObjectName(QStringLiteral("TestButton"));
    TextButton->setObjectName(QStringLiteral("TextButton"));
    HierButton->setObjectName(QStringLiteral("HierButton"));
    IncButton->setObjectName(QStringLiteral("IncButton"));
    DecButton->setObjectName(QStringLiteral("DecButton"));

    // At most one of the two view buttons is pressed; none at first.
    auto* views = new QButtonGroup(this);
    views->setExclusive(true);
    for (QToolButton* button : { TextButton, HierButton }) {
        button->setCheckable(true);
        views->addButton(button);
    }
}

QMenu* TPHIForm::AddMenu(const QString& caption, Handler opened)
{
    QMenu* menu = menuBar()->addMenu(caption);
    if (opened) {
        menuOpened_.insert(menu, opened);
        connect(menu, &QMenu::aboutToShow, this, [this, opened] { RunCommand([this, opened] { (this->*opened)(); }); });
        // Closed, the items answer their keys again: a key runs the opening handler
        // itself and then runs its item only if that left it enabled.
        connect(menu, &QMenu::aboutToHide, this, [menu] { EnableItems(menu); });
    }
    return menu;
}

QAction* TPHIForm::AddMenuItem(QMenu* menu, const QString& caption, const QString& hint, Handler handler, int key)
{
    QAction* action = menu->addAction(caption);
    action->setStatusTip(hint);
    if (key)
        action->setShortcut(QKeySequence(key));
    const Handler opened = menuOpened_.value(menu);
    connect(action, &QAction::triggered, this, [this, menu, action, handler, opened] {
        RunCommand([this, menu, action, handler, opened] {
            bool enabled = true;
            if (opened) {
                (this->*opened)();
                enabled = action->isEnabled();
                // A closed menu's items keep answering their keys, whatever this one left.
                if (!menu->isVisible())
                    EnableItems(menu);
            }
            if (enabled)
                (this->*handler)();
        });
    });
    return action;
}

void TPHIForm::CreateMenus()
{
    File1 = AddMenu(QStringLiteral("&File"));
    New1 = AddMenuItem(File1, QStringLiteral("&New"), QStringLiteral("Create a New PHI file"), &TPHIForm::New1Click);
    Load1
        = AddMenuItem(File1, QStringLiteral("&Open..."), QStringLiteral("Open a new PHI file"), &TPHIForm::Load1Click);
    Save1 = AddMenuItem(File1, QStringLiteral("&Save"), QStringLiteral("Save changes to your PHI file"),
                        &TPHIForm::Save1Click);
    SaveAs1 = AddMenuItem(File1, QStringLiteral("Save &As..."), QStringLiteral("Save changes to a different file"),
                          &TPHIForm::SaveAs1Click);
    File1->addSeparator();
    Exit1 = AddMenuItem(File1, QStringLiteral("E&xit"), QStringLiteral("Exit Varnoke"), &TPHIForm::Exit1Click);

    Options2 = AddMenu(QStringLiteral("&Options"), &TPHIForm::Options2Click);
    Test2 = AddMenuItem(Options2, QStringLiteral("&Test"), QStringLiteral("Test your PHI file for errors"),
                        &TPHIForm::TestButtonClick, Qt::Key_F10);
    AddOBJ3 = AddMenuItem(Options2, QStringLiteral("Add OBJ..."), QStringLiteral("Add an OBJ to your PHI file"),
                          &TPHIForm::OBJButtonClick, Qt::Key_F6);
    Options2->addSeparator();
    EditAsText1 = AddMenuItem(Options2, QStringLiteral("Edit As Text"), QStringLiteral("Edit your PHI file as text"),
                              &TPHIForm::TextButtonClick, Qt::Key_F4);
    EditAsTree1 = AddMenuItem(Options2, QStringLiteral("Edit As Tree"), QStringLiteral("Edit your PHI file as a tree"),
                              &TPHIForm::HierButtonClick, Qt::Key_F5);
    EditAsText1->setCheckable(true);
    EditAsTree1->setCheckable(true);

    Options1 = AddMenu(QStringLiteral("&Text"), &TPHIForm::Options1Click);
    IncreaseLevel1 = AddMenuItem(Options1, QStringLiteral("&Increase Level"),
                                 QStringLiteral("Increase the level of the currently selected lines"),
                                 &TPHIForm::IncreaseLevel1Click, Qt::Key_F2);
    DecreaseLevel1 = AddMenuItem(Options1, QStringLiteral("&Decrease Level"),
                                 QStringLiteral("Decrease the level of the currently selected lines"),
                                 &TPHIForm::DecreaseLevel1Click, Qt::Key_F3);

    Tree1 = AddMenu(QStringLiteral("T&ree"), &TPHIForm::Tree1Click);
    Edit1 = AddMenuItem(Tree1, QStringLiteral("Edit..."), QStringLiteral("Edit the currently selected item"),
                        &TPHIForm::EditItemClick, Qt::Key_F7);
    AddComment1
        = AddMenuItem(Tree1, QStringLiteral("Add Comment..."), QStringLiteral("Add a comment to the top of the file"),
                      &TPHIForm::InsertCommentClick, Qt::Key_F8);
    AddIKChain2 = AddMenuItem(Tree1, QStringLiteral("Add IK Chain..."), QStringLiteral("Add a IK Chain"),
                              &TPHIForm::AddIKChain1Click, Qt::Key_F9);
    Tree1->addSeparator();
    Delete2 = AddMenuItem(Tree1, QStringLiteral("&Delete"), QStringLiteral("Delete the currently selected item"),
                          &TPHIForm::Delete1Click);

    Help1 = AddMenu(QStringLiteral("&Help"));
    Contents1 = AddMenuItem(Help1, QStringLiteral("&Contents..."), QStringLiteral("Bring up the help file"),
                            &TPHIForm::Contents1Click, Qt::Key_F1);
    About1 = AddMenuItem(Help1, QStringLiteral("&About..."), QStringLiteral("Display the About Box"),
                         &TPHIForm::About1Click);
}
