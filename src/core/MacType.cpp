#include "core/MacType.h"

#include "core/TAll.h"

namespace zorva {

TMacType::TMacType(std::string ident, std::string name, int32_t channelCount)
    : Ident(std::move(ident)), Name(std::move(name)), ChannelCount(channelCount) {}

void TMacType::SetLimits(int band, double low, double high) {
    LimitLow[band] = low;
    LimitHigh[band] = high;
    LowEditable[band] = true;
    HighEditable[band] = true;
}

void TMacType::SetDefaults(int band, bool lowEditable, double low, double high, bool highEditable,
                           bool present) {
    DefaultLow[band] = low;
    DefaultHigh[band] = high;
    LowEditable[band] = lowEditable;
    HighEditable[band] = highEditable;
    BandPresent[band] = present;
}

void TMacType::SetBandMasks(uint8_t bandMask, uint8_t defaultBandMask, bool showBandChoice) {
    BandMask = bandMask;
    DefaultBandMask = defaultBandMask;
    ShowBandChoice = showBandChoice;
}

std::pair<double, double> TMacType::GetLimits(int band) const {
    return {LimitLow[band], LimitHigh[band]};
}

std::pair<double, double> TMacType::GetDefaults(int band) const {
    return {DefaultLow[band], DefaultHigh[band]};
}

std::pair<double, double> TMacType::GetRange(int band, bool useLimits) const {
    return useLimits ? GetLimits(band) : GetDefaults(band);
}

std::pair<bool, bool> TMacType::GetEditable(int band) const {
    return {LowEditable[band], HighEditable[band]};
}

bool TMacType::IsBandPresent(int band) const {
    return BandPresent[band];
}

void TMacList::Add(std::unique_ptr<TMacType> entry) {
    std::string key = entry->Ident;
    entries_.emplace_back(std::move(key), std::move(entry));
}

const TMacType* TMacList::Items(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return entries_[index].second.get();
}

const TMacType* TMacList::FindByIdent(const std::string& ident) const {
    for (const auto& [key, entry] : entries_)
        if (key == ident) return entry.get();
    return nullptr;
}

const TMacType* TMacList::FindByName(const std::string& name) const {
    for (const auto& entry : entries_)
        if (entry.second->Name == name) return entry.second.get();
    return nullptr;
}

void TMacList::FillNames(std::vector<std::string>& names) const {
    names.clear();
    for (const auto& entry : entries_)
        names.push_back(entry.second->Name);
}

void ModelDefaults(TALL& all, TMacList& macList) {
    all.ProductName = "ZORVA-520SX";
    all.OwnModelIdent = "KQ57";
    all.BaudRate = 4800;
    all.FmBandLow = 76.0;
    all.FmBandHigh = 107.0;
    all.PowerTestAvailable = true;
    all.ManualFreqDefault = 0xAA;

    auto entry = std::make_unique<TMacType>("KQ57", all.ProductName, 128);
    constexpr double limits[4][2] = {
        {400.0, 520.0}, {134.0, 176.0}, {200.0, 260.0}, {320.0, 400.0}};
    constexpr double defaults[4][2] = {
        {400.0, 520.0}, {136.0, 174.0}, {220.0, 260.0}, {350.0, 400.0}};
    for (int band = 0; band < 4; ++band)
        entry->SetLimits(band, limits[band][0], limits[band][1]);
    for (int band = 0; band < 4; ++band)
        entry->SetDefaults(band, true, defaults[band][0], defaults[band][1], true, true);
    entry->SetBandMasks(0x3F, 0x15, true);
    macList.Add(std::move(entry));
}

} // namespace zorva
