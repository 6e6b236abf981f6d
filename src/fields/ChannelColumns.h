// The columns of a memory channel as the channel table, the printed sheet and the other
// windows present them: caption, width, alignment, editor kind, list items and the
// characters typed into them. One plain table; the language file words the captions
// ("ColShow.<field>" of the table's section, "width@caption") and the lists ("<list>.<i>").
#pragma once

#include "codec/FieldRules.h"

#include <span>
#include <string>
#include <vector>

namespace zorva {

class FormTexts;
class TALL;
class TChannel;

enum class ColumnKind {
    Frequency, // typed, checked against the bands in use
    Tone,      // typed or chosen from the radio's tones
    Choice,    // chosen from a list
    Text,      // typed (name, ID code)
};

enum class ColumnAlign { Left, Center, Right };

struct ChannelColumn {
    int field;           // the channel field (ChannelField)
    const char* caption; // English
    int width;           // the least width in pixels
    ColumnAlign align;
    ColumnKind kind;
    const char* list; // the list's name in the language file ("cxPwrv"); null for none
    CharSet chars;    // of a typed value
    int maxLength;    // of a typed value; 0 for a list
};

// The data columns of a memory channel, in the table's order; the channel number is the
// table's row header.
std::span<const ChannelColumn> ChannelColumns();
// The column of `field`, null when no column shows it.
const ChannelColumn* FindChannelColumn(int field);
// The number column's caption, as the language file words it ("ColShow.1").
inline constexpr const char* kNumberCaption = "No.";

// The English texts of a choice field's stored values, by value (PTT ID: Off, BOT, EOT,
// Both). Every window, the CSV and the command-line companion offer these and no others.
std::span<const char* const> ChoiceTexts(int field);
// The stored value of a choice field of `c`.
int ChoiceValue(const TChannel& c, int field);

// The captions, widths and list texts of the language in use.
struct ColumnWording {
    std::string caption; // a "|" of the language file is a line break
    int width = 0;
    std::vector<std::string> items;
};
struct ChannelWording {
    std::string numberCaption;
    int numberWidth = 0;
    std::vector<ColumnWording> columns; // by ChannelColumns()
    std::string noTone;                 // a tone column without a tone ("None")
};
ChannelWording ChannelColumnWording(const FormTexts& table);
// The table's section of the language file.
inline constexpr const char* kChannelTableSection = "fChsInfo";

// The text a cell of an in-use channel shows, in the wording given.
std::string ChannelCellText(const TChannel& c, std::size_t column, const ChannelWording& wording);

} // namespace zorva
