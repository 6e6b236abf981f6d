// The program's own pictures, drawn in code: the application icon, the tool bar and tree
// images and the background tile.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace zorva {

QIcon AppIcon();
// The tool button image of a command: 1 New, 2 Open, 3 Save, 5 Print, 12 Channel Edit, 20 Read,
// 21 Write, 31 Com, 60 Help; an empty icon for any other.
QIcon CommandIcon(int command);
// The image of a tree node under the root, plain or selected.
QIcon TreeNodeIcon(bool selected);
// The main window's background, tiled.
QPixmap BackgroundTile();

} // namespace zorva
