#include "shell/ui/MainFrm.h"

#include "codec/DerivedFields.h"
#include "core/Maindb.h"
#include "link/PortNames.h"
#include "link/qt/LocalPath.h"
#include "settings/Language.h"
#include "settings/Settings.h"
#include "settings/UserMessages.h"
#include "settings/ui/LocaliseForm.h"
#include "settings/ui/ShowMsg.h"
#include "settings/ui/ToolkitTranslations.h"
#include "shell/Backups.h"
#include "shell/DataFile.h"
#include "shell/ui/Artwork.h"
#include "shell/ui/BuiltInDialogs.h"
#include "shell/ui/FrmHelp.h"
#include "shell/ui/ImageHistory.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

namespace zorva {

namespace {

TfMainFrm* g_mainForm = nullptr;

constexpr int kStatusPanels = 7;
constexpr int kRootCommand = 16; // the root node opens the radio information, like node 1
constexpr int kClockMs = 1000;
constexpr int kPortsAtLatestMs = 500;
// Where the caption shows unsaved changes (Qt draws it as the desktop does, or not at all).
const QString kModifiedMark = QStringLiteral("[*]");

// A menu item of the command table with its built-in texts.
struct MenuItemText {
    int tag;
    const char* name;
    const char* caption;
    const char* hint;
    const char* shortcut;
};

const MenuItemText kMenuItems[] = {
    {cmd::New, "N1", "&New", "", "Ctrl+N"},
    {cmd::Open, "O1", "&Open", "", "Ctrl+O"},
    {cmd::OpenBackup, "nOpenBackup", "Open &Backup...", "", ""},
    {cmd::Save, "S2", "&Save", "", "Ctrl+S"},
    {cmd::SaveAs, "A1", "Save &As", "", "Ctrl+Shift+S"},
    {cmd::Print, "P2", "&Print", "", "Ctrl+P"},
    {cmd::PrintPreview, "V2", "Print Pre&view", "", "Ctrl+T"},
    {cmd::Exit, "nExit", "&Exit", "", "Ctrl+Q"},
    {cmd::Undo, "nUndo", "&Undo", "Undo", "Ctrl+Z"},
    {cmd::Redo, "nRedo", "&Redo", "Redo", "Ctrl+Y"},
    {cmd::Batch, "nBatch", "&Batch Channel Edit", "", ""},
    {cmd::FreqEdit, "nFreq", "F&req. Channel", "Freq. Information", ""},
    {cmd::ChsInfo, "nChInfo", "Memory C&hannel", "Channel Information", ""},
    {cmd::ChsEdit, "nChEdit", "&Channel Edit", "", ""},
    {cmd::FmFun, "nFm", "&Fm Information", "Fm Information", ""},
    {cmd::VoxFun, "nVox", "&Vox Function", "Vox Function", ""},
    {cmd::OptFun, "nOpt", "&Optional Function", "Optional Function", ""},
    {cmd::InfoMsg, "nInfo", "Radio &Information", "Radio Information", ""},
    {cmd::Key, "nKey", "&Key Function", "", ""},
    {cmd::DtmfFun, "nDTMF", "&DTMF Function", "DTMF Function", ""},
    {cmd::ScanFun, "nScan", "&Scan Information", "Scan Information", ""},
    {cmd::Read, "R1", "&Read From Radio", "", "Ctrl+R"},
    {cmd::Write, "W2", "&Write To Radio", "", "Ctrl+W"},
    {cmd::VerifyAfterWrite, "nVerify", "&Verify After Writing", "", ""},
    {cmd::Test, "T1", "&Test Online", "", ""},
    {cmd::Model, "N4", "&Model Information", "", ""},
    {cmd::Port, "C2", "&Communication Port", "", ""},
    {cmd::Language, "nLanguage", "Language File Setup", "", ""},
    {cmd::TreeView, "T4", "Tree &View", "", ""},
    {cmd::Toolbar, "nCool", "&Toolbar", "", ""},
    {cmd::StatusBar, "nBar", "&Status bar", "", ""},
    {cmd::Cascade, "nC", "&Cascade", "", ""},
    {cmd::TileHorizontally, "nH", "Tile Windows &Horizontally", "", ""},
    {cmd::TileVertically, "nV", "Tile Windows &Vertically", "", ""},
    {cmd::ArrangeIcons, "npl", "&Arrange Icons", "", ""},
    {cmd::CloseAll, "nCloseAll", "Close All &Windows", "", ""},
    {cmd::HelpTopics, "nHelpTopics", "&Help Topics", "", "F1"},
    {cmd::About, "nAbout", "About...", "", ""},
    {cmd::TestFrequency, "E10", "&Test Frequency", "", ""},
    {cmd::ImportCsv, "nImportCsv", "&Import Channels...", "Import channels from a CSV file", ""},
    {cmd::ExportCsv, "nExportCsv", "E&xport Channels...", "Export the channels to a CSV file", ""},
    // The keys of the items that change channels act in the channel table only (their context
    // is set in BuildActions): a Delete pressed in the tree must not empty channels, nor a
    // Ctrl+X cut them.
    {cmd::Cut, "nCut", "Cu&t", "Cut the selected channels", "Ctrl+X"},
    {cmd::Copy, "nCopy", "&Copy", "Copy the selected channels", "Ctrl+C"},
    {cmd::Paste, "nPaste", "&Paste", "Paste channels at the current channel", "Ctrl+V"},
    {cmd::DeleteChannels, "nDelete", "&Delete", "Empty the selected channels", "Del"},
    {cmd::SelectAll, "nSelectAll", "Select &All", "Select every channel", "Ctrl+A"},
    {cmd::InsertChannel, "nInsertChannel", "&Insert Channel", "Insert an empty channel", ""},
    {cmd::RemoveChannel, "nRemoveChannel", "Re&move Channel", "Remove the current channel", ""},
    {cmd::MoveUp, "nMoveUp", "Move &Up", "Move the current channel up", "Alt+Up"},
    {cmd::MoveDown, "nMoveDown", "Move Do&wn", "Move the current channel down", "Alt+Down"},
    {cmd::SortByRx, "nSortByRx", "S&ort by RX Frequency", "Sort the channels by RX frequency", ""},
    {cmd::Find, "nFind", "&Find...", "Find a channel by name or frequency", "Ctrl+F"},
};

// The tool buttons, left to right; 0 stands for a divider.
struct ToolButtonText {
    int tag;
    const char* name;
    const char* hint;
};

const ToolButtonText kToolButtons[] = {
    {cmd::New, "tbNew", "New"},
    {cmd::Open, "tbOpen", "Open"},
    {cmd::Save, "tbSave", "Save"},
    {0, nullptr, nullptr},
    {cmd::ChsEdit, "tbChEdit", "Channel Edit"},
    {0, nullptr, nullptr},
    {cmd::Print, "tbPrint", "Print"},
    {0, nullptr, nullptr},
    {cmd::Port, "tbCom", "Com"},
    {0, nullptr, nullptr},
    {cmd::Read, "tbRead", "Read"},
    {0, nullptr, nullptr},
    {cmd::Write, "tbWrite", "Write"},
    {0, nullptr, nullptr},
    {cmd::HelpTopics, "tbHelp", "Help"},
};

// The menus and their items in order; 0 is a separator, -1 a separator never shown.
struct MenuText {
    const char* name;
    const char* caption;
    std::vector<int> items;
};

const MenuText kMenus[] = {
    {"mFile",
     "&File",
     {cmd::New, cmd::Open, cmd::OpenBackup, cmd::Save, cmd::SaveAs, 0, cmd::ImportCsv,
      cmd::ExportCsv, 0, cmd::Print, cmd::PrintPreview, 0, cmd::Exit}},
    {"mEdit",
     "&Edit",
     {cmd::Undo,
      cmd::Redo,
      0,
      cmd::Cut,
      cmd::Copy,
      cmd::Paste,
      cmd::DeleteChannels,
      cmd::SelectAll,
      0,
      cmd::InsertChannel,
      cmd::RemoveChannel,
      cmd::MoveUp,
      cmd::MoveDown,
      cmd::SortByRx,
      cmd::Find,
      0,
      cmd::InfoMsg,
      cmd::FreqEdit,
      0,
      cmd::ChsInfo,
      cmd::ChsEdit,
      cmd::Batch,
      0,
      cmd::FmFun,
      cmd::VoxFun,
      cmd::ScanFun,
      cmd::OptFun,
      cmd::Key,
      cmd::DtmfFun,
      -1,
      cmd::TestFrequency}},
    {"mProgram", "&Program", {cmd::Read, cmd::Write, cmd::VerifyAfterWrite, 0, cmd::Test}},
    {"mSetup", "&Setup", {cmd::Model, 0, cmd::Port, cmd::Language}},
    {"mView", "&View", {cmd::TreeView, 0, cmd::Toolbar, cmd::StatusBar}},
    {"mWindow",
     "&Window",
     {cmd::Cascade, cmd::TileHorizontally, cmd::TileVertically, cmd::ArrangeIcons, 0,
      cmd::CloseAll}},
    {"mHelp", "&Help", {cmd::HelpTopics, 0, cmd::About}},
};

// The tree's children: the command each runs; their texts are the hints of its menu item.
constexpr int kTreeCommands[] = {cmd::InfoMsg, cmd::FreqEdit, cmd::ChsInfo, cmd::FmFun,
                                 cmd::VoxFun,  cmd::ScanFun,  cmd::OptFun,  cmd::DtmfFun};

// Answers the data file's messages with the program's message boxes.
class BoxMessages : public UserMessages {
public:
    int ShowMsg(const std::string& caption, const std::string& text, int kind) override {
        return zorva::ShowMsg(caption, text, kind);
    }
};

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The system's date separator: the first mark between the fields of its short date format.
QString DateSeparator(const QLocale& locale) {
    bool quoted = false;
    for (const QChar c : locale.dateFormat(QLocale::ShortFormat)) {
        if (c == u'\'') {
            quoted = !quoted;
        } else if (!quoted && !c.isLetter() && !c.isSpace()) {
            return QString(c);
        }
    }
    return QStringLiteral("/");
}

// The frame's own menu has short-cuts of its own (Close is Ctrl+F4 and Ctrl+W here). Where one
// equals a main window short-cut, Qt finds two and runs neither while the child has focus; the
// main window's command wins, the frame keeps its menu item and its other keys.
void ReleaseMainShortcuts(QMdiSubWindow& window, const std::map<int, QAction*>& commands) {
    QMenu* menu = window.systemMenu();
    if (!menu) return;
    for (QAction* frameAction : menu->actions()) {
        QList<QKeySequence> kept = frameAction->shortcuts();
        kept.removeIf([&commands](const QKeySequence& key) {
            return std::any_of(commands.begin(), commands.end(), [&key](const auto& command) {
                return command.second->shortcut() == key;
            });
        });
        if (kept.size() != frameAction->shortcuts().size()) frameAction->setShortcuts(kept);
    }
}

// A menu item's caption as a step name: without its mnemonic, "&Read" or "读取(&R)".
QString PlainCaption(QString caption) {
    static const QRegularExpression mnemonic(QStringLiteral("\\(&[^&]\\)|&(?=[^&])"));
    return caption.remove(mnemonic).replace(QStringLiteral("&&"), QStringLiteral("&"));
}

QString FileDialogPath(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.front();
}

QString ChooseFileToOpen(QWidget* parent, const QString& folder) {
    QFileDialog dialog(parent, QString(), folder, QStringLiteral("Data File(*.dat)"));
    dialog.setObjectName("odOpen");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("dat"));
    return FileDialogPath(dialog);
}

} // namespace

MainWindowPort* MainForm() {
    return g_mainForm;
}

TfMainFrm::TfMainFrm(QWidget* parent) : QMainWindow(parent) {
    setObjectName("fMainFrm");
    setWindowIcon(AppIcon());
    setWindowTitle(FromUtf8(All().ProductName) + kModifiedMark);
    // The caption marks unsaved changes, whichever window made them.
    All().Modified.onChange = [this](bool modified) { setWindowModified(modified); };
    setWindowModified(All().Modified);
    // No tool bar context menu: the tool bar's visibility belongs to the View menu's tick.
    setContextMenuPolicy(Qt::NoContextMenu);
    g_mainForm = this;

    BuildActions();
    BuildMenus();
    BuildRecentItems();
    BuildToolBar();
    BuildTree();
    BuildStatusBar();

    openDialog = [this] { return ChooseFileToOpen(this, QString()); };
    backupDialog = [this](const QString& folder) { return ChooseFileToOpen(this, folder); };
    saveDialog = [this] {
        QFileDialog dialog(this, QString(), QString(), QStringLiteral("Data File(*.dat)"));
        dialog.setObjectName("sdSave");
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The program asks its own question before it replaces a file.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setDefaultSuffix(QStringLiteral("dat"));
        return FileDialogPath(dialog);
    };
    execDialog = [](QDialog& dialog) { return dialog.exec(); };
    portLister = [] { return ListPorts(SettingsFilePath(All().ExeDir)); };

    timer_ = new QTimer(this);
    timer_->setObjectName("Timer");
    timer_->setInterval(kClockMs);
    connect(timer_, &QTimer::timeout, this, &TfMainFrm::ShowClock);
    timer_->start();

    history_ = new ImageHistory(All(), this);
    history_->beforeStep = [this] { CommitPendingEdits(); };
    history_->afterStep = [this] {
        UpdateStatus();
        RefreshViews(RefreshKind::AllWindows);
    };
    connect(history_, &ImageHistory::changed, this, &TfMainFrm::UpdateUndoActions);
    UpdateUndoActions();
    // A text field takes Ctrl+Z for its own typing; once it has none to undo, the image's
    // history has the key.
    qApp->installEventFilter(this);

    RegisterLinkDialogs(*this);
    RegisterSettingsDialogs(*this);
}

TfMainFrm::~TfMainFrm() {
    if (g_mainForm == this) g_mainForm = nullptr;
    // The window's parts go after this; none of them may reach the part already gone.
    qApp->removeEventFilter(this);
    mdi_->disconnect(this);
    history_->disconnect(this);
    history_->beforeStep = nullptr;
    history_->afterStep = nullptr;
    All().Modified.onChange = nullptr;
}

// ---------------------------------------------------------------------------------------
// Building the window

QAction* TfMainFrm::AddAction(const char* name, int tag, const QString& caption,
                              const QKeySequence& shortcut) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setProperty("tag", tag);
    action->setShortcut(shortcut);
    return action;
}

void TfMainFrm::BuildActions() {
    for (const MenuItemText& item : kMenuItems) {
        QAction* action = AddAction(item.name, item.tag, QString::fromLatin1(item.caption),
                                    QKeySequence(QString::fromLatin1(item.shortcut)));
        action->setStatusTip(QString::fromLatin1(item.hint));
        menuItems_[item.tag] = action;
        action->setProperty("caption", action->text());
        switch (item.tag) {
        case cmd::Exit:
            connect(action, &QAction::triggered, this, &QWidget::close);
            break;
        case cmd::TreeView:
            connect(action, &QAction::triggered, this, &TfMainFrm::ToggleTree);
            break;
        case cmd::VerifyAfterWrite:
            // A tick kept in the settings file; the write's outcome reads it.
            action->setCheckable(true);
            action->setChecked(All().VerifyAfterWrite);
            connect(action, &QAction::toggled, this, [](bool on) { All().VerifyAfterWrite = on; });
            break;
        case cmd::Toolbar:
        case cmd::StatusBar:
            action->setCheckable(true);
            action->setChecked(true);
            connect(action, &QAction::triggered, this,
                    item.tag == cmd::Toolbar ? &TfMainFrm::ToggleToolbar
                                             : &TfMainFrm::ToggleStatusBar);
            break;
        default: {
            const int tag = item.tag;
            connect(action, &QAction::triggered, this, [this, tag] { RunCommand(tag); });
        }
        }
    }
    // Shown in the menu, taken by the channel table itself while it has the focus.
    for (int command :
         {cmd::Cut, cmd::Paste, cmd::DeleteChannels, cmd::SelectAll, cmd::MoveUp, cmd::MoveDown})
        menuItems_[command]->setShortcutContext(Qt::WidgetShortcut);
    menuItems_[cmd::Redo]->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    menuItems_[cmd::Key]->setVisible(false);
    menuItems_[cmd::TestFrequency]->setVisible(false);
}

void TfMainFrm::BuildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu");
    for (const MenuText& menuText : kMenus) {
        auto* menu = new QMenu(QString::fromLatin1(menuText.caption), bar);
        menu->setObjectName(menuText.name);
        for (int item : menuText.items) {
            if (item <= 0) {
                menu->addSeparator()->setVisible(item == 0);
            } else {
                menu->addAction(menuItems_.at(item));
            }
        }
        bar->addMenu(menu);
    }
    // The child window commands stay reachable through the dispatcher only.
    findChild<QMenu*>("mWindow")->menuAction()->setVisible(false);
}

QAction* TfMainFrm::AddToolButton(const char* name, int tag, const QString& hint) {
    QAction* action = AddAction(name, tag, hint);
    action->setStatusTip(hint);
    action->setToolTip(hint);
    action->setIcon(CommandIcon(tag));
    connect(action, &QAction::triggered, this, [this, tag] { RunCommand(tag); });
    toolButtons_[tag] = action;
    return action;
}

void TfMainFrm::BuildToolBar() {
    tbar_ = new QToolBar(this);
    tbar_->setObjectName("tbar");
    tbar_->setMovable(false);
    tbar_->setFloatable(false);
    tbar_->setIconSize(QSize(24, 24));
    addToolBar(Qt::TopToolBarArea, tbar_);
    for (const ToolButtonText& button : kToolButtons) {
        if (button.tag == 0) {
            tbar_->addSeparator();
        } else {
            tbar_->addAction(AddToolButton(button.name, button.tag, button.hint));
        }
    }
}

void TfMainFrm::BuildTree() {
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName("Splitter1");

    pTree_ = new QWidget(splitter_);
    pTree_->setObjectName("pTree");
    auto* treeHide = new QToolButton(pTree_);
    treeHide->setObjectName("TreeHide");
    treeHide->setText("X");
    treeHide->setAutoRaise(true);
    connect(treeHide, &QToolButton::clicked, pTree_, &QWidget::hide);

    cxTree_ = new QTreeWidget(pTree_);
    cxTree_->setObjectName("cxTree");
    cxTree_->setHeaderHidden(true);
    cxTree_->setColumnCount(1);
    cxTree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cxTree_->setSelectionMode(QAbstractItemView::SingleSelection);
    // The tree stays fully expanded; a double-click opens a window instead.
    cxTree_->setExpandsOnDoubleClick(false);
    cxTree_->viewport()->installEventFilter(this);

    QIcon nodeIcon;
    nodeIcon.addPixmap(TreeNodeIcon(false).pixmap(16, 16), QIcon::Normal);
    nodeIcon.addPixmap(TreeNodeIcon(true).pixmap(16, 16), QIcon::Selected);
    auto* root = new QTreeWidgetItem(cxTree_);
    root->setData(0, Qt::UserRole, kRootCommand);
    root->setIcon(0, AppIcon());
    for (int command : kTreeCommands) {
        auto* node = new QTreeWidgetItem(root);
        node->setData(0, Qt::UserRole, command);
        node->setIcon(0, nodeIcon);
    }
    // The texts come when the window is first shown, in the chosen language.

    auto* header = new QHBoxLayout;
    header->setContentsMargins(0, 0, 0, 0);
    header->addStretch();
    header->addWidget(treeHide);
    auto* layout = new QVBoxLayout(pTree_);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addLayout(header);
    layout->addWidget(cxTree_);

    mdi_ = new QMdiArea(splitter_);
    mdi_->setObjectName("MdiArea");
    mdi_->setBackground(QBrush(BackgroundTile()));
    // A window reaching past the area's edges (the main window made smaller) stays reachable.
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The commands of a window follow the window that is current.
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this] { UpdateWindowCommands(); });
    splitter_->addWidget(pTree_);
    splitter_->addWidget(mdi_);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({190, 800});
    setCentralWidget(splitter_);
}

void TfMainFrm::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("MainBar");
    bar->setSizeGripEnabled(false);
    for (int i = 0; i < kStatusPanels; ++i) {
        auto* panel = new QLabel(bar);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setMinimumWidth(i == 0 || i == 6 ? 40 : 90);
        bar->addWidget(panel, i == 6 ? 1 : 0);
        panels_.push_back(panel);
    }
    // Never shown: they only carry texts the language file may replace.
    lCom_ = new QLabel("Port: ", this);
    lCom_->setObjectName("lCom");
    lCom_->hide();
    cbCom_ = new QComboBox(this);
    cbCom_->setObjectName("cbCom");
    cbCom_->setProperty("tag", -2); // port names are never translated
    cbCom_->hide();
}

// ---------------------------------------------------------------------------------------
// Texts and status

void TfMainFrm::SetTreeTexts() {
    QTreeWidgetItem* root = cxTree_->topLevelItem(0);
    root->setText(0, FromUtf8(All().ProductName));
    for (int i = 0; i < root->childCount(); ++i)
        root->child(i)->setText(0, menuItems_.at(kTreeCommands[i])->statusTip());
    // The tree is never narrower than its longest node, in whatever language and font.
    cxTree_->expandAll();
    const int nodes = static_cast<QAbstractItemView*>(cxTree_)->sizeHintForColumn(0);
    cxTree_->setMinimumWidth(nodes + 2 * cxTree_->frameWidth() +
                             cxTree_->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

void TfMainFrm::ShowClock() {
    const QLocale system = QLocale::system();
    const QString separator = DateSeparator(system);
    panels_[1]->setText(
        system.toString(QDate::currentDate(), "yyyy" + separator + "MM" + separator + "dd"));
    panels_[2]->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
}

void TfMainFrm::UpdateStatus() {
    panels_[0]->clear();
    ShowClock();
    panels_[3]->setText(lCom_->text() + FromUtf8(All().PortName));
    panels_[4]->setText(FromUtf8(All().ModelName));
    panels_[5]->setText(FromUtf8(All().BandSummary));
    QString caption = FromUtf8(All().ProductName);
    if (!fileName_.empty()) caption += " [" + FromLocalPath(fileName_) + "]";
    setWindowTitle(caption + kModifiedMark);
    setWindowModified(All().Modified);
}

QAction* TfMainFrm::CommandAction(int command) const {
    const auto it = menuItems_.find(command);
    return it == menuItems_.end() ? nullptr : it->second;
}

QAction* TfMainFrm::ToolButton(int command) const {
    const auto it = toolButtons_.find(command);
    return it == toolButtons_.end() ? nullptr : it->second;
}

QLabel* TfMainFrm::StatusPanel(int index) const {
    return index >= 0 && index < kStatusPanels ? panels_[index] : nullptr;
}

bool TfMainFrm::AskYes(const std::string& question) {
    return ShowMsg(Language().Confirmation, question, kMsgYesNo) == kResultYes;
}

// ---------------------------------------------------------------------------------------
// Events

void TfMainFrm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TfMainFrm::FormShow() {
    menuItems_.at(cmd::Language)->setVisible(All().LanguageSelectable);
    menuItems_.at(cmd::Test)->setVisible(All().PowerTestAvailable);

    FirstShowingSequence(All(), MacList(), CurrentTimeText());
    InstallToolkitTranslations(Language().Locale);

    fileName_.clear();
    LocaliseForm(*this, false);
    KeepUndoCaptions();
    SetTreeTexts();
    setWindowTitle(FromUtf8(All().ProductName) + kModifiedMark);
    All().Modified = false;
    cxTree_->setCurrentItem(cxTree_->topLevelItem(0));

    // New opens the channel table on the new image; opening it before as well would only
    // delay the first showing of the window.
    New();
    // Looking for the serial devices (and trying each) is the slowest part of the start; it
    // waits until the window has been painted (or a moment, should it never be).
    portsPending_ = true;
    QTimer::singleShot(kPortsAtLatestMs, this, [this] { ChoosePortOnce(); });
}

void TfMainFrm::ChoosePortOnce() {
    if (!portsPending_) return;
    portsPending_ = false;
    const std::string portNotice = ChoosePortAtStart();
    UpdateStatus();
    if (!portNotice.empty()) panels_[0]->setText(FromUtf8(portNotice));
}

std::string TfMainFrm::ChoosePortAtStart() {
    const std::vector<std::string> listed =
        portLister ? PortNamesOf(portLister()) : std::vector<std::string>{};
    cbCom_->clear();
    for (const std::string& name : listed)
        cbCom_->addItem(FromUtf8(name));
    const std::string stored = All().PortName;
    All().PortName = ChoosePort(stored, listed);
    return PortReplacedNotice(stored, All().PortName, Language());
}

void TfMainFrm::closeEvent(QCloseEvent* event) {
    if (!AskYes(Language().ExitProgram)) {
        event->ignore();
        return;
    }
    // A cancelled or failed save does not keep the program open: the user chose to exit.
    if (All().Modified && AskYes(Language().SaveProgram)) Save();
    event->accept();
    timer_->stop();
    SaveSettings();
}

void TfMainFrm::SaveSettings() {
    const std::string path = SettingsFilePath(All().ExeDir);
    std::string error;
    if (WriteSettings(All(), path, error)) return;
    ShowMsg(Language().Confirmation,
            Language().FileWriteError + "\n" + (error.empty() ? path : path + ": " + error),
            kMsgInfo);
}

bool TfMainFrm::event(QEvent* event) {
    // Hints of the hovered menu item go to the first panel instead of covering all of them.
    if (event->type() == QEvent::StatusTip) {
        panels_[0]->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    // A child frame taken out of the area clears the mark it thinks it set; the image's flag
    // alone decides.
    if (event->type() == QEvent::ModifiedChange && isWindowModified() != All().Modified)
        setWindowModified(All().Modified);
    return QMainWindow::event(event);
}

bool TfMainFrm::eventFilter(QObject* watched, QEvent* event) {
    if (TakesUndoKey(watched, event)) return true;
    if (portsPending_ && event->type() == QEvent::Paint)
        QTimer::singleShot(0, this, [this] { ChoosePortOnce(); });
    if (watched == cxTree_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        QTreeWidgetItem* node = cxTree_->itemAt(mouse->position().toPoint());
        if (node && node == cxTree_->currentItem() && node->isSelected()) {
            RunCommand(node->data(0, Qt::UserRole).toInt());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------
// The dispatcher

void TfMainFrm::RunCommand(int command) {
    if (ChannelTableView* table = ChannelTable()) table->FormDeactivate();

    switch (command) {
    case cmd::New:
        New();
        break;
    case cmd::Open:
        Open();
        break;
    case cmd::OpenBackup:
        OpenBackup();
        break;
    case cmd::Save:
        Save();
        break;
    case cmd::SaveAs:
        SaveAs();
        break;
    case cmd::Exit:
        close();
        break;
    case cmd::Undo:
        history_->Undo();
        break;
    case cmd::Redo:
        history_->Redo();
        break;
    case cmd::Batch:
    case cmd::FreqEdit:
    case cmd::ChsInfo:
    case cmd::ChsEdit:
    case cmd::FmFun:
    case cmd::VoxFun:
    case cmd::OptFun:
    case cmd::InfoMsg:
    case cmd::DtmfFun:
    case cmd::ScanFun:
        OpenChild(command);
        break;
    case cmd::Read:
        // A read replaces the image, as New and Open do.
        if (All().Modified && AskYes(Language().SaveProgram)) Save();
        RunRegisteredDialog(command);
        break;
    case cmd::Print:
    case cmd::PrintPreview:
    case cmd::Write:
    case cmd::Test:
    case cmd::Port:
    case cmd::Language:
    case cmd::About:
        RunRegisteredDialog(command);
        break;
    case cmd::Model:
        ModelDialog();
        break;
    case cmd::Cascade:
        mdi_->cascadeSubWindows();
        break;
    case cmd::TileHorizontally:
        TileChildren(Qt::Horizontal);
        break;
    case cmd::TileVertically:
        TileChildren(Qt::Vertical);
        break;
    case cmd::ArrangeIcons:
        ArrangeIcons();
        break;
    case cmd::CloseAll:
        CloseAllChildren();
        break;
    case cmd::HelpTopics:
        ShowHelp(*this);
        break;
    default:
        RunRegisteredCommand(command);
        break; // otherwise Key, Test Frequency, the View ticks
    }
}

// ---------------------------------------------------------------------------------------
// Commands of other parts of the program

void TfMainFrm::RegisterCommand(int command, int window, CommandRun run) {
    commands_[command] = {window, std::move(run)};
    UpdateWindowCommands();
}

QWidget* TfMainFrm::CommandWindow(int window) const {
    QMdiSubWindow* child = ChildWindow(window);
    return child && child == mdi_->currentSubWindow() ? child->widget() : nullptr;
}

void TfMainFrm::RunRegisteredCommand(int command) {
    const auto it = commands_.find(command);
    if (it == commands_.end() || !it->second.run) return;
    const auto& [window, run] = it->second;
    if (window == 0) {
        run(nullptr);
    } else if (QWidget* content = CommandWindow(window)) {
        run(content);
    }
}

void TfMainFrm::UpdateWindowCommands() {
    for (const auto& [command, registered] : commands_) {
        QAction* action = CommandAction(command);
        if (action && registered.window != 0)
            action->setEnabled(CommandWindow(registered.window) != nullptr);
    }
}

// ---------------------------------------------------------------------------------------
// Data file commands

void TfMainFrm::New() {
    if (All().Modified && AskYes(Language().SaveProgram)) Save();
    fileName_.clear();
    NewCommandSequence(All(), MacList(), CurrentTimeText());
    UpdateStatus();
    RefreshViews(RefreshKind::ReopenAll);
    history_->Restart(true);
}

void TfMainFrm::Open() {
    if (All().Modified && AskYes(Language().SaveProgram)) Save();
    const QString chosen = openDialog ? openDialog() : QString();
    if (!chosen.isEmpty()) OpenFile(ToLocalPath(chosen));
    UpdateStatus();
}

bool TfMainFrm::OpenFile(const std::string& path) {
    fileName_ = path;
    BoxMessages messages;
    const bool loaded = LoadDataFile(All(), MacList(), fileName_, Language(), messages);
    if (loaded) {
        UpdateStatus();
        RefreshViews(RefreshKind::ReopenAll);
        history_->Restart(true);
        RememberFile(path);
    } else {
        fileName_.clear();
    }
    UpdateStatus();
    return loaded;
}

void TfMainFrm::OpenBackup() {
    if (All().Modified && AskYes(Language().SaveProgram)) Save();
    const std::string folder = BackupFolder();
    // The first time there is nothing in it yet; the dialog still starts there.
    std::error_code ec;
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    const QString chosen = backupDialog ? backupDialog(FromLocalPath(folder)) : QString();
    if (!chosen.isEmpty()) OpenFile(ToLocalPath(chosen));
    UpdateStatus();
}

void TfMainFrm::OpenRecent(int index) {
    if (index < 0 || index >= static_cast<int>(All().RecentFiles.size())) return;
    const std::string path = All().RecentFiles[static_cast<std::size_t>(index)];
    if (!QFileInfo::exists(FromLocalPath(path))) {
        ShowMsg(
            Language().Confirmation,
            QString::fromStdString(Language().FileMissing).arg(FromLocalPath(path)).toStdString(),
            kMsgInfo);
        RemoveRecentFile(All().RecentFiles, path);
        ShowRecentFiles();
        return;
    }
    if (All().Modified && AskYes(Language().SaveProgram)) Save();
    if (!OpenFile(path)) {
        RemoveRecentFile(All().RecentFiles, path);
        ShowRecentFiles();
    }
}

void TfMainFrm::BuildRecentItems() {
    // Between Print Preview and the separator above Exit, behind a separator of their own.
    QMenu* file = findChild<QMenu*>("mFile");
    const QList<QAction*> items = file->actions();
    QAction* before = items.at(items.indexOf(menuItems_.at(cmd::Exit)) - 1);
    recentSeparator_ = file->insertSeparator(before);
    for (int i = 0; i < kRecentFilesKept; ++i) {
        auto* action = new QAction(this);
        action->setObjectName(QStringLiteral("nRecent%1").arg(i + 1));
        action->setProperty("tag", -2); // a path, never translated
        connect(action, &QAction::triggered, this, [this, i] { OpenRecent(i); });
        file->insertAction(before, action);
        recentItems_.push_back(action);
    }
    ShowRecentFiles();
}

void TfMainFrm::ShowRecentFiles() {
    const std::vector<std::string>& recent = All().RecentFiles;
    for (std::size_t i = 0; i < recentItems_.size(); ++i) {
        const bool used = i < recent.size();
        QString path = used ? FromLocalPath(recent[i]) : QString();
        path.replace(u'&', QStringLiteral("&&"));
        recentItems_[i]->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(path));
        recentItems_[i]->setVisible(used);
    }
    recentSeparator_->setVisible(!recent.empty());
}

void TfMainFrm::RememberFile(const std::string& path) {
    AddRecentFile(All().RecentFiles, path);
    ShowRecentFiles();
}

void TfMainFrm::ShowStatusNote(const std::string& text) {
    // After the command that asked for it has brought the panels up to date.
    QTimer::singleShot(0, this, [this, note = FromUtf8(text)] { panels_[0]->setText(note); });
}

void TfMainFrm::Save() {
    BoxMessages messages;
    bool saved = false;
    if (fileName_.empty()) {
        const QString chosen = saveDialog ? saveDialog() : QString();
        if (chosen.isEmpty()) {
            UpdateStatus();
            return;
        }
        fileName_ = ToLocalPath(chosen);
        const bool replace = !QFileInfo::exists(chosen) || AskYes(Language().FileExists);
        // A name that was declined or could not be written is not the image's file.
        saved = replace && SaveDataFile(All(), fileName_, Language(), messages);
        if (!saved) fileName_.clear();
    } else {
        saved = SaveDataFile(All(), fileName_, Language(), messages);
    }
    if (saved) {
        history_->MarkSaved();
        RememberFile(fileName_);
    }
    UpdateStatus();
}

void TfMainFrm::SaveAs() {
    fileName_.clear();
    Save();
}

// ---------------------------------------------------------------------------------------
// Modal dialogs

void TfMainFrm::RegisterDialog(int command, DialogFactory create, DialogOutcome outcome) {
    dialogFactories_[command] = std::move(create);
    dialogOutcomes_[command] = std::move(outcome);
}

void TfMainFrm::RunRegisteredDialog(int command) {
    const auto it = dialogFactories_.find(command);
    if (it == dialogFactories_.end() || !it->second) return;
    const DialogOutcome outcome = dialogOutcomes_[command];
    DialogEffect effect = DialogEffect::None;
    if (std::unique_ptr<QDialog> dialog = it->second(this)) {
        execDialog(*dialog);
        if (outcome) effect = outcome(*dialog);
    }
    // The dialog is gone before the main window acts on what it did.
    switch (effect) {
    case DialogEffect::None:
        // A write stamps its time into the image: no edit of the user's to undo.
        history_->Absorb();
        break;
    case DialogEffect::StatusChanged:
        UpdateStatus();
        break;
    case DialogEffect::ImageReplaced:
        // The step first: the views opened anew repair what they show, as after loading.
        history_->Record(PlainCaption(menuItems_.at(command)->text()), true);
        fileName_.clear();
        UpdateStatus();
        RefreshViews(RefreshKind::ReopenAll);
        break;
    case DialogEffect::LanguageChanged:
        ApplyLanguage();
        break;
    }
}

void TfMainFrm::ModelDialog() {
    const auto it = dialogFactories_.find(cmd::Model);
    if (it == dialogFactories_.end() || !it->second) return;
    // The dialog hands its choice over through the state; kept here so that declining to
    // clear the data leaves the state describing the image that stays.
    TALL& all = All();
    const auto bandLow = all.BandLow;
    const auto bandHigh = all.BandHigh;
    const uint8_t bandMask = all.BandMask;
    const std::string ident = all.ImageModelIdent;
    std::unique_ptr<QDialog> dialog = it->second(this);
    if (!dialog || execDialog(*dialog) != QDialog::Accepted) return;
    dialog.reset();
    if (!all.Modified || AskYes(Language().ClearData)) {
        // The cleared image of the new model is one step back to the one it replaced; as
        // after New, it counts as unchanged.
        if (all.Modified && AskYes(Language().SaveProgram)) Save();
        fileName_.clear();
        NewCommandSequence(all, MacList(), CurrentTimeText());
        history_->Record(PlainCaption(menuItems_.at(cmd::Model)->text()), true);
        history_->MarkSaved();
        UpdateStatus();
        RefreshViews(RefreshKind::ReopenAll);
        return;
    }
    all.BandLow = bandLow;
    all.BandHigh = bandHigh;
    all.BandMask = bandMask;
    all.ImageModelIdent = ident;
}

void TfMainFrm::ApplyLanguage() {
    // The windows are made anew, the image stays: unsaved changes are offered for saving
    // as before New or Open, and stay marked as unsaved when the user keeps them.
    if (All().Modified && AskYes(Language().SaveProgram)) Save();
    const bool modified = All().Modified;
    LoadLanguage(Language(), LanguageFilePath(All().ExeDir, All().LanguageName));
    InstallToolkitTranslations(Language().Locale);
    // Start from the built-in texts, so that whatever the new language's file lacks shows
    // in English rather than in the language just left.
    for (const MenuItemText& item : kMenuItems) {
        menuItems_.at(item.tag)->setText(QString::fromLatin1(item.caption));
        menuItems_.at(item.tag)->setStatusTip(QString::fromLatin1(item.hint));
    }
    for (const ToolButtonText& button : kToolButtons) {
        if (button.tag == 0) continue;
        toolButtons_.at(button.tag)->setText(QString::fromLatin1(button.hint));
        toolButtons_.at(button.tag)->setStatusTip(QString::fromLatin1(button.hint));
        toolButtons_.at(button.tag)->setToolTip(QString::fromLatin1(button.hint));
    }
    for (const MenuText& menu : kMenus)
        findChild<QMenu*>(menu.name)->setTitle(QString::fromLatin1(menu.caption));
    lCom_->setText("Port: ");
    findChild<QToolButton*>("TreeHide")->setText("X");

    LocaliseForm(*this, true);
    KeepUndoCaptions();
    UpdateStatus();
    DestroyChildren();
    SetTreeTexts();
    OpenChild(cmd::ChsInfo);
    // A new history: the windows that made its steps are gone, and their names with them.
    history_->Restart(!modified);
}

// ---------------------------------------------------------------------------------------
// Child windows

void TfMainFrm::RegisterChildWindow(int command, ChildFactory create) {
    childFactories_[command] = std::move(create);
}

QMdiSubWindow* TfMainFrm::ChildWindow(int command) const {
    const auto it = children_.find(command);
    return it == children_.end() ? nullptr : it->second.data();
}

void TfMainFrm::OpenChild(int command) {
    QMdiSubWindow* window = ChildWindow(command);
    if (!window) {
        const auto factory = childFactories_.find(command);
        if (factory == childFactories_.end() || !factory->second) return;
        QWidget* content = factory->second();
        if (!content) return;
        window = mdi_->addSubWindow(content);
        window->setAttribute(Qt::WA_DeleteOnClose);
        ReleaseMainShortcuts(*window, menuItems_);
        children_[command] = window;
        // The channel table is the main view: it opens over the whole area; the other editors
        // at their own size, within the area.
        const QSize area = mdi_->viewport()->size();
        if (area.width() > 200 && area.height() > 200) {
            window->resize(command == cmd::ChsInfo ? area : window->size().boundedTo(area));
            window->move(0, 0);
        }
    }
    window->show();
    if (window->isMinimized()) window->showNormal();
    history_->Absorb();
    mdi_->setActiveSubWindow(window);
    window->setFocus();
}

void TfMainFrm::DestroyChildren() {
    // Out of the area and its registry at once; the objects go when control returns to the
    // event loop, so that a window asking for this from one of its own handlers survives it.
    children_.clear();
    for (QMdiSubWindow* window : mdi_->subWindowList()) {
        // The image they showed is gone: a value still being typed into one of them belongs
        // to it, and hiding the window (which takes the focus away) must not store it into
        // the new image.
        for (QObject* control : window->findChildren<QObject*>())
            control->blockSignals(true);
        window->hide();
        mdi_->removeSubWindow(window);
        window->deleteLater();
    }
}

ChannelTableView* TfMainFrm::ChannelTable() const {
    QMdiSubWindow* window = ChildWindow(cmd::ChsInfo);
    return window ? dynamic_cast<ChannelTableView*>(window->widget()) : nullptr;
}

ChannelEditView* TfMainFrm::ChannelEdit() const {
    QMdiSubWindow* window = ChildWindow(cmd::ChsEdit);
    return window ? dynamic_cast<ChannelEditView*>(window->widget()) : nullptr;
}

void TfMainFrm::RefreshViews(RefreshKind kind) {
    switch (kind) {
    case RefreshKind::CurrentRow:
        if (ChannelTableView* table = ChannelTable()) table->FillChannelRow(All().CurrentChannel);
        break;
    case RefreshKind::ReopenAll:
        DestroyChildren();

        OpenChild(cmd::ChsInfo);
        break;
    case RefreshKind::ChannelEdit:
        if (ChannelEditView* edit = ChannelEdit()) edit->ShowChannel();
        break;
    case RefreshKind::AllRows:
        if (ChannelTableView* table = ChannelTable()) table->FillAllRows();
        if (ChannelEditView* edit = ChannelEdit()) edit->ShowChannel();
        break;
    case RefreshKind::AllWindows:
        for (const auto& [command, window] : children_) {
            if (!window) continue;
            if (auto* view = dynamic_cast<ImageView*>(window->widget())) view->ShowImage();
        }
        RefreshViews(RefreshKind::AllRows);
        break;
    }
}

void TfMainFrm::TileChildren(Qt::Orientation orientation) {
    // Horizontal tiling stacks full-width windows; vertical tiling puts them side by side.
    std::vector<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : mdi_->subWindowList(QMdiArea::CreationOrder)) {
        if (window->isVisible() && !window->isMinimized()) windows.push_back(window);
    }
    if (windows.empty()) return;
    const QRect area = mdi_->viewport()->rect();
    const int count = static_cast<int>(windows.size());
    for (int i = 0; i < count; ++i) {
        if (windows[i]->isMaximized()) windows[i]->showNormal();
        if (orientation == Qt::Horizontal) {
            const int top = area.height() * i / count;
            const int bottom = area.height() * (i + 1) / count;
            windows[i]->setGeometry(0, top, area.width(), bottom - top);
        } else {
            const int left = area.width() * i / count;
            const int right = area.width() * (i + 1) / count;
            windows[i]->setGeometry(left, 0, right - left, area.height());
        }
    }
}

void TfMainFrm::ArrangeIcons() {
    // Minimised windows in a row along the bottom edge, left to right.
    const QRect area = mdi_->viewport()->rect();
    int left = 0;
    for (QMdiSubWindow* window : mdi_->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized()) continue;
        const QSize size = window->size();
        window->move(left, area.height() - size.height());
        left += size.width();
    }
}

void TfMainFrm::CloseAllChildren() {
    const QList<QMdiSubWindow*> windows = mdi_->subWindowList(QMdiArea::CreationOrder);
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        (*it)->close();
}

// ---------------------------------------------------------------------------------------
// View

void TfMainFrm::ToggleTree() {
    pTree_->setVisible(pTree_->isHidden());
}

void TfMainFrm::ToggleToolbar() {
    tbar_->setVisible(menuItems_.at(cmd::Toolbar)->isChecked());
}

void TfMainFrm::ToggleStatusBar() {
    statusBar()->setVisible(menuItems_.at(cmd::StatusBar)->isChecked());
}

// ---------------------------------------------------------------------------------------
// Undo and redo

void TfMainFrm::KeepUndoCaptions() {
    for (int command : {cmd::Undo, cmd::Redo}) {
        QAction* action = menuItems_.at(command);
        action->setProperty("caption", action->text());
    }
    UpdateUndoActions();
}

void TfMainFrm::UpdateUndoActions() {
    const QUndoStack& stack = history_->Stack();
    const auto show = [this](int command, bool enabled, const QString& step) {
        QAction* action = menuItems_.at(command);
        const QString caption = action->property("caption").toString();
        action->setText(step.isEmpty() ? caption : caption + ' ' + step);
        action->setEnabled(enabled);
    };
    show(cmd::Undo, stack.canUndo(), stack.undoText());
    show(cmd::Redo, stack.canRedo(), stack.redoText());
}

void TfMainFrm::CommitPendingEdits() {
    if (ChannelTableView* table = ChannelTable()) table->FormDeactivate();
    // A field stores what was typed into it when it loses the focus, which then returns.
    QWidget* focused = QApplication::focusWidget();
    if (focused && mdi_->isAncestorOf(focused)) {
        focused->clearFocus();
        focused->setFocus();
    }
}

bool TfMainFrm::TakesUndoKey(QObject* watched, QEvent* event) const {
    if (event->type() != QEvent::ShortcutOverride) return false;
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit || !isAncestorOf(edit)) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Undo)) return !edit->isUndoAvailable();
    if (key->matches(QKeySequence::Redo) ||
        menuItems_.at(cmd::Redo)->shortcuts().contains(QKeySequence(key->keyCombination())))
        return !edit->isRedoAvailable();
    return false;
}

} // namespace zorva
