// A choice field's list items as a window offers them: the catalogue's English texts, which
// the window's language section words.
#pragma once

#include "fields/ChannelColumns.h"

#include <QStringList>

namespace zorva {

inline QStringList ChoiceItems(int field) {
    QStringList items;
    for (const char* text : ChoiceTexts(field))
        items << QString::fromLatin1(text);
    return items;
}

} // namespace zorva
