// The model catalogue: the radio models this program can program, with their bands.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zorva {

class TALL;

class TMacType {
public:
    TMacType(std::string ident, std::string name, int32_t channelCount);

    std::string Ident;
    std::string Name;
    int32_t ChannelCount = 0;
    std::array<double, 4> LimitLow{}, LimitHigh{};
    std::array<double, 4> DefaultLow{}, DefaultHigh{};
    std::array<bool, 4> LowEditable{}, HighEditable{};
    std::array<bool, 4> BandPresent{};
    uint8_t BandMask = 0;
    uint8_t DefaultBandMask = 0;
    bool ShowBandChoice = false;

    void SetLimits(int band, double low, double high);
    void SetDefaults(int band, bool lowEditable, double low, double high, bool highEditable,
                     bool present);
    void SetBandMasks(uint8_t bandMask, uint8_t defaultBandMask, bool showBandChoice);
    std::pair<double, double> GetLimits(int band) const;
    std::pair<double, double> GetDefaults(int band) const;
    std::pair<double, double> GetRange(int band, bool useLimits) const;
    std::pair<bool, bool> GetEditable(int band) const;
    bool IsBandPresent(int band) const;
};

class TMacList {
public:
    void Add(std::unique_ptr<TMacType> entry);
    // The entry at a 0-based index, or nullptr past the end (or before the start).
    const TMacType* Items(int index) const;
    // First entry whose ident / name matches exactly (case-sensitive), or nullptr.
    const TMacType* FindByIdent(const std::string& ident) const;
    const TMacType* FindByName(const std::string& name) const;
    void FillNames(std::vector<std::string>& names) const;
    int Count() const { return static_cast<int>(entries_.size()); }

private:
    std::vector<std::pair<std::string, std::unique_ptr<TMacType>>> entries_;
};

// Registers the one model this program knows and puts its communication and FM defaults
// into the state. Runs once at start-up, before the settings file is read.
void ModelDefaults(TALL& all, TMacList& macList);

} // namespace zorva
