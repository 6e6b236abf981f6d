#include "codec/ToneList.h"

#include "codec/Numbers.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace zorva {

const std::vector<std::string>& CtcssTones() {
    static const std::vector<std::string> tones{
        "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
        "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
        "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
        "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
        "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1"};
    return tones;
}

const std::vector<std::string>& DcsCodes() {
    static const std::vector<std::string> codes{
        "023", "025", "026", "031", "032", "036", "043", "047", "050", "051", "053", "054",
        "065", "071", "072", "073", "074", "114", "115", "116", "122", "125", "131", "132",
        "134", "143", "145", "152", "155", "156", "162", "165", "172", "174", "205", "212",
        "223", "225", "226", "243", "244", "245", "246", "251", "252", "255", "261", "263",
        "265", "266", "271", "274", "306", "311", "315", "325", "331", "332", "343", "346",
        "351", "356", "364", "365", "371", "411", "412", "413", "423", "431", "432", "445",
        "446", "452", "454", "455", "462", "464", "465", "466", "503", "506", "516", "523",
        "526", "532", "546", "565", "606", "612", "624", "627", "631", "632", "645", "654",
        "662", "664", "703", "712", "723", "731", "732", "734", "743", "754"};
    return codes;
}

const std::vector<std::string>& ToneList() {
    static const std::vector<std::string> list = [] {
        std::vector<std::string> texts{"None"};
        texts.insert(texts.end(), CtcssTones().begin(), CtcssTones().end());
        for (const char* polarity : {"N", "I"})
            for (const std::string& code : DcsCodes())
                texts.push_back("D" + code + polarity);
        return texts;
    }();
    return list;
}

bool IsRadioTone(std::string_view tone) {
    const std::vector<std::string>& list = ToneList();
    return std::find(list.begin() + 1, list.end(), tone) != list.end();
}

std::optional<std::string> RadioToneOf(std::string_view typed) {
    if (typed.empty()) return std::nullopt;
    std::string tone;
    if (typed.front() == 'D' || typed.front() == 'd') {
        if (typed.size() != 4 && typed.size() != 5) return std::nullopt;
        tone = "D";
        for (const char c : typed.substr(1, 3)) {
            if (c < '0' || c > '9') return std::nullopt;
            tone += c;
        }
        const char polarity =
            typed.size() == 5
                ? static_cast<char>(std::toupper(static_cast<unsigned char>(typed[4])))
                : 'N';
        if (polarity != 'N' && polarity != 'I') return std::nullopt;
        tone += polarity;
    } else {
        const std::optional<double> hz = ParseNumber(typed);
        if (!hz) return std::nullopt;
        const double tenths = *hz * 10.0;
        // Only a value the list has, not one that rounds to it.
        if (std::fabs(tenths - std::round(tenths)) > 1e-6) return std::nullopt;
        tone = FormatFixed(std::round(tenths) / 10.0, 1);
    }
    if (!IsRadioTone(tone)) return std::nullopt;
    return tone;
}

} // namespace zorva
