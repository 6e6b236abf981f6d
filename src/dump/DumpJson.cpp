#include "dump/DumpJson.h"

#include "codec/ChannelRecord.h"
#include "codec/DerivedFields.h"
#include "codec/FmCodec.h"
#include "codec/Numbers.h"
#include "core/TAll.h"
#include "settings/TextEncoding.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QString>

namespace zorva {

namespace {

QString Ascii(const std::string& text) {
    return QString::fromUtf8(text);
}

// Texts taken from the image are one byte per character, Latin-1.
QString ImageText(const std::string& text) {
    return QString::fromUtf8(Latin1ToUtf8(text));
}

QJsonObject ChannelObject(int number, const TChannel& c, bool memoryChannel) {
    QJsonObject o;
    o.insert("number", number);
    o.insert("RxFreq", Ascii(FreqText(c.RxFreq)));
    o.insert("TxFreq", Ascii(FreqText(c.TxFreq)));
    o.insert("Offset", Ascii(FreqText(c.Offset)));
    o.insert("Shift", c.Shift);
    o.insert("RxTone", Ascii(c.RxTone));
    o.insert("TxTone", Ascii(c.TxTone));
    o.insert("BusyLock", c.BusyLock);
    o.insert("Bandwidth", c.Bandwidth);
    o.insert("Power", c.Power);
    o.insert("VoiceMode", c.VoiceMode);
    if (memoryChannel) o.insert("Scan", c.Scan);
    o.insert("Epilogue", c.Epilogue);
    o.insert("Vox", c.Vox);
    o.insert("PttId", c.PttId);
    o.insert("Ani", c.Ani);
    o.insert("Name", ImageText(c.Name));
    o.insert("IdCode", Ascii(c.IdCode));
    return o;
}

} // namespace

std::string FreqText(double mhz) {
    return mhz < 0.0 ? std::string() : FormatFreq(mhz);
}

QJsonObject DumpImage(const TALL& all) {
    // The loaders repair what they decode, so everything that reads image bytes directly
    // (settings, FM scan range) comes after them.
    QJsonArray channels;
    TChannel c;
    for (int n = 1; n <= all.ChannelCount && n <= kMemoryChannels; ++n) {
        if (LoadChannel(all, n, c)) channels.append(ChannelObject(n, c, true));
    }

    QJsonArray vfo;
    for (int n : {kVfoDown, kVfoUp}) {
        TChannel record;
        LoadChannel(all, n, record);
        vfo.append(ChannelObject(n, record, false));
    }

    QJsonObject fm;
    fm.insert("current", Ascii(FreqText(ReadFmChannel(all, kFmCurrentSlot))));
    QJsonArray fmChannels;
    for (int k = 1; k <= kFmChannels; ++k)
        fmChannels.append(Ascii(FreqText(ReadFmChannel(all, k))));
    fm.insert("channels", fmChannels);
    fm.insert("scanLow", Ascii(FmUnitsText(all.U16At(kFmScanLow))));
    fm.insert("scanHigh", Ascii(FmUnitsText(all.U16At(kFmScanHigh))));

    QJsonArray bands;
    for (int i = 0; i < kBands; ++i) {
        QJsonObject band;
        band.insert("low", Ascii(FormatFreq(all.BandLow[i])));
        band.insert("high", Ascii(FormatFreq(all.BandHigh[i])));
        bands.append(band);
    }

    QJsonArray settings;
    for (int n = 0; n < kSettingsCount; ++n)
        settings.append(all.Image[kSettingsBase + n]);

    QJsonObject model;
    model.insert("ident", ImageText(all.ImageModelIdent));
    model.insert("name", ImageText(all.ModelName));

    QJsonObject root;
    root.insert("model", model);
    root.insert("bandMask", all.BandMask);
    root.insert("bandSummary", Ascii(all.BandSummary));
    root.insert("bands", bands);
    root.insert("writeTime", Ascii(WriteTimeText(all)));
    root.insert("serial", Ascii(SerialNumberText(all)));
    root.insert("channels", channels);
    root.insert("vfo", vfo);
    root.insert("fm", fm);
    root.insert("settings", settings);
    return root;
}

std::string DumpText(const TALL& all) {
    return QJsonDocument(DumpImage(all)).toJson(QJsonDocument::Indented).toStdString();
}

} // namespace zorva
