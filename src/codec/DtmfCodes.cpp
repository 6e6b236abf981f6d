#include "codec/DtmfCodes.h"

#include "codec/TextCodec.h"

#include <algorithm>

namespace zorva {

namespace {

constexpr int kPttCodeDigits = 16;
constexpr int kIdCodeDigits = 6;
constexpr int kIdCodeMinimum = 3;
constexpr int kStunCodeDigits = 10;

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

uint8_t Nibble(const TALL& all, int first, int index) {
    const uint8_t byte = all.Image[kSettingsBase + first + index / 2];
    return index % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

// The texts are cut to their field, so a length never exceeds what its field can hold.
void StorePttCode(TALL& all, const std::string& text, uint8_t emptyMask, uint8_t lengthMask,
                  int first) {
    if (text.empty()) {
        all.PutSetting(kPttIdByte, emptyMask, 1);
        return;
    }
    const std::string digits = text.substr(0, kPttCodeDigits);
    all.PutSetting(kPttIdByte, emptyMask, 0);
    all.PutSetting(kPttLengthByte, lengthMask, static_cast<int>(digits.size()) - 1);
    StoreDigits(all, first, kPttCodeDigits, digits);
}

std::string ReadPttCode(const TALL& all, uint8_t emptyMask, uint8_t lengthMask, int first) {
    if (all.GetSetting(kPttIdByte, emptyMask) == 1) return "";
    return ReadDigits(all, first, all.GetSetting(kPttLengthByte, lengthMask) + 1, 15);
}

} // namespace

std::string ReadDigits(const TALL& all, int first, int count, int highest) {
    count = std::min(count, (kSettingsCount - first) * 2);
    std::string text;
    for (int i = 0; i < count; ++i) {
        const uint8_t code = Nibble(all, first, i);
        if (code > highest) break;
        text += DecodeDtmfDigit(code);
    }
    return text;
}

void StoreDigits(TALL& all, int first, int digits, const std::string& text) {
    std::string padded = text.substr(0, static_cast<std::size_t>(digits));
    padded.resize(static_cast<std::size_t>(digits), '*');
    for (int i = 0; i + 1 < digits; i += 2) {
        const auto high = EncodeDtmfDigit(padded[static_cast<std::size_t>(i)]);
        const auto low = EncodeDtmfDigit(padded[static_cast<std::size_t>(i) + 1]);
        all.Setting(first + i / 2) = static_cast<uint8_t>(high << 4 | low);
    }
    all.Modified = true;
}

std::string ReadDtmfCode(const TALL& all, DtmfCode code) {
    switch (code) {
    case DtmfCode::Begin:
        return ReadPttCode(all, kBeginEmptyMask, kBeginLengthMask, kBeginDigits);
    case DtmfCode::End:
        return ReadPttCode(all, kEndEmptyMask, kEndLengthMask, kEndDigits);
    case DtmfCode::Id: {
        std::string id = ReadDigits(all, kIdDigits, kIdCodeDigits, 9);
        return id.size() < kIdCodeMinimum ? "000" : id;
    }
    case DtmfCode::Stun: {
        // A length beyond the field (a damaged file) would show bytes of other settings.
        const int length =
            std::min<int>(all.Image[kSettingsBase + kStunLengthByte], kStunCodeDigits);
        return length == 0 ? "" : ReadDigits(all, kStunDigits, length, 15);
    }
    }
    return "";
}

void StoreDtmfCode(TALL& all, DtmfCode code, const std::string& edited) {
    std::string text = Trimmed(edited);
    // Edits show the letters in upper case; the digit code knows no lower case.
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return c >= 'a' && c <= 'd' ? static_cast<char>(c - 'a' + 'A') : c;
    });
    switch (code) {
    case DtmfCode::Begin:
        StorePttCode(all, text, kBeginEmptyMask, kBeginLengthMask, kBeginDigits);
        break;
    case DtmfCode::End:
        StorePttCode(all, text, kEndEmptyMask, kEndLengthMask, kEndDigits);
        break;
    case DtmfCode::Id:
        if (text.size() < kIdCodeMinimum) text = (text + "000").substr(0, kIdCodeMinimum);
        StoreDigits(all, kIdDigits, kIdCodeDigits, text);
        break;
    case DtmfCode::Stun:
        text = text.substr(0, kStunCodeDigits);
        all.Setting(kStunLengthByte) = static_cast<uint8_t>(text.size());
        StoreDigits(all, kStunDigits, kStunCodeDigits, text);
        break;
    }
    all.Modified = true;
}

int StarToneItemOfCode(int code) {
    return code >= 0 && code <= 3 ? (code + 1) % 4 : -1;
}

int StarToneCodeOfItem(int item) {
    return item >= 0 && item <= 3 ? (item + 3) % 4 : -1;
}

} // namespace zorva
