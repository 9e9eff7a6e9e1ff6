// quorvel-cli's own part: its options, its text, CSV and JSON output, its
// input and exit codes (the IMEI rules are the core's, tested there).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>

#include "builtin_records.h"
#include "cli/cli.h"
#include "service/analysis_service.h"
#include "service/service_server_posix.h"
#include "shared/text.h"
#include "support/test_files.h"
#include "tacdb_csv.h"

namespace quorvel {
namespace {

// Its values hold control characters, shown as "?".
const char* const kUserFile =
    "99999900=User \xFC\x1B[2J\xB6Model, \"Q\"\x7F\r\xB6R-1\x81\n\x80\r\n";

struct CliRun {
    int status = -1;
    std::string out, err;
};

CliRun RunCliOn(const std::vector<std::string>& arguments, const std::string& input = "",
                const std::optional<std::string>& userFile = kUserFile) {
    std::string error;
    const std::optional<CliOptions> options = ParseCliArguments(arguments, error);
    EXPECT_TRUE(options) << error;
    std::istringstream in(input);
    std::ostringstream out, err;
    HandsetIndex sources(BuiltInRecordBytes(),
                         userFile ? std::make_unique<std::istringstream>(*userFile) : nullptr);
    const int status = options ? RunCli(*options, sources, in, out, err) : -1;
    return {status, out.str(), err.str()};
}

TEST(Cli, TextResultsSeparatedByAnEmptyLineComplaintsOnStandardError) {
    const CliRun run =
        RunCliOn({"999999000000006", "--fix", "4901542032375x1", std::string(65, '1'), "1\x1B[2J",
                  " 35-209900-176148-2 ", "49015420323751x", "35-209900-176148-23"});
    EXPECT_EQ(run.status, kExitSomeInvalid);
    EXPECT_EQ(
        run.out,
        "Input IMEI: 999999000000006\n\n[Local information]\nManufacturer: User \xC3\xBC?[2J\n"
        "Model type: Model, \"Q\"??\nReference: R-1??\xE2\x82\xAC\nIssued by: unknown\n\n"
        "Input IMEI: 35-209900-176148-2\nValid IMEI: 35-209900-176148-1\n\n"
        "[Local information]\nManufacturer: Alcatel\nModel type: One Touch 332\n"
        "Reference: N/A\nIssued by: BABT, Great Britain (British Approvals Board for "
        "Telecommunications)\n\n"
        "Input IMEI: 35-209900-176148-23\nValid IMEI: 352099001761481\nSoftware version: 23\n\n"
        "[Local information]\nManufacturer: Alcatel\nModel type: One Touch 332\n"
        "Reference: N/A\nIssued by: BABT, Great Britain (British Approvals Board for "
        "Telecommunications)\n");
    const std::string wrongLength = ": Invalid IMEI. The IMEI should be 15-digit number.\n";
    EXPECT_EQ(run.err, "4901542032375x1" + wrongLength + std::string(64, '1') + "\xE2\x80\xA6" +
                           wrongLength + "1?[2J" + wrongLength + "49015420323751x" + wrongLength);
}

// Lines of 15 digits take a short way to their rows; each row comes many
// times, later from the columns made for the first. Blank lines are skipped.
TEST(Cli, CsvRowsForEveryKindOfInputFromArgumentsAndStandardInput) {
    const std::string art = "\"ART, France (Autorite de regulation des telecommunications)\"";
    const std::pair<std::string, std::string> rows[] = {
        {"330033000000002",
         "330033000000002,yes,2,33003300,Alcatel,Pocketline Swing,," + art + ",tac8,"},
        {"33-003300-000000-99",
         "330033000000002,yes,2,33003300,Alcatel,Pocketline Swing,," + art + ",tac8,99"},
        {"999999000000006",
         "999999000000006,yes,6,99999900,User \xC3\xBC?[2J,\"Model, "
         "\"\"Q\"\"??\",R-1??\xE2\x82\xAC,"
         "unknown,user-file,"},
        {"019999000000002",
         "019999000000002,yes,2,01999900,unknown,unknown,unknown,\"PTCRB GSM-NA, "
         "USA (GSM North American PCS-1900 Type Certification Review Board)\",none,"},
        {"330033000000003",
         "330033000000003,no,2,33003300,Alcatel,Pocketline Swing,," + art + ",tac8,"},
        {"1234", ",no,,,,,,,,"},
        {"\303\27423456789012345", ",no,,,,,,,,"},
    };
    std::vector<std::string> arguments = {"--csv"};
    std::string lines, expected =
                           "input,imei,valid,check_digit,tac,manufacturer,model_type,"
                           "reference,approval_body,matched_by,software_version\r\n";
    for (int pass = 0; pass < 600; ++pass) {  // lines across the blocks of the input
        for (const auto& [input, row] : rows) {
            arguments.push_back(input);
            lines += input + (pass % 2 ? "\n" : "\r\n\r\n   \n");
            expected += input + "," + row + "\r\n";
        }
    }
    for (const CliRun& run : {RunCliOn(arguments), RunCliOn({"--csv"}, lines)}) {
        EXPECT_EQ(run.out, expected);
        EXPECT_EQ(run.status, kExitSomeInvalid);
    }
}

// Each line of --json output, parsed, is the object of its input; lines of
// 15 digits take the short way from standard input.
TEST(Cli, JsonLinesParseToTheObjectsOfTheirInputs) {
    // The object of an input that is not rejected: the values of the columns.
    const auto checked = [](const std::vector<nlohmann::json>& values) {
        const char* const names[] = {
            "input",         "imei",         "valid",           "check_digit",
            "tac",           "manufacturer", "model_type",      "reference",
            "approval_body", "matched_by",   "software_version"};
        nlohmann::json object;
        for (std::size_t k = 0; k < std::size(names); ++k) object[names[k]] = values.at(k);
        return object;
    };
    const auto rejected = [](const char* input) {
        return nlohmann::json{{"input", input},
                              {"error", "Invalid IMEI. The IMEI should be 15-digit number."}};
    };
    const char* const babt = "BABT, Great Britain (British Approvals Board for Telecommunications)";
    const std::pair<std::string, nlohmann::json> cases[] = {
        {"490154203237518",
         checked({"490154203237518", "490154203237518", true, 8, "49015420", "Nokia", "3110", "",
                  "RegTP, Germany (Regulierungsbehoerde F\u00fcr Telekommunikation und Post)",
                  "tac8", nullptr})},
        {"352099001761482", checked({"352099001761482", "352099001761482", false, 1, "35209900",
                                     "Alcatel", "One Touch 332", "", babt, "tac8", nullptr})},
        {"35-209900-176148-23",
         checked({"35-209900-176148-23", "352099001761481", true, 1, "35209900", "Alcatel",
                  "One Touch 332", "", babt, "tac8", "23"})},
        // The user file's control characters, escaped and read back.
        {"999999000000006",
         checked({"999999000000006", "999999000000006", true, 6, "99999900", "User \u00fc\x1B[2J",
                  "Model, \"Q\"\x7F\r", "R-1\u0081\n\u20ac", "unknown", "user-file", nullptr})},
        // Arabic-Indic digits: 15 characters, none an IMEI digit.
        {"\u0660\u0661\u0662\u0663\u0664\u0665\u0666\u0667\u0668\u0669\u0660\u0661\u0662"
         "\u0663\u0664",
         rejected("???????????????")},
        {"\"\\\x01", rejected("\"\\\x01")},
    };
    std::vector<std::string> arguments = {"--json"};
    std::string lines;
    for (const auto& [input, object] : cases) {
        arguments.push_back(input);
        lines += input + "\n";
    }
    for (const CliRun& run : {RunCliOn(arguments), RunCliOn({"--json"}, lines)}) {
        EXPECT_EQ(run.status, kExitSomeInvalid);
        const std::vector<std::string> objects = SplitText(run.out, "\n");
        ASSERT_EQ(objects.size(), std::size(cases) + 1);  // and the empty text after the last
        for (std::size_t k = 0; k < std::size(cases); ++k) {
            EXPECT_EQ(nlohmann::json::parse(objects[k]), cases[k].second) << objects[k];
        }
    }
}

TEST(Cli, OptionsAndUsageErrors) {
    std::string error;
    const auto options =
        ParseCliArguments(SplitText("--csv 1 --user-db my.dat -- --fix -", " "), error);
    ASSERT_TRUE(options && options->csv && !options->fix && !options->online);
    EXPECT_EQ(
        *options->userDatabase + ":" + options->imeis[0] + options->imeis[1] + options->imeis[2],
        "my.dat:1--fix-");
    const auto online =
        ParseCliArguments(SplitText("--online --service h:1 --proxy p:2 -h --version", " "), error);
    ASSERT_TRUE(online && online->online && online->help && online->version);
    EXPECT_EQ(online->onlineOptions.service + online->onlineOptions.proxy, "h:1p:2");
    for (const char* wrong :
         {"--csv --fix", "--json --fix", "--csv --json", "--user-db", "--bogus", "-x",
          "--online --csv", "--service h:1", "--proxy p:2", "--online --service"}) {
        error.clear();
        EXPECT_FALSE(ParseCliArguments(SplitText(wrong, " "), error) || error.empty()) << wrong;
    }
    const CliRun unreadable =
        RunCliOn({"--user-db", "missing.dat", "999999000000006"}, "", std::nullopt);
    EXPECT_EQ(unreadable.status, kExitAllValid);
    EXPECT_EQ(unreadable.err,
              "quorvel-cli: cannot read the user file missing.dat; only the "
              "built-in records are used\n");
}

// The built program, as a user runs it: a usage error ends it with 2.
TEST(Cli, ProgramExitStatus) {
    const int status = std::system(QUORVEL_CLI_PATH " --csv --fix 1 >/dev/null 2>&1 </dev/null");
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, kExitUsageError);
}

// This process's peak resident memory since the last reset, in bytes.
std::size_t PeakMemory() {
    const std::string status = test::ReadTestFile("/proc/self/status").value_or("VmHWM: 0");
    return std::stoul(status.substr(status.find("VmHWM:") + 6)) * 1024;
}

// A user file far larger than a lookup may keep: a long line that does not
// match, then the one that does.
TEST(Cli, UserFileIsReadLineByLine) {
    const std::size_t kLineLength = 40u << 20;
    const std::string path = test::PerTestFileName("cli_test-", ".dat");
    test::WriteTestFile(path, std::string(kLineLength, 'x') + "\r\n99999900=Found\xB6Last\r\n");
    HandsetIndex sources("", std::make_unique<std::ifstream>(path));
    std::ofstream("/proc/self/clear_refs") << "5";  // resets the peak
    const std::size_t before = PeakMemory();
    EXPECT_EQ(sources.SearchUserFile("99999900"), "Found|Last");
    EXPECT_LT(PeakMemory() - before, kLineLength / 8);
    std::remove(path.c_str());
}

// --online against the analysis service, run in this process on 127.0.0.1.
TEST(Cli, OnlineLinesFollowTheLocalResultFailuresGoToStandardError) {
    AnalysisService service(
        HandsetDirectory(ReadTacDatabase("tac,name,name,aka\r\n35999901,Quorvel,One,QT-1\r\n")),
        false);
    ServiceServer server([&service](const std::string& head) { return service.Respond(head); });
    std::string error;
    ASSERT_TRUE(server.Listen("127.0.0.1", 0, &error)) << error;
    std::thread runner([&server] { server.Run(); });
    const std::string address = "127.0.0.1:" + std::to_string(server.port());
    const CliRun run = RunCliOn({"--online", "--fix", "--service", address, "35-999901-000000-1"});
    const CliRun json = RunCliOn({"--online", "--json", "--service", address, "359999010000008"});
    server.Stop();
    runner.join();
    EXPECT_EQ(run.status, kExitSomeInvalid);
    EXPECT_NE(
        run.out.find(
            "Issued by: BABT, Great Britain (British Approvals Board for Telecommunications)\n\n"
            "[Information from " +
            address +
            "]\nManufacturer: Quorvel\nModel type: One\n"
            "Reference: QT-1\n"),
        std::string::npos)
        << run.out;
    EXPECT_EQ(run.err, "");
    const nlohmann::json online = nlohmann::json::parse(json.out)["online"];
    ASSERT_TRUE(online.is_array() && online.size() > 3) << json.out;
    EXPECT_EQ(
        std::vector<std::string>(online.begin(), online.begin() + 4),
        (std::vector<std::string>{"[Information from " + address + "]", "Manufacturer: Quorvel",
                                  "Model type: One", "Reference: QT-1"}));
    const CliRun failedJson =
        RunCliOn({"--online", "--json", "--service", "127.0.0.1:1", "359999010000008"});
    EXPECT_EQ(nlohmann::json::parse(failedJson.out)["online"], nullptr);
    EXPECT_EQ(failedJson.status, kExitSomeInvalid);
    const CliRun failed = RunCliOn({"--online", "--service", "127.0.0.1:1", "359999010000008"});
    EXPECT_EQ(failed.status, kExitSomeInvalid);
    EXPECT_EQ(failed.err,
              "quorvel-cli: Error while connecting to the online server.\n"
              "quorvel-cli: Check your Internet connection.\nquorvel-cli: Error cause: \n"
              "quorvel-cli: <Unable to connect to the host>\n");
}

}  // namespace
}  // namespace quorvel
