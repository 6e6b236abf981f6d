#include "shell/ui/FrmHelp.h"

#include "core/Maindb.h"
#include "link/qt/LocalPath.h"
#include "settings/Settings.h"
#include "settings/ui/LocaliseForm.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <map>

namespace zorva {

namespace {

constexpr int kContentsWidth = 260;
constexpr int kTextWidth = 640;

QToolButton* MakeButton(QWidget* parent, const char* name) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return button;
}

QLabel* MakeLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QAction* AddShortcut(QWidget& window, const QList<QKeySequence>& keys) {
    auto* action = new QAction(&window);
    action->setShortcuts(keys);
    window.addAction(action);
    return action;
}

} // namespace

QString HeadingSlug(const QString& heading) {
    QString slug;
    for (const QChar c : heading.toLower()) {
        if (c.isLetterOrNumber() || c == u'_') {
            slug += c;
        } else if (c == u' ' || c == u'-') {
            slug += u'-';
        }
    }
    return slug;
}

std::string FindManual(const std::string& exeDir, const std::string& locale) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    if (locale.starts_with("zh")) names.push_back("zh.md");
    names.push_back("en.md");
    for (const std::string& name : names) {
        for (const std::string& folder :
             {exeDir + "manual/", InstalledDataDir(exeDir) + "manual/"}) {
            std::error_code ec;
            if (fs::is_regular_file(folder + name, ec)) return folder + name;
        }
    }
    return {};
}

// ---------------------------------------------------------------------------------------

void HelpBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType type) {
    QTextBrowser::doSetSource(name, type);
    // A page just loaded has no anchor names yet, and the jump to its fragment found none.
    QTextBlock block = document()->begin();
    while (block.isValid() && block.blockFormat().headingLevel() <= 0)
        block = block.next();
    if (!block.isValid() || block.charFormat().anchorNames().isEmpty()) {
        NameHeadings();
        imageSizes_.clear();
        FitImages();
    }
    if (!name.hasFragment()) return;
    scrollToAnchor(name.fragment());
    // The cursor goes to the heading: Back and Forward would otherwise bring the link last
    // clicked back into view instead of the section, and a search goes on from here.
    for (block = document()->begin(); block.isValid(); block = block.next()) {
        if (block.charFormat().anchorNames().contains(name.fragment())) {
            setTextCursor(QTextCursor(block));
            break;
        }
    }
}

void HelpBrowser::NameHeadings() {
    headings_.clear();
    std::map<QString, int> seen;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level <= 0) continue;
        const QString text = block.text().trimmed();
        QString slug = HeadingSlug(text);
        // The second heading of the same name is "name-1", as the usual Markdown viewers do.
        if (const int count = seen[slug]++; count > 0) slug += '-' + QString::number(count);
        headings_.push_back({level, text, slug});

        QTextCharFormat anchor;
        anchor.setAnchor(true);
        anchor.setAnchorNames({slug});
        QTextCursor cursor(block);
        cursor.setBlockCharFormat(anchor);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(anchor);
    }
}

void HelpBrowser::resizeEvent(QResizeEvent* event) {
    QTextBrowser::resizeEvent(event);
    FitImages();
}

void HelpBrowser::FitImages() {
    const qreal room = viewport()->width() - 2 * document()->documentMargin() - 4;
    if (room <= 0) return;
    std::vector<std::pair<QTextCursor, QTextImageFormat>> changes;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextImageFormat image = fragment.charFormat().toImageFormat();
            if (!image.isValid()) continue;
            auto [size, added] = imageSizes_.try_emplace(image.name());
            if (added) {
                const QVariant data =
                    loadResource(QTextDocument::ImageResource, QUrl(image.name()));
                size->second = data.typeId() == QMetaType::QByteArray
                                   ? QImage::fromData(data.toByteArray()).size()
                                   : data.value<QImage>().size();
            }
            const QSize natural = size->second;
            if (natural.isEmpty()) continue;
            const qreal width = std::min<qreal>(natural.width(), room);
            if (qFuzzyCompare(image.width(), width)) continue;
            image.setWidth(width);
            image.setHeight(natural.height() * width / natural.width());
            QTextCursor cursor(document());
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            changes.emplace_back(cursor, image);
        }
    }
    for (auto& [cursor, image] : changes)
        cursor.setCharFormat(image);
}

// ---------------------------------------------------------------------------------------

TfHelp::TfHelp(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("fHelp");

    btBack_ = MakeButton(this, "btBack");
    btBack_->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    btForward_ = MakeButton(this, "btForward");
    btForward_->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    btFind_ = MakeButton(this, "btFind");
    btFind_->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(btBack_);
    buttons->addWidget(btForward_);
    buttons->addWidget(btFind_);
    buttons->addStretch();

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    contents_ = new QTreeWidget(splitter);
    contents_->setObjectName("tvContents");
    contents_->setHeaderHidden(true);
    contents_->setColumnCount(1);

    auto* right = new QWidget(splitter);
    browser_ = new HelpBrowser(right);
    browser_->setObjectName("reText");
    browser_->setOpenExternalLinks(true);
    browser_->document()->setUndoRedoEnabled(false);

    findBar_ = new QWidget(right);
    findBar_->setObjectName("pFind");
    lFind_ = MakeLabel(findBar_, "lFind");
    edFind_ = new QLineEdit(findBar_);
    edFind_->setObjectName("edFind");
    lFind_->setBuddy(edFind_);
    btFindNext_ = MakeButton(findBar_, "btFindNext");
    btFindNext_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    lNotFound_ = MakeLabel(findBar_, "lNotFound");
    lNotFound_->hide();
    btFindClose_ = MakeButton(findBar_, "btFindClose");
    btFindClose_->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    btFindClose_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    auto* find = new QHBoxLayout(findBar_);
    find->setContentsMargins(0, 2, 0, 0);
    find->addWidget(lFind_);
    find->addWidget(edFind_, 1);
    find->addWidget(btFindNext_);
    find->addWidget(lNotFound_);
    find->addStretch();
    find->addWidget(btFindClose_);
    findBar_->hide();

    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(browser_, 1);
    rightLayout->addWidget(findBar_);

    splitter->addWidget(contents_);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({kContentsWidth, kTextWidth});

    // Only its text is shown, in place of a manual that was not found.
    lMissing_ = MakeLabel(this, "lMissing");
    lMissing_->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);
    resize(kContentsWidth + kTextWidth + 20, 640);

    connect(btBack_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(btForward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(btFind_, &QToolButton::clicked, this, &TfHelp::ShowFindBar);
    connect(btFindNext_, &QToolButton::clicked, this, &TfHelp::FindNext);
    connect(btFindClose_, &QToolButton::clicked, findBar_, &QWidget::hide);
    connect(edFind_, &QLineEdit::returnPressed, this, &TfHelp::FindNext);
    connect(edFind_, &QLineEdit::textEdited, lNotFound_, &QWidget::hide);
    connect(browser_, &QTextBrowser::backwardAvailable, this, &TfHelp::UpdateHistoryButtons);
    connect(browser_, &QTextBrowser::forwardAvailable, this, &TfHelp::UpdateHistoryButtons);
    const auto goToItem = [this](QTreeWidgetItem* item) {
        if (item) GoTo(item->data(0, Qt::UserRole).toString());
    };
    connect(contents_, &QTreeWidget::itemClicked, this, goToItem);
    connect(contents_, &QTreeWidget::itemActivated, this, goToItem);

    // The same keys whichever pane has the focus.
    connect(AddShortcut(*this, {QKeySequence(Qt::ALT | Qt::Key_Left)}), &QAction::triggered,
            browser_, &QTextBrowser::backward);
    connect(AddShortcut(*this, {QKeySequence(Qt::ALT | Qt::Key_Right)}), &QAction::triggered,
            browser_, &QTextBrowser::forward);
    connect(AddShortcut(*this, {QKeySequence(Qt::CTRL | Qt::Key_F)}), &QAction::triggered, this,
            &TfHelp::ShowFindBar);
    connect(AddShortcut(*this, {QKeySequence(Qt::Key_F3)}), &QAction::triggered, this,
            &TfHelp::FindNext);
    auto* closeFind = new QAction(findBar_);
    closeFind->setShortcut(QKeySequence(Qt::Key_Escape));
    closeFind->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    findBar_->addAction(closeFind);
    connect(closeFind, &QAction::triggered, this, [this] {
        findBar_->hide();
        browser_->setFocus();
    });

    SetBuiltInTexts();
    UpdateHistoryButtons();
}

void TfHelp::SetBuiltInTexts() {
    setWindowTitle(QStringLiteral("Help Topics"));
    btBack_->setText(QStringLiteral("Back"));
    btBack_->setToolTip(QStringLiteral("Back (Alt+Left)"));
    btForward_->setText(QStringLiteral("Forward"));
    btForward_->setToolTip(QStringLiteral("Forward (Alt+Right)"));
    btFind_->setText(QStringLiteral("Find"));
    btFind_->setToolTip(QStringLiteral("Find in the manual (Ctrl+F)"));
    lFind_->setText(QStringLiteral("Find:"));
    btFindNext_->setText(QStringLiteral("Next"));
    btFindNext_->setToolTip(QStringLiteral("Next match (Enter, F3)"));
    btFindClose_->setToolTip(QStringLiteral("Close the find bar (Escape)"));
    lNotFound_->setText(QStringLiteral("Not found"));
    lMissing_->setText(QStringLiteral("The user manual was not found. It belongs in the folder "
                                      "\"manual\" beside the program or in its data folder."));
}

void TfHelp::ShowManual() {
    const std::string locale = Language().Locale;
    const std::string path = FindManual(All().ExeDir, locale);
    if (shownOnce_ && locale == shownLocale_ && path == manualPath_) return;
    shownOnce_ = true;
    shownLocale_ = locale;
    manualPath_ = path;
    // Texts the new language's file lacks show in English, not in the language left.
    SetBuiltInTexts();
    LocaliseForm(*this, false);

    browser_->setSource(QUrl());
    if (manualPath_.empty()) {
        browser_->setPlainText(lMissing_->text());
    } else {
        browser_->setSource(QUrl::fromLocalFile(FromLocalPath(manualPath_)),
                            QTextDocument::MarkdownResource);
    }
    browser_->clearHistory();
    FillContents();
    lNotFound_->hide();
    UpdateHistoryButtons();
}

void TfHelp::FillContents() {
    contents_->clear();
    // The nearest open heading of each level above the one being added.
    std::vector<std::pair<int, QTreeWidgetItem*>> open;
    for (const HelpHeading& heading : browser_->Headings()) {
        while (!open.empty() && open.back().first >= heading.level)
            open.pop_back();
        auto* item =
            open.empty() ? new QTreeWidgetItem(contents_) : new QTreeWidgetItem(open.back().second);
        item->setText(0, heading.text);
        item->setData(0, Qt::UserRole, heading.slug);
        open.emplace_back(heading.level, item);
    }
    contents_->expandAll();
}

void TfHelp::GoTo(const QString& slug) {
    if (manualPath_.empty()) return;
    QUrl target = QUrl::fromLocalFile(FromLocalPath(manualPath_));
    target.setFragment(slug);
    browser_->setSource(target, QTextDocument::MarkdownResource);
}

void TfHelp::ShowFindBar() {
    findBar_->show();
    edFind_->setFocus();
    edFind_->selectAll();
}

void TfHelp::FindNext() {
    const QString text = edFind_->text();
    if (text.isEmpty()) {
        ShowFindBar();
        return;
    }
    bool found = browser_->find(text);
    if (!found) {
        QTextCursor top = browser_->textCursor();
        top.movePosition(QTextCursor::Start);
        browser_->setTextCursor(top);
        found = browser_->find(text);
    }
    lNotFound_->setVisible(!found);
}

void TfHelp::UpdateHistoryButtons() {
    btBack_->setEnabled(browser_->isBackwardAvailable());
    btForward_->setEnabled(browser_->isForwardAvailable());
}

bool TfHelp::event(QEvent* event) {
    // A language chosen while the window was open takes effect when it is next used.
    if (event->type() == QEvent::WindowActivate && shownOnce_) ShowManual();
    return QWidget::event(event);
}

TfHelp* ShowHelp(QWidget& owner) {
    auto* help = owner.findChild<TfHelp*>(QString(), Qt::FindDirectChildrenOnly);
    if (!help) help = new TfHelp(&owner);
    help->ShowManual();
    if (help->isMinimized()) help->showNormal();
    help->show();
    help->raise();
    help->activateWindow();
    return help;
}

} // namespace zorva
