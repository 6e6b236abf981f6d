// The differences between two dump documents (DumpImage), field by field, as the paths of
// the document: "channels[12].RxFreq", "settings[5]", "writeTime".
#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <string>
#include <vector>

namespace zorva {

struct DumpDifference {
    std::string path;
    QJsonValue a; // Undefined where the field is only in b
    QJsonValue b; // Undefined where the field is only in a
};

// Walks both documents: objects by key, arrays by index, except the memory channels, which
// are matched by their channel number (the dump lists only the channels in use), so
// "channels[12]" is channel 12. A channel in use in one image only gives each of its fields
// against an undefined value.
std::vector<DumpDifference> DiffDumps(const QJsonObject& a, const QJsonObject& b);

// One line a difference: "channels[12].RxFreq: 145.50000 -> 145.60000"; a missing value
// reads "(empty)", an empty text or one with blanks at its ends is quoted.
std::string DifferenceLine(const DumpDifference& difference);

// The differences as a JSON array of {"path", "a", "b"} (null where missing), indented.
std::string DifferencesJson(const std::vector<DumpDifference>& differences);

} // namespace zorva
