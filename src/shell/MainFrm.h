// The main window: menus, tool bar, the tree of editor windows, the status bar, the child
// windows of the editors, the data file commands and the questions before data is lost.
#pragma once

#include "link/qt/PortList.h"

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

// Command numbers: the tag of every menu item and tool button.
namespace cmd {
inline constexpr int New = 1, Open = 2, Save = 3, SaveAs = 4, Print = 5, PrintPreview = 6, Exit = 7;
inline constexpr int Batch = 9, FreqEdit = 10, ChsInfo = 11, ChsEdit = 12, FmFun = 13, VoxFun = 14,
                     OptFun = 15, InfoMsg = 16, Key = 17, DtmfFun = 18, ScanFun = 19;
inline constexpr int Read = 20, Write = 21, Test = 22;
inline constexpr int Model = 30, Port = 31, Language = 32;
inline constexpr int TreeView = 40, Toolbar = 41, StatusBar = 42;
inline constexpr int Cascade = 50, TileHorizontally = 51, TileVertically = 52, ArrangeIcons = 53,
                     CloseAll = 54;
inline constexpr int HelpTopics = 60, About = 61;
inline constexpr int TestFrequency = 181;
} // namespace cmd

// What the channel table does for the main window when the image changed under it.
class ChannelTableView {
public:
    virtual ~ChannelTableView() = default;
    virtual void FormDeactivate() = 0; // closes its in-cell editors
    virtual void FillChannelRow(int channel) = 0;
    virtual void FillAllRows() = 0;
};

// What the channel edit window does for the main window.
class ChannelEditView {
public:
    virtual ~ChannelEditView() = default;
    virtual void ShowChannel() = 0;
};

class TfMainFrm : public QMainWindow {
    Q_OBJECT

public:
    explicit TfMainFrm(QWidget* parent = nullptr);
    ~TfMainFrm() override;

    // Runs command `command` of the command table; numbers not in it do nothing.
    void RunCommand(int command);
    // 0: the table's row of the current channel; 1: every child window closed and the
    // channel table opened again; 2: the channel edit window; 3: every table row and the
    // channel edit window.
    void RefreshViews(int kind);
    // The status bar panels and the caption.
    void UpdateStatus();

    const std::string& FileName() const { return fileName_; }
    QMdiArea* MdiArea() const { return mdi_; }
    // The menu item of a command (for the tool buttons, ToolButton()).
    QAction* CommandAction(int command) const;
    QAction* ToolButton(int command) const;
    QLabel* StatusPanel(int index) const;

    // --- Child windows: one per editor type (commands 9 to 19) ---
    // Makes the window of `command`; the window is given to the MDI area (a QMdiSubWindow is
    // taken as it is). The editors register here when they exist.
    using ChildFactory = std::function<QWidget*()>;
    void RegisterChildWindow(int command, ChildFactory create);
    // The open window of `command`, null when there is none.
    QMdiSubWindow* ChildWindow(int command) const;

    // --- Modal dialogs of later parts (22 power test, 30 model) ---
    using DialogFactory = std::function<std::unique_ptr<QDialog>(QWidget* parent)>;
    void RegisterDialog(int command, DialogFactory create);

    // --- Seams for tests ---
    // The file dialogs: the chosen path, empty when cancelled.
    std::function<QString()> openDialog;
    std::function<QString()> saveDialog;
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
    void BuildActions();
    void BuildMenus();
    void BuildToolBar();
    void BuildTree();
    void BuildStatusBar();

    void FormShow();
    void SetTreeTexts();
    // Returns what the user is told when the stored port was not found.
    std::string ChoosePortAtStart();
    void ShowClock();

    void New();
    void Open();
    void Save();
    void SaveAs();
    void ReadRadio();
    void WriteRadio();
    void RunRegisteredDialog(int command);
    void ModelDialog();
    void SetPort();
    void SetLanguage();
    void About();

    void OpenChild(int command);
    void DestroyChildren();
    ChannelTableView* ChannelTable() const;
    ChannelEditView* ChannelEdit() const;
    void TileChildren(Qt::Orientation orientation);
    void ArrangeIcons();
    void CloseAllChildren();
    void ToggleToolbar();
    void ToggleStatusBar();
    void ToggleTree();
    void SaveSettings();
    bool AskYes(const std::string& question);

    QAction* AddAction(const char* name, int tag, const QString& caption,
                       const QKeySequence& shortcut = {});
    QAction* AddToolButton(const char* name, int tag, const QString& hint);

    std::string fileName_;
    bool shown_ = false;

    std::map<int, QAction*> menuItems_;
    std::map<int, QAction*> toolButtons_;
    std::map<int, ChildFactory> childFactories_;
    std::map<int, QPointer<QMdiSubWindow>> children_;
    std::map<int, DialogFactory> dialogFactories_;

    QToolBar* tbar_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QWidget* pTree_ = nullptr;
    QTreeWidget* cxTree_ = nullptr;
    QMdiArea* mdi_ = nullptr;
    QLabel* lCom_ = nullptr;
    QComboBox* cbCom_ = nullptr;
    std::vector<QLabel*> panels_;
    QTimer* timer_ = nullptr;
};

// The program's main window while one exists (the editors reach RefreshViews through it).
TfMainFrm* MainForm();

} // namespace zorva
