#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "builtin_records.h"
#include "cli/cli.h"
#include "cli/imei_check.h"
#include "imei/handset_database.h"
#include "support/test_files.h"
#include "text_encoding.h"

namespace quorvel {
namespace {

const char* const kBabt = "BABT, Great Britain (British Approvals Board for Telecommunications)";

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

class CliTest : public ::testing::Test {
protected:
    CliTest() : userFile_("999999000000006=User \xFC\xB6Model, \"Q\"\xB6R-1\r\n") {}

    CliRun Run(const std::vector<std::string>& arguments, const std::string& input = "") {
        std::string error;
        const std::optional<CliOptions> options = ParseCliArguments(arguments, error);
        EXPECT_TRUE(options.has_value()) << error;
        std::istringstream in(input);
        std::ostringstream out;
        std::ostringstream err;
        CliRun run;
        HandsetIndex sources(
            BuiltInRecordBytes(),
            userFile_ ? std::make_unique<std::istringstream>(*userFile_) : nullptr);
        if (options) run.status = RunCli(*options, sources, in, out, err);
        run.out = out.str();
        run.err = err.str();
        return run;
    }

    std::optional<std::string> userFile_;
};

TEST_F(CliTest, PrintsTheLocalResultOfAValidImei) {
    const CliRun run = Run({"490154203237518"});
    EXPECT_EQ(run.status, kExitAllValid);
    EXPECT_EQ(run.out,
              "Input IMEI: 490154203237518\n"
              "\n"
              "[Local information]\n"
              "Manufacturer: Nokia\n"
              "Model type: 3110\n"
              "Reference: N/A\n"
              "Issued by: RegTP, Germany (Regulierungsbehoerde F\xC3\xBCr Telekommunikation "
              "und Post)\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(CliTest, ResultsAreSeparatedByAnEmptyLineAndComplaintsGoToStandardError) {
    const CliRun run = Run({"999999000000006", "352099001761482", " 35-209900-176148-1 "});
    EXPECT_EQ(run.status, kExitSomeInvalid);
    EXPECT_EQ(run.out,
              "Input IMEI: 999999000000006\n\n[Local information]\n"
              "Manufacturer: User \xC3\xBC\nModel type: Model, \"Q\"\nReference: R-1\n"
              "Issued by: unknown\n"
              "\n"
              "Input IMEI: 35-209900-176148-1\n\n[Local information]\n"
              "Manufacturer: Alcatel\nModel type: One Touch 332\nReference: N/A\n"
              "Issued by: " +
                  std::string(kBabt) + "\n");
    EXPECT_EQ(run.err, "352099001761482: Invalid IMEI. The last check digit should be {1}.\n");
}

TEST_F(CliTest, FixCorrectsTheCheckDigitAsTheWindowDoes) {
    const CliRun run = Run({"--fix", "35-209900-176148-2", "4901542032375x1"});
    EXPECT_EQ(run.status, kExitSomeInvalid);
    EXPECT_EQ(run.out.rfind("Input IMEI: 35-209900-176148-2\nValid IMEI: 35-209900-176148-1\n\n"
                            "[Local information]\nManufacturer: Alcatel\n",
                            0),
              0u);
    EXPECT_EQ(run.err, "4901542032375x1: Invalid IMEI. The IMEI should be 15-digit number.\n");
}

TEST_F(CliTest, CsvRowsForEveryKindOfInput) {
    const CliRun run = Run({"--csv", "330033000000002", "330033990000004", " 490154203237518",
                            "999999000000006", "1234", "35209900176148a",
                            "\xC3\xBC"
                            "23456789012345",
                            "019999000000002", ""});
    const std::string art = "\"ART, France (Autorite de regulation des telecommunications)\"";
    EXPECT_EQ(run.status, kExitSomeInvalid);
    EXPECT_EQ(
        run.out,
        "input,imei,valid,check_digit,tac,manufacturer,model_type,reference,"
        "approval_body,matched_by\r\n"
        // the TAC's own model, not the prefix's "OT Easy"
        "330033000000002,330033000000002,yes,2,330033,Alcatel,Pocketline Swing,," +
            art +
            ",tac8\r\n"
            "330033990000004,330033990000004,yes,4,330033,Alcatel,OT Easy,," +
            art +
            ",prefix6\r\n"
            "490154203237518,490154203237518,yes,8,490154,Nokia,3110,,\"RegTP, Germany "
            "(Regulierungsbehoerde F\xC3\xBCr Telekommunikation und Post)\",tac8\r\n"
            "999999000000006,999999000000006,yes,6,999999,User \xC3\xBC,\"Model, "
            "\"\"Q\"\"\",R-1,unknown,user-file\r\n"
            "1234,,no,,,,,,,\r\n"
            "35209900176148a,35209900176148a,no,1,352099,Alcatel,One Touch 332,,\"" +
            std::string(kBabt) +
            "\",tac8\r\n"
            "\xC3\xBC"
            "23456789012345,\xC3\xBC"
            "23456789012345,no,,\xC3\xBC"
            "23456,unknown,"
            "unknown,unknown,unknown,none\r\n"
            "019999000000002,019999000000002,yes,2,019999,unknown,unknown,unknown,\"PTCRB "
            "GSM-NA, USA (GSM North American PCS-1900 Type Certification Review Board)\",none\r\n"
            ",,no,,,,,,,\r\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(CliTest, ControlCharactersShowAsQuestionMarksAndLongRejectsAreCut) {
    userFile_ = "999999000000006=\x1B[2J\x1B]0;T\x07\xB6" + std::string(1, '\0') +
                "B\x08\x7F\r\xB6"
                "C\x81\x9D\n\x80\r\n";
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"999999000000006"},
         "Manufacturer: ?[2J?]0;T?\nModel type: ?B???\nReference: C???\xE2\x82\xAC\n"},
        {{"--csv", "999999000000006"}, ",?[2J?]0;T?,?B???,C???\xE2\x82\xAC,unknown,user-file\r\n"},
        {{std::string(65, '1')}, std::string(64, '1') + "\xE2\x80\xA6: Invalid IMEI."},
        {{"1\x1B[2J"}, "1?[2J: Invalid IMEI."},
    };
    for (const auto& [arguments, expected] : cases) {
        const CliRun run = Run(arguments);
        EXPECT_NE((run.out + run.err).find(expected), std::string::npos) << run.out << run.err;
    }
}

TEST_F(CliTest, StandardInputOneImeiPerLine) {
    const std::string lines = "490154203237518\r\n\r\n   \n352099001761481\n352099001761482";
    const CliRun fromInput = Run({}, lines);
    const CliRun fromArguments = Run({"490154203237518", "352099001761481", "352099001761482"});
    EXPECT_EQ(fromInput.out, fromArguments.out);
    EXPECT_EQ(fromInput.err, fromArguments.err);
    EXPECT_EQ(fromInput.status, kExitSomeInvalid);
    EXPECT_EQ(Run({"--csv"}, "490154203237518\r\n352099001761481\r\n").status, kExitAllValid);
    EXPECT_EQ(Run({"--csv"}, "490154203237518\n352099001761482\n").status, kExitSomeInvalid);
    // Lines across the blocks the input is read in: every row, whole.
    std::string many;
    for (int n = 0; n < 5000; ++n) many += "352099001761481\r\n";
    const std::string row = Run({"--csv", "352099001761481"}).out.substr(std::strlen(kCsvHeader));
    std::string rows = kCsvHeader;
    for (int n = 0; n < 5000; ++n) rows += row;
    EXPECT_EQ(Run({"--csv"}, many).out, rows);
    EXPECT_EQ(Run({"--csv"}, "").out,
              "input,imei,valid,check_digit,tac,manufacturer,model_type,"
              "reference,approval_body,matched_by\r\n");
}

// A line of 15 digits takes a short way to its CSV row: the bytes of the
// general way, for every shape near that way's edge.
TEST(CsvRowWriter, DigitLinesGiveTheGeneralRow) {
    HandsetIndex sources(BuiltInRecordBytes(),
                         std::make_unique<std::istringstream>("99999900=U\xB6M\xB6R\r\n"));
    CsvRowWriter general(sources);
    CsvRowWriter digits(sources);
    // A TAC's own record, a prefix's, the user file's, none, a wrong check digit.
    const std::string shortWay[] = {"330033000000002", "330033990000004", "999999000000006",
                                    "019999000000002", "352099001761482"};
    // 14 and 16 digits, spaces, separators, a letter, a letter of two bytes.
    const std::string generalWay[] = {
        "35209900176148",    "3520990017614811", " 352099001761481", "352099001761481 ",
        "35-209900-1761481", "35209900176148/",  "35209900176148a",  "\303\2742345678901234"};
    std::vector<std::pair<std::string, bool>> cases;
    for (const std::string& line : shortWay) cases.emplace_back(line, true);
    for (const std::string& line : generalWay) cases.emplace_back(line, false);
    for (int pass = 0; pass < 2; ++pass) {  // the second from the columns made in the first
        for (const auto& [line, isShortWay] : cases) {
            const ImeiCheck check = CheckImei(Utf8ToCp1252(line));
            std::string expected;
            general.AppendRow(check, expected);
            std::string row;
            const std::optional<bool> valid = digits.AppendDigitsRow(line, row);
            EXPECT_EQ(valid.has_value(), isShortWay) << line;
            EXPECT_EQ(row, valid ? expected : "") << line;
            EXPECT_EQ(valid.value_or(check.valid), check.valid) << line;
        }
    }
}

TEST_F(CliTest, AnUnreadableUserFileIsNamedButNotFatal) {
    userFile_ = std::nullopt;
    const CliRun run = Run({"--user-db", "missing.dat", "999999000000006"});
    EXPECT_EQ(run.status, kExitAllValid);
    EXPECT_NE(run.out.find("Manufacturer: unknown\n"), std::string::npos);
    EXPECT_EQ(run.err,
              "quorvel-cli: cannot read the user file missing.dat; only the built-in records "
              "are used\n");
}

TEST(CliArguments, OptionsAndUsageErrors) {
    std::string error;
    const std::optional<CliOptions> options =
        ParseCliArguments({"--csv", "1", "--user-db", "my.dat", "--", "--fix", "-"}, error);
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->csv);
    EXPECT_FALSE(options->fix);
    EXPECT_EQ(options->userDatabase, "my.dat");
    EXPECT_EQ(options->imeis, std::vector<std::string>({"1", "--fix", "-"}));
    EXPECT_TRUE(ParseCliArguments({"-h"}, error)->help);
    const std::vector<std::vector<std::string>> wrong = {
        {"--csv", "--fix"}, {"--user-db"}, {"--bogus"}, {"-x", "1"}};
    for (const auto& arguments : wrong) {
        error.clear();
        EXPECT_FALSE(ParseCliArguments(arguments, error)) << arguments[0];
        EXPECT_FALSE(error.empty());
    }
}

// The built program, as a user runs it.
CliRun RunProgram(const std::string& arguments) {
    const std::string outPath = "cli_test_out.txt";
    const std::string command = std::string(QUORVEL_CLI_PATH) + " " + arguments + " >" + outPath +
                                " 2>/dev/null </dev/null";
    CliRun run;
    const int status = std::system(command.c_str());
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = test::ReadTestFile(outPath).value_or("");
    std::remove(outPath.c_str());
    return run;
}

TEST(CliProgram, ExitStatusAndBuiltInRecords) {
    const CliRun valid = RunProgram("--user-db /nonexistent/quorvel.dat 490154203237518");
    EXPECT_EQ(valid.status, kExitAllValid);
    EXPECT_NE(valid.out.find("Issued by: RegTP, Germany (Regulierungsbehoerde F\xC3\xBCr"),
              std::string::npos);
    const CliRun csv = RunProgram("--csv 352099001761482");
    EXPECT_EQ(csv.status, kExitSomeInvalid);
    EXPECT_EQ(csv.out.substr(csv.out.find("\r\n") + 2, 36), "352099001761482,352099001761482,no,1");
    EXPECT_EQ(RunProgram("--csv --fix 1").status, kExitUsageError);
    const CliRun help = RunProgram("--help");
    EXPECT_EQ(help.status, kExitAllValid);
    EXPECT_EQ(help.out.rfind("Usage: quorvel-cli", 0), 0u);
}

// This process's peak resident memory since the last reset, in bytes.
std::size_t PeakMemory() {
    const std::string status = test::ReadTestFile("/proc/self/status").value_or("");
    const std::string::size_type at = status.find("VmHWM:");
    return at == std::string::npos ? 0 : std::stoul(status.substr(at + 6)) * 1024;
}

// A user file far larger than the memory a lookup may take for it: one long
// line that does not match, then the one that does.
TEST(CliUserFile, IsReadLineByLine) {
    const std::size_t kLineLength = 40u << 20;
    const std::string path = test::PerTestFileName("cli_test-", ".dat");
    {
        std::ofstream file(path, std::ios::binary);  // in pieces: the test stays small
        const std::string piece(1 << 20, 'x');
        file << "35000000";
        for (std::size_t k = 0; k < kLineLength; k += piece.size()) file << piece;
        file << "\r\n999999000000006=Found\xB6Last\xB6Line\r\n";
    }
    HandsetIndex sources(BuiltInRecordBytes(), std::make_unique<std::ifstream>(path));
    std::ofstream("/proc/self/clear_refs") << "5";  // resets the peak
    const std::size_t before = PeakMemory();
    CliOptions options;
    options.imeis = {"999999000000006"};
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    RunCli(options, sources, in, out, err);
    const std::size_t growth = PeakMemory() - before;
    std::remove(path.c_str());
    EXPECT_NE(out.str().find("Manufacturer: Found\nModel type: Last\n"), std::string::npos);
    EXPECT_LT(growth, kLineLength / 8);
}

}  // namespace
}  // namespace quorvel
