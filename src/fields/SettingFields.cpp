#include "fields/SettingFields.h"

#include "codec/ChannelRecord.h"
#include "codec/FmCodec.h"
#include "codec/Numbers.h"
#include "core/TAll.h"
#include "core/TChannel.h"
#include "fields/ChannelColumns.h"
#include "fields/SettingRows.h"
#include "settings/FormTexts.h"
#include "settings/TextEncoding.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <utility>

namespace zorva {

std::string SettingList::ItemText(int index, const FormTexts& texts) const {
    if (index < 0 || index >= static_cast<int>(items.size())) return {};
    const std::string& english = items[static_cast<std::size_t>(index)];
    const bool worded =
        wording == ItemWording::All || (wording == ItemWording::FirstOnly && index == 0);
    return worded ? texts.Item(name, index, english) : english;
}

std::vector<std::string> NumberTexts(int first, int last, int step, const char* unit) {
    std::vector<std::string> texts;
    for (int n = first; n <= last; n += step)
        texts.push_back(std::to_string(n) + unit);
    return texts;
}

SettingRow ListRow(const char* name, const char* caption, SettingList list, ItemOf item) {
    return {
        name, caption,
        [list = std::move(list), item = std::move(item)](const TALL& all, const FormTexts& texts) {
            return list.ItemText(item(all), texts);
        },
        nullptr};
}

SettingRow FieldRow(const char* name, const char* caption, SettingList list, SettingField field) {
    return ListRow(name, caption, std::move(list),
                   [field](const TALL& all) { return ReadField(all, field); });
}

SettingRow CheckRow(const char* name, const char* caption, std::function<bool(const TALL&)> on) {
    return {name, caption,
            [on = std::move(on)](const TALL& all, const FormTexts&) {
                return std::string(on(all) ? kTickedBox : kEmptyBox);
            },
            nullptr};
}

SettingRow TextRow(const char* name, const char* caption,
                   std::function<std::string(const TALL&)> text) {
    return {name, caption,
            [text = std::move(text)](const TALL& all, const FormTexts&) { return text(all); },
            nullptr};
}

SettingRow ImageTextRow(const char* name, const char* caption,
                        std::function<std::string(const TALL&)> text) {
    return TextRow(name, caption,
                   [text = std::move(text)](const TALL& all) { return Latin1ToUtf8(text(all)); });
}

namespace {

TChannel Record(const TALL& all, int record) {
    TChannel c;
    LoadChannel(all, record, c);
    return c;
}

std::vector<std::string> Texts(std::span<const char* const> english) {
    return {english.begin(), english.end()};
}

SettingSection VfoSection(int record, const char* part, const char* partCaption) {
    using Field = uint8_t TChannel::*;
    const auto item = [record](Field field) {
        return [record, field](const TALL& all) { return int(Record(all, record).*field); };
    };
    const auto flag = [record](OnFlag on) {
        return [record, on](const TALL& all) { return IsOn(Record(all, record), on); };
    };
    // A tone list shows its first item (the word for none) or the tone itself, also a tone
    // the list lacks.
    const auto tone = [record](const char* list, std::string TChannel::*field) {
        return [record, list, field](const TALL& all, const FormTexts& texts) {
            const std::string shown = Record(all, record).*field;
            return shown.empty() ? texts.Item(list, 0, "None") : Latin1ToUtf8(shown);
        };
    };
    // The steps as the window lists them: right-aligned in six characters.
    std::vector<std::string> steps;
    for (const double khz : kVfoStepsKhz) {
        std::string step = FormatFixed(khz, 2);
        steps.push_back(std::string(step.size() < 6 ? 6 - step.size() : 0, ' ') + step);
    }
    return {
        "fFreqEdit",
        "VFO Channels",
        part,
        partCaption,
        {
            TextRow("lRxSv", "Frequency[MHz]",
                    [record](const TALL& all) { return FormatFreq(Record(all, record).RxFreq); }),
            TextRow("lTxSv", "Offset Freq.[MHz]",
                    [record](const TALL& all) { return FormatFreq(Record(all, record).Offset); }),
            ListRow("lDups", "Duplex", {"cxDups", {"OFF", "+Dup", "-Dup"}}, item(&TChannel::Shift)),
            FieldRow("lStep", "Freq. Step[kHz]", {"cxStep", steps, ItemWording::None}, kVfoStep),
            {"lRxDcts", "QT/DQT Decode", tone("cxRxDcts", &TChannel::RxTone), nullptr},
            {"lTxDcts", "QT/DQT Encode", tone("cxTxDcts", &TChannel::TxTone), nullptr},
            ListRow("lBand", "Wide/Narrow", {"cxBand", {"Narrow", "Wide"}},
                    item(&TChannel::Bandwidth)),
            ListRow("lPwrv", "TX Power", {"cxPwrv", {"Low", "High"}}, item(&TChannel::Power)),
            ListRow("lPtts", "PTT ID", {"cxPtts", Texts(ChoiceTexts(kFieldPttId))},
                    item(&TChannel::PttId)),
            CheckRow("cxBclo", "Busy Lock", flag(OnFlag::BusyLock)),
            CheckRow("cxTail", "Epilogue",
                     [record](const TALL& all) { return Record(all, record).Epilogue == 1; }),
            CheckRow("cxVoxs", "Vox", flag(OnFlag::Vox)),
            CheckRow("cxAnis", "Ani", flag(OnFlag::Ani)),
        },
    };
}

} // namespace

std::vector<SettingSection> VfoSections() {
    return {VfoSection(kVfoDown, "cxDown", "Freq_Down"), VfoSection(kVfoUp, "cxUps", "Freq_Up")};
}

SettingSection FmSection() {
    return {
        "fFmFun",
        "FM Information",
        nullptr,
        nullptr,
        {
            TextRow("lRx", "Freq. Channel[MHz]",
                    [](const TALL& all) { return FormatFreq(ReadFmChannel(all, kFmCurrentSlot)); }),
            ListRow("lStep", "FM Step[kHz]", {"cxStep", {"50", "100", "200"}, ItemWording::None},
                    [](const TALL& all) { return std::max(ReadField(all, kFmStep) - 1, 0); }),
            CheckRow("cxFmDw", "Inhibit Receiver When Radio Working",
                     [](const TALL& all) { return ReadField(all, kFmInhibit) == 0; }),
            TextRow("lScan", "FM Scan bound[MHz]",
                    [](const TALL& all) {
                        return FmBoundText(all.FmBandLow) + " \u2013 " +
                               FmBoundText(all.FmBandHigh);
                    }),
        },
    };
}

const std::vector<SettingSection>& SettingSections() {
    static const std::vector<SettingSection> sections = [] {
        std::vector<SettingSection> all = VfoSections();
        all.push_back(FmSection());
        for (SettingSection& section : FunctionSections())
            all.push_back(std::move(section));
        return all;
    }();
    return sections;
}

const SettingSection* FindSettingSection(const char* form) {
    for (const SettingSection& section : SettingSections())
        if (std::strcmp(section.form, form) == 0) return &section;
    return nullptr;
}

} // namespace zorva
