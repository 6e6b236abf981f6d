// The main window: menus, tool bar, the tree of editor windows, the status bar, the child
// windows of the editors on the window's document, the data file commands and the question
// before work is discarded. Its parts live in files by what they do: the command table
// (CommandTable.cpp), the dispatcher (MainCommands.cpp), the document's commands
// (DocumentCommands.cpp), the child windows (ChildWindows.cpp), the status bar
// (StatusPanels.cpp) and the undo keys (UndoKeys.cpp).
#pragma once

#include "link/qt/PortList.h"
#include "shell/Commands.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QDialog;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QSplitter;
class QTimer;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace zorva {

class TfMainFrm : public QMainWindow, public MainWindowPort {
    Q_OBJECT

public:
    explicit TfMainFrm(QWidget* parent = nullptr);
    ~TfMainFrm() override;

    // Runs command `command` of the command table; numbers not in it do nothing.
    void RunCommand(int command);
    // The status bar panels and the caption.
    void UpdateStatus();

    RadioDocument& Document() override { return *document_; }
    QString StepName(int command) const override;
    QMdiArea* MdiArea() const { return mdi_; }
    // The menu item of a command (for the tool buttons, ToolButton()).
    QAction* CommandAction(int command) const;
    QAction* ToolButton(int command) const;
    QLabel* StatusPanel(int index) const;

    // --- Child windows: one per editor type (commands 9 to 19) ---
    // The window is given to the MDI area (a QMdiSubWindow is taken as it is).
    void RegisterChildWindow(int command, ChildFactory create) override;
    // The open window of `command`, null when there is none.
    QMdiSubWindow* ChildWindow(int command) const;

    // --- Modal dialogs: read, write, power test, model, port, language, about ---
    // The port, read and write, language and about dialogs are registered by the constructor.
    void RegisterDialog(int command, DialogFactory create, DialogOutcome outcome = {}) override;
    QWidget* DialogParent() override { return this; }
    bool MayDiscard() override;
    void RegisterCommand(int command, int window, CommandRun run) override;
    void ShowStatusNote(const std::string& text) override;

    // Loads a data file as Open does after its dialog; a file taken becomes the first of the
    // recent files. Returns whether it was taken.
    bool OpenFile(const std::string& path);

    // --- Seams for tests ---
    // The file dialogs: the chosen path, empty when cancelled.
    std::function<QString()> openDialog;
    std::function<QString()> saveDialog;
    // The open-file dialog of Open Backup, in the backup folder.
    std::function<QString(const QString& folder)> backupDialog;
    // Runs a modal dialog to its end and returns its result (QDialog::exec by default).
    std::function<int(QDialog&)> execDialog;
    // The ports listed at start-up (by default the system's, numbered through SysInfo.Ini).
    std::function<std::vector<ListedPort>()> portLister;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Building the window (MainFrm.cpp, CommandTable.cpp, StatusPanels.cpp).
    void BuildActions();
    void BuildMenus();
    void BuildToolBar();
    void BuildTree();
    void BuildStatusBar();
    void ConnectDocument();
    void FormShow();
    void SetTreeTexts();
    // Returns what the user is told when the stored port was not found.
    std::string ChoosePortAtStart();
    // Chooses the port, once, after the first showing.
    void ChoosePortOnce();
    void ShowClock();
    void SaveSettings();
    bool AskYes(const std::string& question);
    QAction* AddAction(const char* name, int tag, const QString& caption,
                       const QKeySequence& shortcut = {});
    QAction* AddToolButton(const char* name, int tag, const QString& hint);

    // The document's commands (DocumentCommands.cpp).
    void New();
    void Open();
    // Saves to the image's file, asking for one when it has none (or always, `askName`);
    // returns whether the file now holds the image. A cancelled dialog, a declined
    // replacement or a failed save leave the image, its file name and its history as they
    // were.
    bool Save(bool askName = false);
    void OpenBackup();
    // The recent files in the File menu; choosing one loads it.
    void BuildRecentItems();
    void ShowRecentFiles();
    void OpenRecent(int index);
    void RememberFile(const std::string& path);

    // The dispatcher (MainCommands.cpp).
    void RunRegisteredDialog(int command);
    void ReadFromRadio();
    // Every text anew from the language just chosen; the child windows are made again.
    // `previousId` and `previousName` are put back when the user stops the switch.
    void ApplyLanguage(int previousId, const std::string& previousName);
    void RunRegisteredCommand(int command);
    // The content of the child window of `window` while it is the current one, else null.
    QWidget* CommandWindow(int window) const;
    void UpdateWindowCommands();

    // Child windows (ChildWindows.cpp).
    void OpenChild(int command);
    void DestroyChildren();
    // The tree's node follows the active window, the View menu's tick the tree's pane.
    void FollowActiveWindow();
    void TileChildren(Qt::Orientation orientation);
    void ArrangeIcons();
    void CloseAllChildren();
    void ToggleToolbar();
    void ToggleStatusBar();
    void ToggleTree();

    // Undo and redo (UndoKeys.cpp).
    // The Undo and Redo items name the step they take; their captions come from the language.
    void KeepUndoCaptions();
    void UpdateUndoActions();
    // Stores what is still being typed in any child window, before a command or an undo.
    void CommitPendingEdits();
    // The open child windows at the end of `menu`, the active one ticked.
    void ListOpenWindows(QMenu& menu);
    // Has every open window show what the user chose to see.
    void ShowViewChoices();
    // Whether Ctrl+Z (Ctrl+Y) in a text field goes to the image's history: when the field has
    // no typing of its own to undo (redo).
    bool TakesUndoKey(QObject* watched, QEvent* event) const;

    std::unique_ptr<RadioDocument> document_;
    bool shown_ = false;
    bool portsPending_ = false; // the port is chosen once the window has been painted
    int replacements_ = 0;      // new images the document announced

    std::map<int, QAction*> menuItems_;
    std::map<int, QAction*> toolButtons_;
    std::map<int, ChildFactory> childFactories_;
    std::map<int, QPointer<QMdiSubWindow>> children_;
    std::map<int, DialogFactory> dialogFactories_;
    std::map<int, DialogOutcome> dialogOutcomes_;
    struct RegisteredCommand {
        int window = 0;
        CommandRun run;
    };
    std::map<int, RegisteredCommand> commands_;

    QToolBar* tbar_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QWidget* pTree_ = nullptr;
    QTreeWidget* cxTree_ = nullptr;
    QMdiArea* mdi_ = nullptr;
    QLabel* lCom_ = nullptr;
    QComboBox* cbCom_ = nullptr;
    std::vector<QLabel*> panels_;
    QTimer* timer_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    std::vector<QAction*> recentItems_;
};

} // namespace zorva
