#pragma once

#include "hierarchy/text_positions.h"
#include "tree/drag_drop.h"
#include "tree/input_box_edits.h"
#include "tree/tree_edits.h"
#include "ui/cursor_prompts.h"
#include "ui/recent_files.h"

#include <QKeySequence>
#include <QMainWindow>

#include <exception>
#include <functional>
#include <memory>
#include <optional>

class DiagnosticsModel;
class Document;
class FindBar;
class ForcedCloseWatch;
class HelpWindow;
class HierarchyTreeView;
class LongWork;
class MenuGate;
class PreviewPane;
class Prompts;
class QAction;
class QListView;
class QMenu;
class QSplitter;
class QStackedWidget;
class QStatusBar;
class QToolBar;
class QToolButton;
class Settings;
class TAboutBox;
class TEditIKForm;
class TEditLevelForm;
class TEditOBJForm;
class TextDecorations;
class TextView;

// The main window: the document in its two views, the diagnostics of the last test,
// the menus and tool bar, and the handlers of every command, which run on the Document.
class TPHIForm : public QMainWindow {
    Q_OBJECT

public:
    // Start-up checks happen here, before the window is first shown.
    TPHIForm(Prompts& prompts, Settings& settings, Document& document, QWidget* parent = nullptr);
    ~TPHIForm() override;

    Document& Doc() const { return *document_; }
    bool FTextMode() const;
    // The help window, once help was asked for.
    HelpWindow* Help() const { return help_.get(); }
    // The node selected in the tree view; none when nothing is.
    varnoke::Node* SelectedNode() const;

    // Views and test.
    void ShowTextView();
    void ShowTreeView();
    bool TestHierarchy();
    void TestAndChooseView();
    void TextButtonClick();
    void HierButtonClick();
    void TestButtonClick();
    void Options2Click();
    void Options1Click();
    void About1Click();
    void DisplayHint(const QString& hint);

    // File commands.
    bool QuerySaveChanges();
    void LoadDocument(const QString& path);
    bool SaveDocument();
    void New1Click();
    void Load1Click();
    void Save1Click();
    void SaveAs1Click();
    void Exit1Click();
    void FormCloseQuery(bool& CanClose);
    // Another program destroyed the native window: closed as the window manager's close.
    void CloseAfterForcedDestroy();
    void HandleDroppedFiles(const QStringList& paths);
    // The "Open Recent" submenu (recent_menu.cpp): its opening handler, a file, "&Clear".
    void OpenRecent1Click();
    void OpenRecentFile(const QString& path);
    void ClearRecent1Click();

    // "&Poser Folder..." (poser_folder_command.cpp): the folder that holds Poser's Runtime.
    void PoserFolder1Click();

    // Text view aids.
    std::optional<varnoke::LineRange> SelectedLineRange() const;
    void ShiftLevel(int direction);
    void IncreaseLevel1Click();
    void DecreaseLevel1Click();
    void SelectLine(int lineNumber);
    void WarningsListClick();
    void HelpForLine(const std::string& text);
    void Contents1Click();
    void ShowHelp(int context);

    // Tree editing.
    void Tree1Click();
    bool TreeView1DragOver(const QModelIndex& target);
    void TreeView1EndDrag(const QModelIndex& target, varnoke::DropRegion region);
    // Where the drop planned for the target's region would put the dragged node.
    varnoke::DropMark DropMarkAt(const QModelIndex& target, varnoke::DropRegion region);
    void TreeView1DblClick();
    void EditItemClick();
    void InsertCommentClick();
    void AddIKChain1Click();
    void Delete1Click();
    void Undo1Click();
    void Redo1Click();

    // Generation from an OBJ file.
    void OBJButtonClick();

    // The 3-D preview.
    void Preview1Click();
    // Selects the first level node, or in the text view its line, of the part (letter case ignored).
    void SelectPart(const std::string& part);

    // Runs a command as the window's event dispatch does: an error it raises is shown
    // in an error box and the program goes on; the views then show what it changed. A
    // command asked for while another one's long work lets the window paint is dropped.
    void RunCommand(const std::function<void()>& command);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    using Handler = std::function<void()>;

    void FitOuterSize();
    // Kept between runs (window_memory.cpp).
    void RestoreSettings();
    void SaveWindowSettings();
    void RememberFileFolder(const QString& folder);
    void RememberOpenFilter(const QString& filter);
    void CreateRecentMenu();
    void ShowRecentFiles();
    // A file opened or saved comes first in "Open Recent"; one that is gone leaves it.
    void RememberFile(const QString& path);
    void ForgetFile(const QString& path);
    void RestorePoserFolder();
    // The Poser folder in use, in the menu item's hint.
    void ShowPoserFolder();
    void CreateControls();
    void CreateToolBar();
    void CreateMenus();
    void CreateTextAidMenus();
    // The tree view's own keys and its context menu, over the Tree menu's items.
    void CreateTreeKeys();
    QMenu* AddMenu(const char* name, const QString& caption, Handler opened = {});
    // A submenu at the end of menu; its own opening handler, if any, gates its items.
    QMenu* AddSubmenu(QMenu* menu, const char* name, const QString& caption, const QString& hint, Handler opened = {});
    QAction* AddMenuItem(QMenu* menu, const char* name, const QString& caption, const QString& hint, Handler handler,
                         const QList<QKeySequence>& keys = {});
    void AddSeparator(QMenu* menu, const char* name);
    QToolButton* AddToolButton(const char* name, const QString& caption, const QString& icon, int width,
                               const QString& hint, Handler handler);
    void FormCreate();
    void CreatePreview();
    // Lights up the part of the selected node or of the level line under the caret, and the
    // parts below its node.
    void ShowCurrentPart();
    void ShowCommandError(std::exception_ptr error);
    void ShowTestResult();
    void ChooseView(bool passed);
    void ShowLevelButtons(bool visible);
    // Between the view that is shown and the diagnostics list.
    void SwitchFocus(bool backward);
    void SyncViewButtons();
    varnoke::TreeWindow LookAtTree();
    // Runs a tree command on the document with the tree view's selection, and selects
    // the node the command leaves selected.
    void EditTree(const std::function<QString()>& name, const std::function<void(varnoke::TreeWindow&)>& command);
    // Selects the node an undo or a redo changed, its parent opened.
    void ShowWalked(const varnoke::Node* node);
    void SelectNode(const varnoke::Node* node);
    void EditNode(varnoke::TreeWindow& window, varnoke::Node& node);
    // The text entered in the input box, or its initial text after Cancel.
    std::string InputBox(const varnoke::InputBoxRequest& request);
    void ShowSelectedDiagnostic();
    // The save dialog; a name chosen becomes the name Save writes to.
    bool AskSaveName();
    // Writes the document to its save path, asking first about a file another program
    // changed since it was read; false when the answer was No.
    bool WriteDocument();
    void OpenAs(const QString& path);
    // Asks before a file too large to be a hierarchy is read; false when the answer was No.
    bool OpenLargeFileAnyway(const QString& path);
    // The same for a paste into the editor.
    bool PasteLargeTextAnyway(std::int64_t characters);

    // The given prompts, with the normal pointer while they wait for the user.
    CursorPrompts cursorPrompts_;
    Prompts& prompts_;
    Settings& settings_;
    Document* document_;
    DiagnosticsModel* diagnostics_;
    MenuGate* menuGate_;
    LongWork* longWork_;

    QMenu* fileMenu_ = nullptr;
    QAction* newAction_ = nullptr;
    QAction* openAction_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QAction* clearRecentAction_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* saveAsAction_ = nullptr;
    QAction* exitAction_ = nullptr;
    QMenu* optionsMenu_ = nullptr;
    QAction* testAction_ = nullptr;
    QAction* addObjAction_ = nullptr;
    QAction* editAsTextAction_ = nullptr;
    QAction* editAsTreeAction_ = nullptr;
    QAction* poserFolderAction_ = nullptr;
    QAction* previewAction_ = nullptr;
    QMenu* textMenu_ = nullptr;
    QAction* increaseLevelAction_ = nullptr;
    QAction* decreaseLevelAction_ = nullptr;
    QAction* findAction_ = nullptr;
    QAction* findNextAction_ = nullptr;
    QAction* findPreviousAction_ = nullptr;
    QAction* nextDiagnosticAction_ = nullptr;
    QAction* previousDiagnosticAction_ = nullptr;
    QMenu* treeMenu_ = nullptr;
    QAction* editAction_ = nullptr;
    QAction* addCommentAction_ = nullptr;
    QAction* addIKChainAction_ = nullptr;
    QAction* deleteAction_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QAction* contentsAction_ = nullptr;
    QAction* aboutAction_ = nullptr;

    QToolBar* toolBar_ = nullptr;
    QToolButton* openButton_ = nullptr;
    QToolButton* saveButton_ = nullptr;
    QToolButton* objButton_ = nullptr;
    QToolButton* testButton_ = nullptr;
    QToolButton* textButton_ = nullptr;
    QToolButton* treeButton_ = nullptr;
    QToolButton* increaseButton_ = nullptr;
    QToolButton* decreaseButton_ = nullptr;

    QSplitter* splitter_ = nullptr;
    QStackedWidget* views_ = nullptr;
    QWidget* textPage_ = nullptr; // the text view and its find bar
    TextView* textView_ = nullptr;
    FindBar* findBar_ = nullptr;
    TextDecorations* decorations_ = nullptr;
    HierarchyTreeView* treeView_ = nullptr;
    QListView* diagnosticsList_ = nullptr;
    QStatusBar* statusBar_ = nullptr;

    TAboutBox* aboutBox_ = nullptr;
    TEditOBJForm* objForm_ = nullptr;
    TEditIKForm* ikForm_ = nullptr;
    TEditLevelForm* levelForm_ = nullptr;
    std::unique_ptr<HelpWindow> help_;
    std::unique_ptr<ForcedCloseWatch> forcedCloseWatch_;
    PreviewPane* preview_ = nullptr;

    QString helpFile_; // named at start-up; the help itself is built into the program
    QString openFilter_; // the Open dialog's filter chosen last
    RecentFiles recent_;
    QStringList recentShown_; // the files the recent menu's items open
    QString lastFileFolder_; // of the file last opened or saved; kept by New, which forgets the file names
    bool placed_ = false;
};
