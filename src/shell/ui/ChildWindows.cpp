// The main window's child windows: one per editor command, made on the window's document when
// first asked for, arranged in the area, and followed by the tree's node.
#include "document/RadioDocument.h"
#include "shell/ui/MainFrm.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>
#include <algorithm>

namespace zorva {

namespace {

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

} // namespace

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
        QWidget* content = factory->second(*document_);
        if (!content) return;
        window = mdi_->addSubWindow(content);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setProperty("command", command);
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
    mdi_->setActiveSubWindow(window);
    window->setFocus();
}

void TfMainFrm::DestroyChildren() {
    // Out of the area and its registry at once; the objects go when control returns to the
    // event loop, so that a window asking for this from one of its own handlers survives it.
    children_.clear();
    for (QMdiSubWindow* window : mdi_->subWindowList()) {
        // A value still being typed into one of them is dropped: hiding the window (which
        // takes the focus away) must not store it into the image the windows are made anew
        // for.
        for (QObject* control : window->findChildren<QObject*>())
            control->blockSignals(true);
        window->hide();
        mdi_->removeSubWindow(window);
        window->deleteLater();
    }
}

void TfMainFrm::FollowActiveWindow() {
    const QMdiSubWindow* active = mdi_->activeSubWindow();
    if (!active) return;
    const int command = active->property("command").toInt();
    QTreeWidgetItem* root = cxTree_->topLevelItem(0);
    if (!root) return;
    for (int i = 0; i < root->childCount(); ++i) {
        if (root->child(i)->data(0, Qt::UserRole).toInt() != command) continue;
        cxTree_->setCurrentItem(root->child(i));
        return;
    }
    // A window without a node (channel edit, batch): no node claims to be the active one.
    cxTree_->clearSelection();
    cxTree_->setCurrentItem(nullptr);
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

void TfMainFrm::ToggleTree() {
    pTree_->setVisible(pTree_->isHidden());
}

void TfMainFrm::ToggleToolbar() {
    tbar_->setVisible(menuItems_.at(cmd::Toolbar)->isChecked());
}

void TfMainFrm::ToggleStatusBar() {
    statusBar()->setVisible(menuItems_.at(cmd::StatusBar)->isChecked());
}

void TfMainFrm::ShowViewChoices() {
    for (const auto& [command, window] : children_)
        if (window)
            if (auto* editing = dynamic_cast<EditingWindow*>(window->widget()))
                editing->ViewChoicesChanged();
}

void TfMainFrm::ListOpenWindows(QMenu& menu) {
    for (QAction* action : menu.actions())
        if (action->property("openWindow").toBool()) {
            menu.removeAction(action);
            action->deleteLater();
        }
    const QList<QMdiSubWindow*> windows = mdi_->subWindowList();
    if (windows.isEmpty()) return;
    menu.addSeparator()->setProperty("openWindow", true);
    int number = 0;
    for (QMdiSubWindow* window : windows) {
        ++number;
        const QString prefix = number < 10 ? QStringLiteral("&%1 ").arg(number) : QString();
        QAction* action = menu.addAction(prefix + window->windowTitle());
        action->setProperty("openWindow", true);
        action->setCheckable(true);
        action->setChecked(window == mdi_->activeSubWindow());
        QPointer<QMdiSubWindow> shown = window;
        connect(action, &QAction::triggered, this, [this, shown] {
            if (shown) mdi_->setActiveSubWindow(shown);
        });
    }
}

} // namespace zorva
