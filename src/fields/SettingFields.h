// The settings the VFO window and the function windows show, as plain rows in each window's
// reading order: the control that names a row (its label, or the check box itself) with its
// English caption, and the value read from the image as the window shows it. The language
// file words the captions ("<name>.Caption") and list items ("<list>.<index>") of the
// window's section; the printed sheet lists these rows without making any window.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zorva {

class FormTexts;
class TALL;

// Which items of a list the language file words: every one, only the first (an "Off"
// before numbers), or none (numbers throughout).
enum class ItemWording { All, FirstOnly, None };

// A list control: its name, its English items and which of them are words.
struct SettingList {
    const char* name;
    std::vector<std::string> items;
    ItemWording wording = ItemWording::All;

    // Item `index` in the wording of `texts`; empty for an index the list lacks (the
    // control then shows nothing).
    std::string ItemText(int index, const FormTexts& texts) const;
};

struct SettingRow {
    const char* name;    // the label, or the check box
    const char* caption; // English
    // The value as the window shows it (UTF-8); a check box reads as a ticked or an empty box.
    std::function<std::string(const TALL&, const FormTexts&)> value;
    // Whether the window shows the row for this image; null for always.
    std::function<bool(const TALL&)> shown;
};

struct SettingSection {
    const char* form;  // the window's section of the language file ("fOptFun")
    const char* title; // the window's English caption ("<form>.Caption")
    // The control naming the part of the window the rows are (the VFO record), or null.
    const char* part;
    const char* partCaption;
    std::vector<SettingRow> rows;
};

inline constexpr const char* kTickedBox = "\u2611";
inline constexpr const char* kEmptyBox = "\u2610";

// In the order of the printed sheet: the VFO records Freq_Down and Freq_Up, FM, DTMF,
// optional functions, VOX, scanning.
const std::vector<SettingSection>& SettingSections();
// The section of window `form` (of its first part), or null.
const SettingSection* FindSettingSection(const char* form);

// The numbers "first", "first + step" ... up to "last", each followed by `unit`.
std::vector<std::string> NumberTexts(int first, int last, int step = 1, const char* unit = "");

} // namespace zorva
