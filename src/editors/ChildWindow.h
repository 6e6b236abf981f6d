// What every child window of the main window's area does alike: where it opens, how it closes,
// and its Close button.
#pragma once

#include <initializer_list>
#include <utility>

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace zorva {

// Moves the window's frame in the main window's area to its opening place; a window shown on
// its own stays where it is.
void PlaceChildWindow(QWidget& form);
// Keeps the window's frame inside the main window's area: no larger than the area, moved in
// from its edges, now and once more after the area has taken its final size (it is still
// being laid out while the program's first window opens).
void FitIntoArea(QWidget& form);
// Closes the window's frame in the main window's area, or the window itself when it has none.
void CloseChildWindow(QWidget& form);

// Blocks the signals of every control of the window. A window's destructor calls it first: a
// control losing the focus while the window is taken apart would otherwise report an edit to
// a window that is already half gone.
void SilenceChildren(QWidget& form);

// True the first time it is asked for a window, whose `shown` flag it then sets: the window
// runs its first-show work once, however often it is shown again.
inline bool FirstShow(bool& shown) {
    return !std::exchange(shown, true);
}

// A "&Close" button named `name` that closes the window.
QPushButton* AddCloseButton(QWidget& form, const char* name);
// A row that keeps its buttons at the right.
QHBoxLayout* ButtonRow(std::initializer_list<QWidget*> buttons);

} // namespace zorva
