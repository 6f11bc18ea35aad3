#pragma once

#include "dialogs/prompts.h"
#include "hierarchy/check_state.h"
#include "hierarchy/forest.h"
#include "hierarchy/geometry_folders.h"
#include "hierarchy/text_positions.h"
#include "tree/drag_drop.h"
#include "tree/input_box_edits.h"
#include "tree/tree_edits.h"

#include <QHash>
#include <QMainWindow>

#include <memory>
#include <optional>

class HelpWindow;
class HierarchyModel;
class QAction;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QStatusBar;
class QToolBar;
class QToolButton;
class HierarchyTreeView;
class TAboutBox;
class TEditIKForm;
class TEditLevelForm;
class TEditOBJForm;
class TextMemoLines;

// A file dialog's settings that live from one use to the next.
struct FileDialogState {
    QString FileName; // full path; empty when none
    QString Filter; // the filter chosen last; empty before the first use
};

// The main window: the document in its two views, the diagnostics of the last test,
// the menus and tool bar, and every command that works on them.
class TPHIForm : public QMainWindow {
    Q_OBJECT

public:
    // Start-up checks happen here, before the window is first shown.
    TPHIForm(Prompts& prompts, const QString& programPath, QWidget* parent = nullptr);
    ~TPHIForm() override;

    // The controls, in their order of declaration.
    QMenu* File1 = nullptr;
    QAction* Load1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* SaveAs1 = nullptr;
    QAction* Exit1 = nullptr;
    HierarchyTreeView* TreeView1 = nullptr;
    FileDialogState OpenDialog1;
    FileDialogState SaveDialog1;
    QToolBar* ToolBar1 = nullptr;
    QToolButton* HierButton = nullptr;
    QToolButton* SaveButton = nullptr;
    QToolButton* LoadButton = nullptr;
    QPlainTextEdit* TextMemo = nullptr;
    QMenu* Help1 = nullptr;
    QAction* Contents1 = nullptr;
    QAction* About1 = nullptr;
    QSplitter* Splitter2 = nullptr;
    QListWidget* WarningsList = nullptr;
    QMenu* Options1 = nullptr;
    QToolButton* OBJButton = nullptr;
    FileDialogState OBJOpenDialog;
    QAction* IncreaseLevel1 = nullptr;
    QAction* DecreaseLevel1 = nullptr;
    QToolButton* IncButton = nullptr;
    QToolButton* DecButton = nullptr;
    QAction* New1 = nullptr;
    QToolButton* TextButton = nullptr;
    QToolButton* TestButton = nullptr;
    QMenu* Tree1 = nullptr;
    QAction* Edit1 = nullptr;
    QAction* AddComment1 = nullptr;
    QAction* AddIKChain2 = nullptr;
    QAction* Delete2 = nullptr;
    QMenu* Options2 = nullptr;
    QAction* Test2 = nullptr;
    QAction* AddOBJ3 = nullptr;
    QAction* EditAsText1 = nullptr;
    QAction* EditAsTree1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;

    TAboutBox* AboutBox = nullptr;
    TEditOBJForm* EditOBJForm = nullptr;
    TEditIKForm* EditIKForm = nullptr;
    TEditLevelForm* EditLevelForm = nullptr;

    // What a test leaves behind: the diagnostics, their counters and the part registries.
    varnoke::CheckState checks;
    bool FTextMode = true;
    bool FModified = false;
    int FErrorCount() const { return checks.WarningsList.FErrorCount; }
    int FWarningCount() const { return checks.WarningsList.FWarningCount; }

    const varnoke::Forest& Tree() const { return tree_; }
    TextMemoLines& Lines() { return *lines_; }
    HelpWindow* Help() const { return help_.get(); }
    // The help file named at start-up; the help itself is built into the program.
    const QString& HelpFile() const { return helpFile_; }

    // Views and test.
    void ShowTextView();
    void ShowTreeView();
    bool TestHierarchy();
    void TestAndChooseView();
    void TreeToText();
    void TextButtonClick();
    void HierButtonClick();
    void TestButtonClick();
    void Options2Click();
    void Options1Click();
    void About1Click();
    void DisplayHint(const QString& hint);

    // File commands.
    bool QuerySaveChanges();
    void LoadDocument();
    bool SaveDocument();
    void New1Click();
    void Load1Click();
    void Save1Click();
    void SaveAs1Click();
    void Exit1Click();
    void FormCloseQuery(bool& CanClose);
    void HandleDroppedFiles(const QStringList& paths);

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
    void TreeView1DblClick();
    void EditItemClick();
    void InsertCommentClick();
    void AddIKChain1Click();
    void Delete1Click();
    // The node selected in the tree view; none when nothing is.
    varnoke::Node* SelectedNode() const;

    // Generation from an OBJ file.
    void OBJButtonClick();

    // Runs a command as the window's event dispatch does: an error it raises is shown
    // in an error box and the program goes on.
    template <typename Command> void RunCommand(Command&& command)
    {
        try {
            command();
        } catch (...) {
            ShowCommandError(std::current_exception());
        }
    }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void FitOuterSize();
    void CreateControls();
    void CreateToolBar();
    void CreateMenus();
    using Handler = void (TPHIForm::*)();
    QMenu* AddMenu(const QString& caption, Handler opened = nullptr);
    QAction* AddMenuItem(QMenu* menu, const QString& caption, const QString& hint, Handler handler, int key = 0);
    QToolButton* AddToolButton(const QString& caption, const QString& icon, int width, const QString& hint,
                               Handler handler);
    void FormCreate();
    void ShowCommandError(std::exception_ptr error);
    bool TestLines(varnoke::DocumentLines& lines);
    void ShowTestResult();
    void ChooseView(bool passed);
    void ShowLevelButtons(bool visible);
    void SyncViewButtons();
    varnoke::TreeWindow MakeTreeWindow();
    void SelectNode(const varnoke::Node* node);
    QString InputBox(const varnoke::InputBoxRequest& request);
    void RefreshWarningsList();
    void ShowSelectedDiagnostic();
    void RefuseTextBeyondLatin1() const;
    // The save dialog; a name chosen becomes the name Save writes to.
    bool AskSaveName();
    void WriteDocument();
    void OpenAs(const QString& path);
    varnoke::GeometryFolders DocumentGeometryFolders() const;

    QHash<QMenu*, Handler> menuOpened_;
    Prompts& prompts_;
    QString programPath_;
    QString helpFile_;
    QString lastOpenFolder_; // kept by New, which forgets the file names
    varnoke::Forest tree_;
    HierarchyModel* model_ = nullptr;
    std::unique_ptr<TextMemoLines> lines_;
    std::unique_ptr<HelpWindow> help_;
    std::uint64_t shownDiagnostics_ = ~std::uint64_t { 0 };
    bool placed_ = false;
};
