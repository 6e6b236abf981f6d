#include "Options.h"

#include <charconv>
#include <string_view>

namespace radiosim {

namespace {

constexpr std::size_t kIdentLength = 4;
constexpr std::size_t kSerialLength = 16;

// A decimal number, or a hexadecimal one written 0x.., within [low, high].
std::optional<long> parseNumber(std::string_view text, long low, long high) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < low ||
        value > high)
        return std::nullopt;
    return value;
}

bool isPrintableAscii(std::string_view text) {
    for (const char c : text)
        if (c < 0x20 || c > 0x7E) return false;
    return true;
}

// Applies one --fault value; returns an error text, empty when accepted.
std::string addFault(Faults& faults, std::string_view text) {
    const auto colon = text.find(':');
    const std::string_view kind = text.substr(0, colon);
    const bool hasCount = colon != std::string_view::npos;
    const std::string_view countText = hasCount ? text.substr(colon + 1) : std::string_view();

    bool* flag = nullptr;
    if (kind == "silent")
        flag = &faults.silent;
    else if (kind == "wrong-ident")
        flag = &faults.wrongIdent;
    else if (kind == "lower-ident")
        flag = &faults.lowerIdent;
    else if (kind == "wrong-answer")
        flag = &faults.wrongAnswer;
    else if (kind == "garbage")
        flag = &faults.garbage;
    if (flag != nullptr) {
        if (hasCount) return "fault '" + std::string(kind) + "' takes no number";
        *flag = true;
        return {};
    }

    const bool isBlockFault = kind == "nak-block" || kind == "stop-after" ||
                              kind == "hangup-after" || kind == "drop-write";
    if (!isBlockFault && kind != "split") return "unknown fault '" + std::string(kind) + "'";
    if (!hasCount)
        return "fault '" + std::string(kind) + "' needs a number, as " + std::string(kind) + ":N";
    // Blocks are numbered 0..296; a piece holds at least one byte.
    const auto count =
        isBlockFault ? parseNumber(countText, 0, 296) : parseNumber(countText, 1, 64);
    if (!count)
        return "bad number '" + std::string(countText) + "' for fault '" + std::string(kind) +
               "' (" + (isBlockFault ? "a block 0..296" : "a piece size 1..64") + ")";
    const int n = static_cast<int>(*count);
    if (kind == "nak-block")
        faults.nakBlocks.insert(n);
    else if (kind == "stop-after")
        faults.stopAfter = n;
    else if (kind == "hangup-after")
        faults.hangupAfter = n;
    else if (kind == "drop-write")
        faults.dropWrites.insert(n);
    else
        faults.pieceSize = n;
    return {};
}

} // namespace

ParsedOptions parseOptions(const std::vector<std::string>& args) {
    ParsedOptions result;
    Options& o = result.options;
    auto fail = [&result](std::string text) {
        result.outcome = ParsedOptions::Outcome::Error;
        result.error = std::move(text);
        return result;
    };

    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> inlineValue;
        if (const auto eq = name.find('='); name.starts_with("--") && eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name.resize(eq);
        }

        if (name == "-h" || name == "--help") {
            result.outcome = ParsedOptions::Outcome::Help;
            return result;
        }
        if (name == "--verbose") {
            if (inlineValue) return fail("option --verbose takes no value");
            o.verbose = true;
            continue;
        }

        static const std::set<std::string, std::less<>> valued = {
            "--ident",    "--band", "--serial",      "--load",  "--save",       "--link",
            "--sessions", "--baud", "--reply-delay", "--fault", "--calibration"};
        if (!valued.contains(name)) return fail("unknown option '" + name + "'");
        std::string value;
        if (inlineValue) {
            value = *inlineValue;
        } else {
            if (i + 1 >= args.size()) return fail("option " + name + " needs a value");
            value = args[++i];
        }

        if (name == "--ident") {
            if (value.size() != kIdentLength || !isPrintableAscii(value))
                return fail("--ident needs exactly 4 printable ASCII characters, not '" + value +
                            "'");
            o.ident = value;
        } else if (name == "--band") {
            const auto band = parseNumber(value, 0, 255);
            if (!band)
                return fail("--band needs a number 0..255 (or 0x00..0xFF), not '" + value + "'");
            o.band = static_cast<std::uint8_t>(*band);
        } else if (name == "--serial") {
            if (value.size() > kSerialLength || !isPrintableAscii(value))
                return fail("--serial needs at most 16 printable ASCII characters, not '" + value +
                            "'");
            o.serial = value;
            o.serialGiven = true;
        } else if (name == "--load" || name == "--save" || name == "--link" ||
                   name == "--calibration") {
            if (value.empty()) return fail("option " + name + " needs a file name");
            (name == "--load"   ? o.loadPath
             : name == "--save" ? o.savePath
             : name == "--link" ? o.linkPath
                                : o.calibrationPath) = value;
        } else if (name == "--sessions") {
            const auto n = parseNumber(value, 1, 1'000'000'000);
            if (!n) return fail("--sessions needs a number of at least 1, not '" + value + "'");
            o.sessions = *n;
        } else if (name == "--baud") {
            const auto n = parseNumber(value, 0, 10'000'000);
            if (!n) return fail("--baud needs a number 0..10000000, not '" + value + "'");
            o.baud = *n;
        } else if (name == "--reply-delay") {
            const auto n = parseNumber(value, 0, 60'000);
            if (!n) return fail("--reply-delay needs milliseconds 0..60000, not '" + value + "'");
            o.replyDelayMs = *n;
        } else if (name == "--fault") {
            if (std::string error = addFault(o.faults, value); !error.empty())
                return fail(std::move(error));
        }
    }
    return result;
}

const char* usageText() {
    return R"(Usage: zorva-radiosim [options]

A virtual ZORVA-520SX radio on a pseudo-terminal. Prints the terminal's device
path as the first line, then answers the programming software until it is
stopped (SIGTERM or SIGINT) or has served --sessions end commands.

Options:
  --ident TEXT      model ident of the ident reply, 4 characters (default KQ57)
  --band N          band byte of the ident reply, 0..255 or 0x00..0xFF
                    (default 0x15)
  --serial TEXT     serial number, at most 16 characters, padded with spaces
                    (default ZS520A1234567890; with --load: the file's)
  --load FILE.dat   take the memory from a data file
  --save FILE.dat   save the memory as a data file after every end command
                    and when stopped
  --link PATH       make PATH a symbolic link to the terminal while running
  --calibration FILE
                    keep the power-test table (1040 bytes) in FILE: taken from
                    it when it exists, written back after every value set and
                    when stopped
  --sessions N      exit after N end commands
  --baud N          emulate a line of N baud, 11 bits a byte, both ways
                    (default 0: no pacing)
  --reply-delay MS  wait MS milliseconds before every reply
  --fault KIND[:N]  show a fault; may be repeated:
                      silent          never answer
                      wrong-ident     report the ident XX99
                      lower-ident     report the ident in lower case
                      wrong-answer    answer the identification block wrongly
                      nak-block:N     answer 15 instead of 06 for block N
                                      (and for a power value set in table
                                      row N)
                      stop-after:N    fall silent after block N (or table
                                      row N) until the next wake-up
                      garbage         send 3 random bytes before read and
                                      table replies
                      split:N         send replies in pieces of N bytes,
                                      5 ms apart
                      hangup-after:N  close the terminal after block N (or
                                      table row N) and exit with status 1
                      drop-write:N    acknowledge a write of block N but keep
                                      what the memory held
  --verbose         log every frame received and sent on stderr
  -h, --help        show this help and exit

Exit status: 0 stopped or sessions done; 1 hung up on purpose, the terminal
failed, or the final save failed; 2 bad options or an unusable --load or
--calibration file.
)";
}

} // namespace radiosim
