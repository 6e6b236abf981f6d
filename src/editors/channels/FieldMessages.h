// What every channel window tells the user about a value it refuses, and the checks of typed
// frequencies and tones that come with those messages. A refused value is never stored: the
// field shows what it held before.
#pragma once

#include <QString>
#include <optional>
#include <string>

namespace zorva {

class TALL;

// The frequency message, naming the bands in use.
void ShowFreqRefused(const TALL& all);
// A typed RX frequency: its value, or nullopt after the message.
std::optional<double> CheckedRxFreq(const TALL& all, const QString& typed);
// A typed TX frequency, which may be an offset from `rx` ("+5", "-0.6").
std::optional<double> CheckedTxFreq(const TALL& all, const QString& typed, double rx);

// A typed tone in canonical form ("" for none: an empty text or `noTone`), or nullopt after
// the message when it is none of the radio's tones.
std::optional<std::string> CheckedTone(const QString& typed, const QString& noTone);

} // namespace zorva
