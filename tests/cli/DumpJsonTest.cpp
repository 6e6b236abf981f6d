// The dump of crafted data files, checked field by field against a decoder of the byte
// layouts written here from scratch, so a fault in the dump or in the codecs it relies on
// shows up as a difference.
#include "TestSupport.h"
#include "cli/CliCommands.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace zorva {
namespace {

using Bytes = std::vector<uint8_t>;

// File offsets; after the 16-byte header they equal image offsets.
constexpr int kFileSize = 4768;
constexpr int kChannelMap = 0x1190;
constexpr int kScanMap = 0x11A0;
constexpr int kFmMap = 0x11B0;
constexpr int kFmLow = 0x11B4;
constexpr int kFmHigh = 0x11B6;
constexpr int kSettings = 0x11B8;
constexpr int kBandMask = 0x11FE;
constexpr int kRanges = 0x1200;
constexpr int kTime = 0x1260;
constexpr int kSerial = 0x1280;

int RecordAt(int n) {
    return 32 * n - 16;
}

// ---- crafting -------------------------------------------------------------------------

void Put16(Bytes& f, int at, unsigned v) {
    f[at] = v & 0xFF;
    f[at + 1] = (v >> 8) & 0xFF;
}

void Put32(Bytes& f, int at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        f[at + i] = (v >> (8 * i)) & 0xFF;
}

void SetMapBit(Bytes& f, int map, int slot, bool set) {
    uint8_t& b = f[map + (slot - 1) / 8];
    const uint8_t bit = static_cast<uint8_t>(1u << ((slot - 1) % 8));
    b = set ? (b | bit) : (b & ~bit);
}

struct Record {
    uint32_t rx = 0xFFFFFFFF;
    uint32_t txOrOffset = 0xFFFFFFFF; // bytes 4-7 as one number
    uint8_t rxToneLow = 0xFF, rxToneHigh = 0xFF, txToneLow = 0xFF, txToneHigh = 0xFF;
    uint8_t flags12 = 0xFF, flags13 = 0xFF;
    std::array<uint8_t, 3> id{0xFF, 0xFF, 0xFF};
    std::string nameCodes = std::string(7, '\xFF');
};

void PutRecord(Bytes& f, int n, const Record& r) {
    const int at = RecordAt(n);
    std::fill(f.begin() + at, f.begin() + at + 32, 0xFF);
    Put32(f, at, r.rx);
    Put32(f, at + 4, r.txOrOffset);
    f[at + 8] = r.rxToneLow;
    f[at + 9] = r.rxToneHigh;
    f[at + 10] = r.txToneLow;
    f[at + 11] = r.txToneHigh;
    f[at + 12] = r.flags12;
    f[at + 13] = r.flags13;
    for (int i = 0; i < 3; ++i)
        f[at + 15 + i] = r.id[i];
    for (int i = 0; i < 7; ++i)
        f[at + 18 + i] = static_cast<uint8_t>(r.nameCodes[i]);
}

// Name codes of an ASCII text: code - 32, padded with spaces (code 0).
std::string Codes(const std::string& text) {
    std::string codes;
    for (char c : text)
        codes += static_cast<char>(c - 32);
    codes.resize(7, '\0');
    return codes;
}

// ---- the independent decoder -----------------------------------------------------------

uint32_t Get32(const Bytes& f, int at) {
    return (f[at] | f[at + 1] << 8 | f[at + 2] << 16 | uint32_t(f[at + 3]) << 24) & 0x7FFFFFFF;
}
unsigned Get16(const Bytes& f, int at) {
    return f[at] | f[at + 1] << 8;
}
bool MapBit(const Bytes& f, int map, int slot) {
    return (f[map + (slot - 1) / 8] >> ((slot - 1) % 8)) & 1;
}

// 10 Hz units as "0.00000".
std::string UnitsText(int64_t units) {
    std::string fraction = std::to_string(units % 100000);
    fraction.insert(0, 5 - fraction.size(), '0');
    return std::to_string(units / 100000) + "." + fraction;
}

std::string Tone(uint8_t low, uint8_t high) {
    if (high == 0xFF) return "";
    if (high & 0x80) {
        return "D" + std::to_string(high & 7) + std::to_string((low >> 4) & 7) +
               std::to_string(low & 7) + ((high & 0x40) ? "I" : "N");
    }
    const int d[4] = {high >> 4, high & 15, low >> 4, low & 15};
    if (*std::max_element(d, d + 4) > 9) return ""; // damaged code: no tone
    const int tenths = d[0] * 1000 + d[1] * 100 + d[2] * 10 + d[3];
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

QString Name(const Bytes& f, int at) {
    QString name;
    for (int i = 0; i < 7; ++i) {
        const int code = f[at + i];
        name += QChar(code <= 122 ? code + 32 : ' ');
    }
    while (name.endsWith(' '))
        name.chop(1);
    return name;
}

std::string IdCode(const Bytes& f, int at) {
    std::string digits;
    for (int i = 0; i < 6; ++i) {
        const int b = f[at + i / 2];
        const int nibble = i % 2 ? b & 15 : b >> 4;
        if (nibble > 9) break;
        digits += static_cast<char>('0' + nibble);
    }
    return digits.size() < 3 ? "000" : digits;
}

struct Band {
    int64_t low = 0, high = 0;
};

// Band ranges in effect. Only masks whose bands take the stored ranges (value 1) are crafted
// here, so nothing needs the model's hard limits.
std::vector<Band> Bands(const Bytes& f) {
    const int mask = f[kBandMask] & 0x3F;
    EXPECT_NE(mask, 0);
    std::vector<Band> bands(4);
    for (int i = 0; i < 4; ++i) {
        const int v = (mask >> (2 * i)) & 3;
        EXPECT_LE(v, 1) << "band " << i;
        if (v == 1) bands[i] = {Get32(f, kRanges + 8 * i), Get32(f, kRanges + 8 * i + 4)};
    }
    return bands;
}

// RX outside every band in use is replaced by the low limit of the first band in use.
int64_t RepairedRx(const std::vector<Band>& bands, int64_t rx) {
    for (const auto& b : bands)
        if (b.low && rx > 0 && b.low <= rx && rx <= b.high) return rx;
    for (const auto& b : bands)
        if (b.low) return b.low;
    return rx;
}

struct Channel {
    std::string rx, tx, offset;
    int shift = 0;
    std::string rxTone, txTone;
    int busyLock = 0, bandwidth = 0, power = 0, voiceMode = 0, scan = 0, epilogue = 0, vox = 0,
        pttId = 0, ani = 0;
    QString name;
    std::string idCode;
};

Channel Decode(const Bytes& f, int n, const std::vector<Band>& bands) {
    const int at = RecordAt(n);
    Channel c;
    const int64_t rx = RepairedRx(bands, Get32(f, at));
    c.rx = UnitsText(rx);
    if (n > 128) {
        int64_t offset = f[at + 4] | f[at + 5] << 8 | f[at + 6] << 16;
        if (offset > 9999500) offset = 0;
        c.shift = (f[at + 7] & 3) > 2 ? 0 : f[at + 7] & 3;
        c.offset = UnitsText(offset);
        c.tx = UnitsText(c.shift == 1 ? rx + offset : c.shift == 2 ? rx - offset : rx);
    } else if (f[at + 7] & 0x80) {
        c.tx = "";
        c.offset = UnitsText(0);
    } else {
        const int64_t tx = Get32(f, at + 4);
        c.tx = UnitsText(tx);
        c.offset = UnitsText(tx > rx ? tx - rx : rx - tx);
        c.shift = tx > rx ? 1 : tx < rx ? 2 : 0;
    }
    c.rxTone = Tone(f[at + 8], f[at + 9]);
    c.txTone = Tone(f[at + 10], f[at + 11]);
    const int b12 = f[at + 12], b13 = f[at + 13];
    c.voiceMode = (b12 & 3) ^ 3;
    c.power = (b12 >> 2) & 1;
    c.epilogue = (b12 >> 3) & 1;
    c.busyLock = (b12 >> 4) & 1;
    c.vox = (b12 >> 6) & 1;
    c.bandwidth = (b12 >> 7) & 1;
    c.pttId = ((b13 >> 4) & 3) ^ 3;
    c.ani = (b13 >> 7) & 1;
    c.idCode = IdCode(f, at + 15);
    c.name = Name(f, at + 18);
    c.scan = n <= 128 && MapBit(f, kScanMap, n);
    return c;
}

std::string FmText(const Bytes& f, int slot) {
    if (slot != 32 && MapBit(f, kFmMap, slot)) return "";
    return UnitsText(int64_t(Get16(f, 0x1050 + 2 * (slot - 1))) * 2500);
}

// ---- comparing -------------------------------------------------------------------------

std::string Str(const QJsonValue& v) {
    return v.toString().toStdString();
}

QStringList Sorted(QStringList keys) {
    keys.sort();
    return keys;
}

void ExpectChannel(const QJsonObject& o, int n, const Channel& e) {
    SCOPED_TRACE("channel " + std::to_string(n));
    QStringList keys{"number", "RxFreq",   "TxFreq",    "Offset", "Shift",     "RxTone",
                     "TxTone", "BusyLock", "Bandwidth", "Power",  "VoiceMode", "Epilogue",
                     "Vox",    "PttId",    "Ani",       "Name",   "IdCode"};
    if (n <= 128) keys << "Scan";
    EXPECT_EQ(Sorted(o.keys()), Sorted(keys));
    EXPECT_EQ(o["number"].toInt(), n);
    EXPECT_EQ(Str(o["RxFreq"]), e.rx);
    EXPECT_EQ(Str(o["TxFreq"]), e.tx);
    EXPECT_EQ(Str(o["Offset"]), e.offset);
    EXPECT_EQ(o["Shift"].toInt(-1), e.shift);
    EXPECT_EQ(Str(o["RxTone"]), e.rxTone);
    EXPECT_EQ(Str(o["TxTone"]), e.txTone);
    EXPECT_EQ(o["BusyLock"].toInt(-1), e.busyLock);
    EXPECT_EQ(o["Bandwidth"].toInt(-1), e.bandwidth);
    EXPECT_EQ(o["Power"].toInt(-1), e.power);
    EXPECT_EQ(o["VoiceMode"].toInt(-1), e.voiceMode);
    if (n <= 128) {
        EXPECT_EQ(o["Scan"].toInt(-1), e.scan);
    }
    EXPECT_EQ(o["Epilogue"].toInt(-1), e.epilogue);
    EXPECT_EQ(o["Vox"].toInt(-1), e.vox);
    EXPECT_EQ(o["PttId"].toInt(-1), e.pttId);
    EXPECT_EQ(o["Ani"].toInt(-1), e.ani);
    EXPECT_EQ(o["Name"].toString().toStdString(), e.name.toStdString());
    EXPECT_EQ(Str(o["IdCode"]), e.idCode);
}

// Everything in the dump that the byte layouts determine.
void ExpectDumpMatches(const QJsonObject& dump, const Bytes& f) {
    EXPECT_EQ(Sorted(dump.keys()), Sorted({"model", "bandMask", "bandSummary", "bands", "writeTime",
                                           "serial", "channels", "vfo", "fm", "settings"}));
    EXPECT_EQ(Str(dump["model"]["ident"]), std::string(f.begin() + 1, f.begin() + 5));
    EXPECT_EQ(Str(dump["model"]["name"]), "ZORVA-520SX");

    const auto bands = Bands(f);
    EXPECT_EQ(dump["bandMask"].toInt(-1), f[kBandMask] & 0x3F);
    std::string summary;
    const QJsonArray bandArray = dump["bands"].toArray();
    ASSERT_EQ(bandArray.size(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Str(bandArray[i]["low"]), UnitsText(bands[i].low)) << "band " << i;
        EXPECT_EQ(Str(bandArray[i]["high"]), UnitsText(bands[i].high)) << "band " << i;
        if (bands[i].low)
            summary += UnitsText(bands[i].low) + " - " + UnitsText(bands[i].high) + "/";
    }
    if (!summary.empty()) summary.pop_back();
    EXPECT_EQ(Str(dump["bandSummary"]), summary + "MHz");

    auto two = [](int v) { return (v < 10 ? "0" : "") + std::to_string(v); };
    EXPECT_EQ(Str(dump["writeTime"]), std::to_string(Get16(f, kTime)) + "-" + two(f[kTime + 2]) +
                                          "-" + two(f[kTime + 3]) + " " + two(f[kTime + 4]) + ":" +
                                          two(f[kTime + 5]) + ":" + two(f[kTime + 6]));

    std::string serial;
    for (int i = 0; i < 16; ++i) {
        const char c = static_cast<char>(f[kSerial + i]);
        if (c >= 'a' && c <= 'z')
            serial += static_cast<char>(c - 'a' + 'A');
        else
            serial += (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ? c : ' ';
    }
    EXPECT_EQ(Str(dump["serial"]), serial);

    std::vector<int> inUse;
    for (int n = 1; n <= 128; ++n)
        if (!MapBit(f, kChannelMap, n)) inUse.push_back(n);
    const QJsonArray channels = dump["channels"].toArray();
    ASSERT_EQ(channels.size(), static_cast<int>(inUse.size()));
    for (std::size_t i = 0; i < inUse.size(); ++i)
        ExpectChannel(channels[i].toObject(), inUse[i], Decode(f, inUse[i], bands));

    const QJsonArray vfo = dump["vfo"].toArray();
    ASSERT_EQ(vfo.size(), 2);
    ExpectChannel(vfo[0].toObject(), 129, Decode(f, 129, bands));
    ExpectChannel(vfo[1].toObject(), 130, Decode(f, 130, bands));

    const QJsonObject fm = dump["fm"].toObject();
    EXPECT_EQ(Sorted(fm.keys()), Sorted({"current", "channels", "scanLow", "scanHigh"}));
    EXPECT_EQ(Str(fm["current"]), FmText(f, 32));
    const QJsonArray fmChannels = fm["channels"].toArray();
    ASSERT_EQ(fmChannels.size(), 25);
    for (int k = 1; k <= 25; ++k)
        EXPECT_EQ(Str(fmChannels[k - 1]), FmText(f, k)) << "FM channel " << k;
    EXPECT_EQ(Str(fm["scanLow"]), UnitsText(int64_t(Get16(f, kFmLow)) * 2500));
    EXPECT_EQ(Str(fm["scanHigh"]), UnitsText(int64_t(Get16(f, kFmHigh)) * 2500));

    const QJsonArray settings = dump["settings"].toArray();
    ASSERT_EQ(settings.size(), 64);
}

class DumpJsonTest : public ::testing::Test {
protected:
    // A data file of a new image, made the way users make one.
    Bytes NewFile() {
        std::ostringstream out, err;
        const std::string path = dir.File("new.dat");
        EXPECT_EQ(RunCli({"zorva-cli", "new", "--force", QString::fromStdString(path)}, dir.Path(),
                         out, err),
                  0)
            << err.str();
        const std::string content = dir.Read("new.dat");
        EXPECT_EQ(content.size(), static_cast<std::size_t>(kFileSize));
        return Bytes(content.begin(), content.end());
    }

    QJsonObject Dump(const Bytes& f) {
        dir.Write("crafted.dat", std::string(f.begin(), f.end()));
        std::ostringstream out, err;
        const int rc =
            RunCli({"zorva-cli", "dump", QString::fromStdString(dir.File("crafted.dat"))},
                   dir.Path(), out, err);
        EXPECT_EQ(rc, 0);
        EXPECT_EQ(err.str(), "");
        QJsonParseError error;
        const QJsonDocument doc =
            QJsonDocument::fromJson(QByteArray::fromStdString(out.str()), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
        return doc.object();
    }

    test::TempDir dir;
};

TEST_F(DumpJsonTest, CraftedChannelsVfoFmAndInformationMatchTheByteLayouts) {
    Bytes f = NewFile();

    // Channel 1: TX below RX, CTCSS and DCS tones, every flag varied, a name with a
    // character beyond ASCII (code 97 decodes to 129).
    Record r1;
    r1.rx = 14550000;
    r1.txOrOffset = 14510000;
    r1.rxToneLow = 0x85;
    r1.rxToneHigh = 0x08; // 88.5
    r1.txToneLow = 0x23;
    r1.txToneHigh = 0x80; // D023N
    r1.flags12 = 0x9A;
    r1.flags13 = 0x10;
    r1.id = {0x12, 0x34, 0x5F};
    r1.nameCodes = Codes("Zo");
    r1.nameCodes[2] = 97;
    r1.nameCodes[3] = '!' - 32;
    PutRecord(f, 1, r1);
    SetMapBit(f, kChannelMap, 1, false);
    SetMapBit(f, kScanMap, 1, false);

    // Channel 2: no TX frequency (only bit 31 counts), inverted DCS, a two-digit ID code.
    Record r2;
    r2.rx = 43850000;
    r2.txOrOffset = 0x80000000;
    r2.txToneLow = 0x54;
    r2.txToneHigh = 0xC7; // D754I
    r2.flags12 = 0x44;
    r2.flags13 = 0x80;
    r2.id = {0x90, 0xFF, 0xFF};
    PutRecord(f, 2, r2);
    SetMapBit(f, kChannelMap, 2, false);
    SetMapBit(f, kScanMap, 2, true);

    // Channel 3: a record with content whose channel bit says empty.
    Record r3;
    r3.rx = 14600000;
    r3.txOrOffset = 14600000;
    PutRecord(f, 3, r3);
    SetMapBit(f, kChannelMap, 3, true);

    // Channel 5: RX outside every band, a damaged CTCSS code, six ID digits.
    Record r5;
    r5.rx = 60000000;
    r5.txOrOffset = 40000000;
    r5.rxToneLow = 0x0A;
    r5.rxToneHigh = 0x08;
    r5.txToneLow = 0x41;
    r5.txToneHigh = 0x25; // 254.1
    r5.flags12 = 0x00;
    r5.flags13 = 0x00;
    r5.id = {0x12, 0x34, 0x56};
    PutRecord(f, 5, r5);
    SetMapBit(f, kChannelMap, 5, false);

    // Channel 128, the last one: TX above RX, a full seven-character name.
    Record r128;
    r128.rx = 13600000;
    r128.txOrOffset = 17400000;
    r128.flags12 = 0x7F;
    r128.flags13 = 0x7F;
    r128.nameCodes = Codes("ABCDEFG");
    PutRecord(f, 128, r128);
    SetMapBit(f, kChannelMap, 128, false);

    // Freq_Down: plus 0.6 MHz; Freq_Up stays erased (0xFF), which the loader repairs.
    Record vfo;
    vfo.rx = 14600000;
    vfo.txOrOffset = 0x0100EA60; // offset 60000 units, shift 1
    vfo.flags12 = 0x81;
    vfo.flags13 = 0x20;
    vfo.id = {0x78, 0x9F, 0xFF};
    vfo.nameCodes = Codes("VFO A");
    PutRecord(f, 129, vfo);
    PutRecord(f, 130, Record{});

    // FM: scan range 90.0-100.0 MHz; slots 1, 2 and 25 in use, 2 outside the range; slot 3
    // holds a value but is empty.
    Put16(f, kFmLow, 3600);
    Put16(f, kFmHigh, 4000);
    Put16(f, 0x1050, 3700);
    Put16(f, 0x1052, 4100);
    Put16(f, 0x1054, 3800);
    Put16(f, 0x1050 + 2 * 24, 4000);
    Put16(f, 0x108E, 3999);
    f[kFmMap] = 0xFC;
    f[kFmMap + 3] = 0xFE;

    const std::string serial = "ab12-9";
    std::fill(f.begin() + kSerial, f.begin() + kSerial + 16, 0xFF);
    std::copy(serial.begin(), serial.end(), f.begin() + kSerial);
    const uint8_t time[7] = {0xEF, 0x07, 0x0C, 0x1F, 0x17, 0x3B, 0x3A};
    std::copy(time, time + 7, f.begin() + kTime);

    f[kSettings + 3] = 0x5A;  // no range rule: kept
    f[kSettings + 7] = 0xD5;  // high nibble 13 is above 12: reset to 6
    f[kSettings + 20] = 0x21; // power-on message character: kept

    const QJsonObject dump = Dump(f);
    ExpectDumpMatches(dump, f);

    // Spot checks of the expectations themselves, so the decoder above cannot drift.
    const QJsonArray channels = dump["channels"].toArray();
    ASSERT_EQ(channels.size(), 4);
    EXPECT_EQ(Str(channels[0]["Offset"]), "0.40000");
    EXPECT_EQ(channels[0]["Name"].toString().toStdString(), "Zo\u0081!");
    EXPECT_EQ(Str(channels[1]["TxFreq"]), "");
    EXPECT_EQ(Str(channels[1]["IdCode"]), "000");
    EXPECT_EQ(Str(channels[2]["RxFreq"]), "400.00000");
    EXPECT_EQ(Str(channels[2]["RxTone"]), "");
    EXPECT_EQ(Str(dump["vfo"][0]["TxFreq"]), "146.60000");
    EXPECT_EQ(Str(dump["vfo"][1]["RxFreq"]), "400.00000");
    EXPECT_EQ(Str(dump["fm"]["channels"][1]), "102.50000"); // outside the range, as stored
    EXPECT_EQ(Str(dump["serial"]), "AB12 9          ");
    EXPECT_EQ(Str(dump["writeTime"]), "2031-12-31 23:59:58");

    // Settings after the sanitiser: the file's bytes except the field it resets.
    const QJsonArray settings = dump["settings"].toArray();
    for (int n = 0; n < 64; ++n) {
        const int expected = n == 7 ? 0x65 : f[kSettings + n];
        EXPECT_EQ(settings[n].toInt(-1), expected) << "setting " << n;
    }
}

TEST_F(DumpJsonTest, StoredBandRangeSelectsTheBandsAndTheRepairLimit) {
    Bytes f = NewFile();
    f[kBandMask] = 0x04; // band 1 only, with the range stored in the file
    Put32(f, kRanges + 8, 14400000);
    Put32(f, kRanges + 12, 14800000);

    Record inside;
    inside.rx = 14600000;
    inside.txOrOffset = 14600000;
    PutRecord(f, 7, inside);
    SetMapBit(f, kChannelMap, 7, false);
    Record outside = inside;
    outside.rx = 43850000; // within the model, but not within the band in use
    PutRecord(f, 8, outside);
    SetMapBit(f, kChannelMap, 8, false);

    const QJsonObject dump = Dump(f);
    ExpectDumpMatches(dump, f);
    EXPECT_EQ(Str(dump["bandSummary"]), "144.00000 - 148.00000MHz");
    EXPECT_EQ(Str(dump["channels"][1]["RxFreq"]), "144.00000");
    EXPECT_EQ(Str(dump["vfo"][1]["RxFreq"]), "144.00000");
}

} // namespace
} // namespace zorva
