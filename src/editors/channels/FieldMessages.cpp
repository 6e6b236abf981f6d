#include "editors/channels/FieldMessages.h"

#include "codec/FreqCodec.h"
#include "codec/ToneList.h"
#include "core/Maindb.h"
#include "editors/ImageText.h"
#include "settings/UserMessages.h"
#include "settings/ui/ShowMsg.h"

namespace zorva {

void ShowFreqRefused(const TALL& all) {
    const TLanguage& texts = Language();
    const QString bands =
        QString::fromStdString(texts.BandsInUse).arg(QString::fromStdString(BandsInUseText(all)));
    ShowMsg(texts.Caution, texts.ErrRange + " " + bands.toStdString(), kMsgInfo);
}

std::optional<double> CheckedRxFreq(const TALL& all, const QString& typed) {
    const std::optional<double> mhz = AcceptedFreq(all, ToImageText(typed.trimmed()));
    if (!mhz) ShowFreqRefused(all);
    return mhz;
}

std::optional<double> CheckedTxFreq(const TALL& all, const QString& typed, double rx) {
    const std::optional<double> mhz = AcceptedTxFreq(all, ToImageText(typed.trimmed()), rx);
    if (!mhz) ShowFreqRefused(all);
    return mhz;
}

std::optional<std::string> CheckedTone(const QString& typed, const QString& noTone) {
    const QString text = typed.trimmed();
    if (text.isEmpty() || text == noTone) return std::string();
    if (std::optional<std::string> tone = RadioToneOf(ToImageText(text))) return tone;
    const TLanguage& texts = Language();
    ShowMsg(texts.Caution, QString::fromStdString(texts.ToneWrong).arg(text).toStdString(),
            kMsgInfo);
    return std::nullopt;
}

} // namespace zorva
