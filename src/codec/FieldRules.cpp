#include "codec/FieldRules.h"

namespace zorva {

namespace {

bool IsDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

} // namespace

char32_t AcceptedChar(CharSet set, char32_t c) {
    switch (set) {
    case CharSet::Frequency:
        if (c == U',') return U'.';
        return IsDigit(c) || c == U'.' ? c : 0;
    case CharSet::Digits:
        return IsDigit(c) ? c : 0;
    case CharSet::Name:
        return c >= U' ' && c <= U'z' ? c : 0;
    case CharSet::Tone:
        switch (c) {
        case U'.':
        case U'D':
        case U'I':
        case U'N':
        case U'd':
        case U'i':
        case U'n':
            return c;
        default:
            return IsDigit(c) ? c : 0;
        }
    case CharSet::Dtmf:
        if (c >= U'a' && c <= U'd') return c - U'a' + U'A';
        return IsDigit(c) || (c >= U'A' && c <= U'D') || c == U'*' || c == U'#' ? c : 0;
    }
    return 0;
}

} // namespace zorva
