#include "shell/ui/MainFrm.h"

#include "codec/DerivedFields.h"
#include "core/Maindb.h"
#include "document/RadioDocument.h"
#include "link/PortNames.h"
#include "settings/Language.h"
#include "settings/Settings.h"
#include "settings/UserMessages.h"
#include "settings/ui/LocaliseForm.h"
#include "settings/ui/ShowMsg.h"
#include "settings/ui/ToolkitTranslations.h"
#include "shell/ui/Artwork.h"
#include "shell/ui/BuiltInDialogs.h"
#include "shell/ui/CommandTable.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zorva {

namespace {

constexpr int kClockMs = 1000;
constexpr int kPortsAtLatestMs = 500;
// Where the caption shows unsaved changes (Qt draws it as the desktop does, or not at all).
const QString kModifiedMark = QStringLiteral("[*]");

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString ChooseFileToOpen(QWidget* parent, const QString& folder);
QString FileDialogPath(QFileDialog& dialog);

} // namespace

TfMainFrm::TfMainFrm(QWidget* parent)
    : QMainWindow(parent), document_(std::make_unique<RadioDocument>(All(), MacList())) {
    setObjectName("fMainFrm");
    setWindowIcon(AppIcon());
    setWindowTitle(FromUtf8(All().ProductName) + kModifiedMark);
    setWindowModified(document_->Modified());
    // No tool bar context menu: the tool bar's visibility belongs to the View menu's tick.
    setContextMenuPolicy(Qt::NoContextMenu);

    BuildActions();
    BuildMenus();
    BuildRecentItems();
    BuildToolBar();
    BuildTree();
    BuildStatusBar();
    ConnectDocument();

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

    UpdateUndoActions();
    // A text field takes Ctrl+Z for its own typing; once it has none to undo, the image's
    // history has the key.
    qApp->installEventFilter(this);

    RegisterLinkDialogs(*this);
    RegisterSettingsDialogs(*this);
}

TfMainFrm::~TfMainFrm() {
    // The window's parts go after this; none of them may reach the part already gone.
    qApp->removeEventFilter(this);
    mdi_->disconnect(this);
    DestroyChildren();
    document_->disconnect(this);
}

// The main window is one of the document's listeners: its caption, status bar and undo items.
void TfMainFrm::ConnectDocument() {
    connect(document_.get(), &RadioDocument::modifiedChanged, this,
            [this](bool modified) { setWindowModified(modified); });
    connect(document_.get(), &RadioDocument::fileNameChanged, this, &TfMainFrm::UpdateStatus);
    connect(document_.get(), &RadioDocument::imageReplaced, this, [this] {
        ++replacements_;
        UpdateStatus();
    });
    connect(document_.get(), &RadioDocument::historyChanged, this, &TfMainFrm::UpdateUndoActions);
}

QString TfMainFrm::StepName(int command) const {
    const QAction* action = CommandAction(command);
    return action ? PlainCaption(action->text()) : QString();
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
    for (const MenuItemText& item : MenuItems()) {
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
            // A tick that follows the tree's pane, however it was shown or hidden.
            action->setCheckable(true);
            action->setChecked(true);
            connect(action, &QAction::triggered, this, &TfMainFrm::ToggleTree);
            break;
        case cmd::VerifyAfterWrite:
            // A tick kept in the settings file; the write's outcome reads it.
            action->setCheckable(true);
            action->setChecked(All().VerifyAfterWrite);
            connect(action, &QAction::toggled, this, [](bool on) { All().VerifyAfterWrite = on; });
            break;
        case cmd::HideEmptyChannels:
            // A tick kept in the settings file; the channel table follows it.
            action->setCheckable(true);
            action->setChecked(All().HideEmptyChannels);
            connect(action, &QAction::toggled, this, [this](bool on) {
                All().HideEmptyChannels = on;
                ShowViewChoices();
            });
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
    for (const MenuText& menuText : Menus()) {
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
    // The Window menu ends with the open windows, listed as it opens.
    QMenu* windows = findChild<QMenu*>("mWindow");
    connect(windows, &QMenu::aboutToShow, this, [this, windows] { ListOpenWindows(*windows); });
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
    for (const ToolButtonText& button : ToolButtons()) {
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
    // The View menu's tick follows the pane, whoever shows or hides it.
    pTree_->installEventFilter(this);
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
    root->setData(0, Qt::UserRole, kTreeRootCommand);
    root->setIcon(0, AppIcon());
    for (int command : TreeCommands()) {
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
    // The commands of a window and the tree's node follow the window that is current.
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this] {
        UpdateWindowCommands();
        FollowActiveWindow();
    });
    splitter_->addWidget(pTree_);
    splitter_->addWidget(mdi_);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({190, 800});
    setCentralWidget(splitter_);
}

void TfMainFrm::SetTreeTexts() {
    QTreeWidgetItem* root = cxTree_->topLevelItem(0);
    root->setText(0, FromUtf8(All().ProductName));
    const std::span<const int> commands = TreeCommands();
    for (int i = 0; i < root->childCount(); ++i)
        root->child(i)->setText(0,
                                menuItems_.at(commands[static_cast<std::size_t>(i)])->statusTip());
    // The tree is never narrower than its longest node, in whatever language and font.
    cxTree_->expandAll();
    const int nodes = static_cast<QAbstractItemView*>(cxTree_)->sizeHintForColumn(0);
    cxTree_->setMinimumWidth(nodes + 2 * cxTree_->frameWidth() +
                             cxTree_->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

QAction* TfMainFrm::CommandAction(int command) const {
    const auto it = menuItems_.find(command);
    return it == menuItems_.end() ? nullptr : it->second;
}

QAction* TfMainFrm::ToolButton(int command) const {
    const auto it = toolButtons_.find(command);
    return it == toolButtons_.end() ? nullptr : it->second;
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

    LocaliseForm(*this, false);
    KeepUndoCaptions();
    SetTreeTexts();
    cxTree_->setCurrentItem(cxTree_->topLevelItem(0));

    // The new image opens the channel table; opening it before as well would only delay the
    // first showing of the window.
    document_->NewImage();
    OpenChild(cmd::ChsInfo);
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
    CommitPendingEdits();
    // Unsaved work is kept when the user cancels, or when the save fails or is cancelled.
    if (!AskYes(Language().ExitProgram) || !MayDiscard()) {
        event->ignore();
        return;
    }
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
    // A child frame taken out of the area clears the mark it thinks it set; the document
    // alone decides.
    if (event->type() == QEvent::ModifiedChange && isWindowModified() != document_->Modified())
        setWindowModified(document_->Modified());
    return QMainWindow::event(event);
}

bool TfMainFrm::eventFilter(QObject* watched, QEvent* event) {
    if (TakesUndoKey(watched, event)) return true;
    if (portsPending_ && event->type() == QEvent::Paint)
        QTimer::singleShot(0, this, [this] { ChoosePortOnce(); });
    if (watched == pTree_ && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        menuItems_.at(cmd::TreeView)->setChecked(!pTree_->isHidden());
    if (cxTree_ && watched == cxTree_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        QTreeWidgetItem* node = cxTree_->itemAt(mouse->position().toPoint());
        if (node && node == cxTree_->currentItem() && node->isSelected()) {
            RunCommand(node->data(0, Qt::UserRole).toInt());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

namespace {

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

} // namespace zorva
