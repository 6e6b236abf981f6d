#include "fields/ChannelColumns.h"

#include "codec/ChannelRecord.h"
#include "codec/FreqCodec.h"
#include "codec/Numbers.h"
#include "core/TChannel.h"
#include "settings/FormTexts.h"
#include "settings/TextEncoding.h"

#include <array>

namespace zorva {

namespace {

using enum ColumnKind;
using enum ColumnAlign;

constexpr std::array<ChannelColumn, 14> kColumns{{
    {kFieldRxFreq, "RX Frequency", 80, Right, Frequency, nullptr, CharSet::Frequency,
     kFreqTextLength},
    {kFieldTxFreq, "TX Frequency", 80, Right, Frequency, nullptr, CharSet::Frequency,
     kFreqTextLength},
    {kFieldRxTone, "QT/DQT Dec", 65, Right, Tone, "cxDcts", CharSet::Tone, 0},
    {kFieldTxTone, "QT/DQT Enc", 65, Right, Tone, "cxDcts", CharSet::Tone, 0},
    {kFieldPower, "TX Power", 65, Center, Choice, "cxPwrv", CharSet::Digits, 0},
    {kFieldBandwidth, "W/N", 65, Center, Choice, "cxBand", CharSet::Digits, 0},
    {kFieldScan, "Scan Add", 65, Center, Choice, "cxScan", CharSet::Digits, 0},
    {kFieldBusyLock, "Busy Lock", 65, Center, Choice, "cxBclo", CharSet::Digits, 0},
    {kFieldVox, "Vox", 65, Center, Choice, "cxYnSw", CharSet::Digits, 0},
    {kFieldEpilogue, "Epilogue", 65, Center, Choice, "cxTail", CharSet::Digits, 0},
    {kFieldPttId, "PTT ID", 65, Center, Choice, "cxPtts", CharSet::Digits, 0},
    {kFieldAni, "DTMF", 65, Center, Choice, "cxAnis", CharSet::Digits, 0},
    {kFieldName, "NAME", 65, Center, Text, nullptr, CharSet::Name, kNameLength},
    {kFieldIdCode, "ID Code", 65, Center, Text, nullptr, CharSet::Digits, kIdCodeLength},
}};

constexpr int kNumberWidth = 45;
constexpr const char* kNoTone = "None";

constexpr std::array<const char*, 2> kPower{"Low", "High"};
constexpr std::array<const char*, 2> kBandwidth{"Narrow", "Wide"};
constexpr std::array<const char*, 2> kEpilogue{"Off", "On"};
constexpr std::array<const char*, 3> kShift{"Off", "+", "-"};
constexpr std::array<const char*, 4> kPttId{"Off", "BOT", "EOT", "Both"};
constexpr std::array<const char*, 4> kVoiceMode{"Off", "Compander", "Scrambler", "Both"};

// "080@RX Frequency" of the language file; a width that is no number keeps the default.
void ReadWidthAndCaption(const std::string& value, std::string& caption, int& width) {
    const std::size_t at = value.find('@');
    caption = at == std::string::npos ? value : value.substr(at + 1);
    if (at != std::string::npos)
        if (const auto parsed = ParseInteger(value.substr(0, at)); parsed && *parsed > 0)
            width = *parsed;
}

} // namespace

std::span<const ChannelColumn> ChannelColumns() {
    return kColumns;
}

const ChannelColumn* FindChannelColumn(int field) {
    for (const ChannelColumn& column : kColumns)
        if (column.field == field) return &column;
    return nullptr;
}

std::span<const char* const> ChoiceTexts(int field) {
    switch (field) {
    case kFieldShift:
        return kShift;
    case kFieldPower:
        return kPower;
    case kFieldBandwidth:
        return kBandwidth;
    case kFieldScan:
        return FlagTexts(OnFlag::Scan);
    case kFieldBusyLock:
        return FlagTexts(OnFlag::BusyLock);
    case kFieldReverse:
    case kFieldVox:
        return FlagTexts(OnFlag::Vox);
    case kFieldVoiceMode:
        return kVoiceMode;
    case kFieldEpilogue:
        return kEpilogue;
    case kFieldPttId:
        return kPttId;
    case kFieldAni:
        return FlagTexts(OnFlag::Ani);
    default:
        return {};
    }
}

int ChoiceValue(const TChannel& c, int field) {
    switch (field) {
    case kFieldShift:
        return c.Shift;
    case kFieldReverse:
        return c.Reverse;
    case kFieldPower:
        return c.Power;
    case kFieldBandwidth:
        return c.Bandwidth;
    case kFieldScan:
        return c.Scan;
    case kFieldBusyLock:
        return c.BusyLock;
    case kFieldVox:
        return c.Vox;
    case kFieldVoiceMode:
        return c.VoiceMode;
    case kFieldEpilogue:
        return c.Epilogue;
    case kFieldPttId:
        return c.PttId;
    case kFieldAni:
        return c.Ani;
    default:
        return 0;
    }
}

ChannelWording ChannelColumnWording(const FormTexts& table) {
    ChannelWording wording;
    wording.numberWidth = kNumberWidth;
    ReadWidthAndCaption(table.Item("ColShow", 1, "045@No."), wording.numberCaption,
                        wording.numberWidth);
    wording.noTone = table.Item("cxDcts", 0, kNoTone);
    for (const ChannelColumn& column : kColumns) {
        ColumnWording& words = wording.columns.emplace_back();
        words.width = column.width;
        ReadWidthAndCaption(table.Item("ColShow", column.field,
                                       FormatPadded(column.width, 3) + "@" + column.caption),
                            words.caption, words.width);
        if (column.kind == ColumnKind::Choice) {
            const auto texts = ChoiceTexts(column.field);
            for (std::size_t i = 0; i < texts.size(); ++i)
                words.items.push_back(table.Item(column.list, static_cast<int>(i), texts[i]));
        }
    }
    return wording;
}

std::string ChannelCellText(const TChannel& c, std::size_t column, const ChannelWording& wording) {
    const ChannelColumn& col = kColumns.at(column);
    switch (col.field) {
    case kFieldRxFreq:
        return FormatFreq(c.RxFreq);
    case kFieldTxFreq:
        return c.TxFreq == kNoFreq ? std::string() : FormatFreq(c.TxFreq);
    case kFieldRxTone:
        return c.RxTone.empty() ? wording.noTone : Latin1ToUtf8(c.RxTone);
    case kFieldTxTone:
        return c.TxTone.empty() ? wording.noTone : Latin1ToUtf8(c.TxTone);
    case kFieldName:
        return Latin1ToUtf8(c.Name);
    case kFieldIdCode:
        return Latin1ToUtf8(c.IdCode);
    default: {
        const std::vector<std::string>& items = wording.columns.at(column).items;
        const auto value = static_cast<std::size_t>(ChoiceValue(c, col.field));
        return value < items.size() ? items[value] : std::string();
    }
    }
}

} // namespace zorva
