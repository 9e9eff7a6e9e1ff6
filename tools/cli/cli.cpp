#include "cli/cli.h"

#include <istream>
#include <ostream>
#include <string_view>

#include "cli/handset_index.h"
#include "cli/imei_check.h"
#include "imei/imei.h"
#include "main/analyze_messages.h"
#include "main/result_text.h"
#include "shared/text.h"
#include "text_encoding.h"

namespace quorvel {

const char* const kCliUsage =
    "Usage: quorvel-cli [--csv | --json] [--fix] [--user-db FILE] [IMEI...]\n"
    "       quorvel-cli --online [--json] [--service HOST[:PORT]] [--proxy HOST:PORT]\n"
    "                   [--fix] [--user-db FILE] [IMEI...]\n"
    "       quorvel-cli --help | --version\n"
    "\n"
    "Checks IMEIs and names their handsets from the built-in records and the user\n"
    "file, as the Analyze command of Quorvel does without going on-line.\n"
    "\n"
    "Each IMEI is trimmed of spaces, then every space, \"-\" and \"/\" is removed; what\n"
    "is left must be 15 digits whose last one is the Luhn check digit of the others,\n"
    "or 16 digits, an IMEISV: the IMEI's first 14 digits and two digits of software\n"
    "version, with no check digit to verify. An IMEISV's IMEI is its first 14 digits\n"
    "and the check digit they call for. With no IMEI arguments, IMEIs are read from\n"
    "standard input, one per line (LF or CR LF line ends); blank lines are skipped.\n"
    "Input and output are UTF-8.\n"
    "\n"
    "Without --csv or --json, the local result of each valid IMEI is printed (Input\n"
    "IMEI, an empty line, [Local information], Manufacturer, Model type, Reference,\n"
    "Issued by; an IMEISV adds its IMEI as Valid IMEI and its Software version\n"
    "after Input IMEI), results separated by an empty line; \"N/A\" stands for an\n"
    "empty field and \"unknown\" for a handset no source knows. An input that is\n"
    "not 15 or 16 digits gets the wrong-length message on standard error; an IMEI\n"
    "with a wrong check digit gets the expected digit on standard error. Such a\n"
    "complaint shows the input cut to its first 64 characters.\n"
    "\n"
    "The handset is the built-in record of the IMEI's first eight digits (its type\n"
    "allocation code, TAC), else the first line of the user file that matches them:\n"
    "a line whose key (the text before \"=\") begins with eight digits by those\n"
    "eight, any other line by its first six characters. No source answers for a\n"
    "TAC from other TACs of its block. Control characters in the text and CSV\n"
    "output show as \"?\".\n"
    "\n"
    "Options:\n"
    "  --csv           print one CSV row (RFC 4180, CR LF line ends) per input under\n"
    "                  the header\n"
    "                  input,imei,valid,check_digit,tac,manufacturer,model_type,\n"
    "                  reference,approval_body,matched_by,software_version\n"
    "                  input: as given, trimmed; imei: without separators, empty when\n"
    "                  the input is rejected; valid: yes or no (an IMEISV: yes);\n"
    "                  check_digit: the expected digit; tac: the first eight; the\n"
    "                  three handset fields as the lookup gives them; approval_body:\n"
    "                  the body named by the first two digits; matched_by: tac8 (the\n"
    "                  built-in record of the TAC), user-file (a line of the user\n"
    "                  file) or none; software_version: an IMEISV's two digits.\n"
    "                  When imei is empty, so are the columns after valid.\n"
    "  --json          print JSON Lines: one object per input, in input order, with\n"
    "                  the members of the CSV columns; valid is true or false,\n"
    "                  check_digit a number, software_version null for an IMEI, and\n"
    "                  control characters are escaped. A rejected input gives only\n"
    "                  input and error, the wrong-length message.\n"
    "  --fix           correct a wrong check digit and print the result with its\n"
    "                  \"Valid IMEI\" line, instead of the complaint (not with --csv or\n"
    "                  --json, whose check_digit gives the correct digit)\n"
    "  --user-db FILE  the user file of handset records (default: quorvel.dat beside\n"
    "                  this program); a missing one counts as empty\n"
    "  --online        after each local result, fetch the on-line analysis page and\n"
    "                  print its lines as the window does (header, result lines,\n"
    "                  country line); with --json, as the array of strings online\n"
    "                  of each valid input's object (null after a failure). Nothing\n"
    "                  is asked and nothing is learnt into the user file. A failure\n"
    "                  or a login page is reported on standard error. Not with --csv.\n"
    "  --service HOST[:PORT]  the analysis service (default: 127.0.0.1:8047, where\n"
    "                  quorvel-service listens unless told otherwise)\n"
    "  --proxy HOST:PORT  go through this plain HTTP proxy\n"
    "  --help          print this text\n"
    "  --version       print the version and the date of the handset data\n"
    "  --              end of options\n"
    "\n"
    "Exit status: 0 when every input was valid as given, 1 when any was not (even\n"
    "if --fix corrected it) or an on-line look-up failed, 2 for a usage error or\n"
    "output that could not be written. See also: man quorvel-cli.\n";

std::optional<CliOptions> ParseCliArguments(const std::vector<std::string>& arguments,
                                            std::string& error) {
    CliOptions options;
    bool optionsEnded = false;
    for (std::size_t k = 0; k < arguments.size(); ++k) {
        const std::string& argument = arguments[k];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            options.imeis.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--csv") {
            options.csv = true;
        } else if (argument == "--json") {
            options.json = true;
        } else if (argument == "--fix") {
            options.fix = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument == "--online") {
            options.online = true;
        } else if (argument == "--user-db" || argument == "--service" || argument == "--proxy") {
            if (k + 1 == arguments.size()) {
                error = argument + " needs a value";
                return std::nullopt;
            }
            const std::string& value = arguments[++k];
            if (argument == "--user-db") options.userDatabase = value;
            if (argument == "--service") options.onlineOptions.service = value;
            if (argument == "--proxy") options.onlineOptions.proxy = value;
        } else {
            error = "unknown option " + argument;
            return std::nullopt;
        }
    }
    if (options.csv && options.json) {
        error = "--csv and --json cannot be used together";
        return std::nullopt;
    }
    if (options.csv && options.online) {
        error = "--online cannot be used with --csv";
        return std::nullopt;
    }
    if (!options.online &&
        (!options.onlineOptions.service.empty() || !options.onlineOptions.proxy.empty())) {
        error = "--service and --proxy go with --online";
        return std::nullopt;
    }
    if ((options.csv || options.json) && options.fix) {
        error = "--fix cannot be used with --csv or --json (check_digit gives the digit)";
        return std::nullopt;
    }
    return options;
}

namespace {

// A result text of the window (Windows-1252, CR LF) as terminal text: its
// lines end in LF, and every other control character is shown as "?".
std::string TerminalText(const std::string& text) {
    std::string lines;
    for (const std::string& line : SplitText(text, kCrLf)) {
        if (!lines.empty()) lines += '\n';
        lines += WithoutControls(line);
    }
    return Cp1252ToUtf8(lines);
}

// A rejected input as standard error shows it: cut to its first 64
// characters, with "..." (one character) after a cut.
std::string EchoedInput(const std::string& input) {
    constexpr std::size_t kEchoLength = 64;
    const std::string echo = Cp1252ToUtf8(WithoutControls(input.substr(0, kEchoLength)));
    return input.size() > kEchoLength ? echo + "\xE2\x80\xA6" : echo;
}

// Calls take with each line of in, without its LF. Read in blocks: a line
// at a time through the stream costs more than the line's analysis.
template <typename Take>
void ForEachLine(std::istream& in, Take take) {
    constexpr std::size_t kReadSize = 1 << 16;
    std::string buffer;
    std::size_t searched = 0;  // buffer holds no LF before this
    while (in) {
        const std::size_t kept = buffer.size();
        buffer.resize(kept + kReadSize);
        in.read(&buffer[kept], kReadSize);
        buffer.resize(kept + static_cast<std::size_t>(in.gcount()));
        std::size_t start = 0;
        for (std::size_t end; (end = buffer.find('\n', searched)) != std::string::npos;) {
            take(std::string_view(buffer).substr(start, end - start));
            start = searched = end + 1;
        }
        buffer.erase(0, start);
        searched = buffer.size();
    }
    if (!buffer.empty()) take(buffer);
}

class Analyser {
public:
    Analyser(const CliOptions& options, HandsetSources& sources, std::ostream& out,
             std::ostream& err)
        : options_(options),
          sources_(sources),
          out_(out),
          err_(err),
          rowWriter_(sources, options.json ? RowFormat::kJson : RowFormat::kCsv),
          rows_(options.csv || options.json) {}

    const char* Header() const { return rows_ ? rowWriter_.Header() : ""; }

    // input is UTF-8.
    void Analyse(const std::string& input) {
        const ImeiCheck check = CheckImei(Utf8ToCp1252(input));
        if (!check.valid) allValid_ = false;
        if (rows_) {
            rowWriter_.AppendRow(check, pending_, OnlineMembers(check));
            FlushWhenFull();
        } else {
            PrintText(check);
        }
    }

    // A line of standard input, without its line end; blank ones are
    // skipped. Most lines are 15 digits: their rows take the short way.
    void AnalyseLine(std::string_view line) {
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || (line[0] == ' ' && line.find_first_not_of(' ') == line.npos)) return;
        const std::optional<bool> valid =
            rows_ && !options_.online ? rowWriter_.AppendDigitsRow(line, pending_) : std::nullopt;
        if (!valid) return Analyse(std::string(line));
        if (!*valid) allValid_ = false;
        FlushWhenFull();
    }

    bool AllValid() const { return allValid_; }

    void Flush() {
        out_ << pending_;
        pending_.clear();
    }

private:
    // Written in blocks: one write per row would cost more than the row.
    void FlushWhenFull() {
        if (pending_.size() >= kBlockSize) Flush();
    }

    void PrintText(const ImeiCheck& check) {
        const AnalyzeMessages& messages = AnalyzeMessagesFor(Language::English);
        if (!check.checkDigit) return Complain(check, messages.wrongLength);
        std::optional<std::string> corrected;
        if (!check.valid) {
            const std::string message =
                WrongCheckDigitMessage(Language::English, *check.checkDigit);
            // The window's question follows the line end; nothing is asked here.
            if (!options_.fix) return Complain(check, message.substr(0, message.find('\r')));
            corrected = CorrectedImeiText(check.input, (*check.checkDigit)[0]);
        }
        if (printed_) out_ << '\n';
        printed_ = true;
        // An IMEISV's IMEI takes the line of a corrected one, and its software
        // version the line after it.
        if (!check.softwareVersion.empty()) corrected = check.imei;
        const TacAnswer answer = LookupTac(check.tac, sources_);
        std::string text = LocalResultText(check.input, corrected, answer.fields, check.tac);
        if (!check.softwareVersion.empty()) {
            text.insert(text.find(std::string(kCrLf) + kCrLf) + 2,
                        "Software version: " + check.softwareVersion + kCrLf);
        }
        if (options_.online) {
            const std::optional<std::string> withOnline = OnlineLines(check, text);
            if (withOnline) text = *withOnline;
        }
        out_ << TerminalText(text);
    }

    // localText with the on-line lines of the IMEI appended, or nullopt
    // after a failure, which is reported on standard error and makes the
    // exit status 1.
    std::optional<std::string> OnlineLines(const ImeiCheck& check, const std::string& localText) {
        const std::string imei = check.imei.substr(0, kImeiLength - 1) + *check.checkDigit;
        std::optional<std::string> text =
            AppendOnlineLines(imei, localText, options_.onlineOptions, err_);
        if (!text) allValid_ = false;
        return text;
    }

    // With --json --online, the member "online" of a valid IMEI's object: the
    // on-line lines (header, result lines, country line) as an array of
    // strings, or null after a failure.
    std::string OnlineMembers(const ImeiCheck& check) {
        if (!options_.online || !check.valid) return std::string();
        const std::optional<std::string> text = OnlineLines(check, std::string());
        if (!text) return ",\"online\":null";
        std::string members = ",\"online\":[";
        for (const std::string& line : SplitText(*text, kCrLf)) {
            if (line.empty()) continue;
            if (members.back() != '[') members += ',';
            AppendJsonString(line, members);
        }
        return members + ']';
    }

    void Complain(const ImeiCheck& check, const std::string& message) {
        err_ << EchoedInput(check.input) << ": " << message << '\n';
    }

    static constexpr std::size_t kBlockSize = 1 << 16;
    const CliOptions& options_;
    HandsetSources& sources_;
    std::ostream& out_;
    std::ostream& err_;
    RowWriter rowWriter_;
    const bool rows_;  // CSV or JSON rows, not the window's text
    std::string pending_;
    bool allValid_ = true;
    bool printed_ = false;
};

}  // namespace

int RunCli(const CliOptions& options, HandsetIndex& sources, std::istream& in, std::ostream& out,
           std::ostream& err) {
    if (options.userDatabase && !sources.HasUserFile()) {
        err << "quorvel-cli: cannot read the user file " << *options.userDatabase
            << "; only the built-in records are used\n";
    }
    Analyser analyser(options, sources, out, err);
    out << analyser.Header();
    if (!options.imeis.empty()) {
        for (const std::string& imei : options.imeis) analyser.Analyse(imei);
    } else {
        ForEachLine(in, [&analyser](std::string_view line) { analyser.AnalyseLine(line); });
    }
    analyser.Flush();
    out.flush();
    if (!out) {
        err << "quorvel-cli: cannot write the output\n";
        return kExitUsageError;
    }
    return analyser.AllValid() ? kExitAllValid : kExitSomeInvalid;
}

}  // namespace quorvel
