// The user manual in a window of its own: the contents as a tree of the headings, the text,
// links between sections, Back and Forward, and a find bar.
#pragma once

#include <QString>
#include <QTextBrowser>
#include <QWidget>
#include <map>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zorva {

// The anchor name of a heading, as links in the manual write it: lower case, letters and
// digits of any script kept, spaces and hyphens become one hyphen each, the rest dropped.
QString HeadingSlug(const QString& heading);

// The manual to show for `locale` ("en", "zh_CN"): zh.md for Chinese, otherwise en.md, from
// the folder "manual" beside the program or in the installed data folder; English when the
// language has none. Empty when there is no manual at all.
std::string FindManual(const std::string& exeDir, const std::string& locale);

// A heading of the shown manual.
struct HelpHeading {
    int level = 0;
    QString text;
    QString slug;
};

// The text pane: gives every heading its anchor name, so that links and the contents find
// it, however the page was (re)loaded.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT

public:
    using QTextBrowser::QTextBrowser;
    const std::vector<HelpHeading>& Headings() const { return headings_; }

protected:
    void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void NameHeadings();
    // Pictures wider than the pane are shown narrower, so that the text never scrolls sideways.
    void FitImages();

    std::vector<HelpHeading> headings_;
    std::map<QString, QSize> imageSizes_; // natural sizes, by the name the text gives
};

class TfHelp : public QWidget {
    Q_OBJECT

public:
    explicit TfHelp(QWidget* parent = nullptr);

    // Shows the manual of the current language (anew if the language or the manual found
    // changed since).
    void ShowManual();
    // Goes to the heading of `slug`, as a link to it does.
    void GoTo(const QString& slug);
    // Selects the next match of the find bar's text after the cursor, from the top once the
    // end is reached; shows "not found" when there is none.
    void FindNext();

    HelpBrowser* Browser() const { return browser_; }
    QTreeWidget* Contents() const { return contents_; }
    // The manual shown, empty when none was found.
    const std::string& ManualPath() const { return manualPath_; }

protected:
    bool event(QEvent* event) override;

private:
    void SetBuiltInTexts();
    void FillContents();
    void ShowFindBar();
    void UpdateHistoryButtons();

    HelpBrowser* browser_ = nullptr;
    QTreeWidget* contents_ = nullptr;
    QToolButton* btBack_ = nullptr;
    QToolButton* btForward_ = nullptr;
    QToolButton* btFind_ = nullptr;
    QWidget* findBar_ = nullptr;
    QLabel* lFind_ = nullptr;
    QLineEdit* edFind_ = nullptr;
    QToolButton* btFindNext_ = nullptr;
    QToolButton* btFindClose_ = nullptr;
    QLabel* lNotFound_ = nullptr;
    QLabel* lMissing_ = nullptr;
    std::string manualPath_;
    std::string shownLocale_;
    bool shownOnce_ = false;
};

// Opens the help window of `owner` (one per owner, made at the first call) and raises it.
TfHelp* ShowHelp(QWidget& owner);

} // namespace zorva
