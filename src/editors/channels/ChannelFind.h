// Finding a channel by a part of its name or by its frequency, and the table's find bar.
#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;
class QToolButton;

namespace zorva {

class TALL;

// The first channel in use after `after` (wrapping round, `after` itself last) whose name
// holds `text` (case-insensitive) or, when `text` is a number, whose RX or TX frequency
// equals it in MHz; 0 when none.
int FindChannel(const TALL& all, const QString& text, int after);

class ChannelFindBar : public QWidget {
    Q_OBJECT

public:
    explicit ChannelFindBar(QWidget* parent = nullptr);

    // Shows the bar with the focus in its text.
    void Open();
    QLineEdit* Text() const { return edFind_; }
    bool NotFoundShown() const;
    // Asks for the next match of the text.
    void FindNext();

signals:
    // Asks for the next match of the text.
    void findNext(const QString& text);
    void closed();

public slots:
    void ShowNotFound(bool notFound);

private:
    QLabel* lFind_;
    QLineEdit* edFind_;
    QToolButton* btFindNext_;
    QLabel* lNotFound_;
    QToolButton* btFindClose_;
};

} // namespace zorva
