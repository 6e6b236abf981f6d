// What differs between two image states, by the parts the windows show: memory channels (a
// range), the frequency-mode records, the FM broadcast channels, and everything else (the
// function settings, DTMF codes, the radio information). A different model or band layout
// makes a new image altogether.
#pragma once

#include "core/ImageState.h"

namespace zorva {

struct ImageChanges {
    bool replaced = false; // another model or band layout: every part is new
    int firstChannel = 0;  // the memory channels changed, 0 for none
    int lastChannel = 0;
    bool vfo = false;
    bool fm = false;
    bool settings = false; // any other byte

    bool Any() const { return replaced || firstChannel || vfo || fm || settings; }
};

ImageChanges CompareImageStates(const ImageState& before, const ImageState& after);

} // namespace zorva
