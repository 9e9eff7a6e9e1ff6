// The native tools: the handset list reader, the conversions between
// Windows-1252 and UTF-8, writing whole files, the records builder with the
// records it makes, and quorvel-cli's own part: its options, its text, CSV
// and JSON output, its input and exit codes (the IMEI rules are the core's,
// tested there).
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "builtin_records.h"
#include "cli/cli.h"
#include "cli/executable_folder.h"
#include "cli/handset_index.h"
#include "file_output.h"
#include "imei/handset_database.h"
#include "records/records_builder.h"
#include "service/analysis_service.h"
#include "service/service_server_posix.h"
#include "shared/text.h"
#include "support/test_files.h"
#include "tacdb_csv.h"
#include "text_encoding.h"

namespace quorvel {
namespace {

// Records as "line:field|field;".
TEST(ParseCsv, SplitsRecordsAndFields) {
    const std::pair<const char*, const char*> cases[] = {
        {"a,b\r\nc,d\ne,f", "1:a|b;2:c|d;3:e|f;"},
        {"\"say \"\"hi\"\"\",\"\"\n", "1:say \"hi\"|;"},
        {"\"two\r\nlines\",x\r\nnext\r\n", "1:two\r\nlines|x;3:next;"},
        {"a\n\nb\n", "1:a;2:;3:b;"},
        {"a\rb,c\n", "1:a\rb|c;"},
        {"a\n\"\"", "1:a;2:;"},
        {"", ""},
    };
    for (const auto& [text, expected] : cases) {
        std::string records;
        for (const CsvRecord& record : ParseCsv(text)) {
            records += std::to_string(record.line) + ":";
            for (std::size_t k = 0; k < record.fields.size(); ++k)
                records += (k ? "|" : "") + record.fields[k];
            records += ";";
        }
        EXPECT_EQ(records, expected) << text;
    }
}

TEST(ReadTacDatabase, MalformedTextIsRefusedWithItsLine) {
    const std::string noNames = ": the text ends before the column names tac, name, name and aka";
    const std::pair<const char*, std::string> cases[] = {
        {"tac,name,name,aka\n\"never closed,c\nd\n", "line 2: a quoted field is not closed"},
        {"a\nb\n\"closed\"then more,c\n", "line 3: a quoted field is followed by more text"},
        {"\"x\"\r", "line 1: a quoted field is followed by more text"},
        {"", "line 1" + noNames},
        {"notice\ntac,name,aka\n1,2,3", "line 3" + noNames},
        {"n\n\"tac\nname\",name,name,aka\n", "line 4" + noNames},
    };
    for (const auto& [text, error] : cases) {
        try {
            ReadTacDatabase(text);
            ADD_FAILURE() << text;
        } catch (const CsvError& e) {
            EXPECT_EQ(e.what() + std::string(" ") + std::to_string(e.line()),
                      error + " " + error.substr(5, 1));
        }
    }
    // Blank lines are passed over; a line without a TAC or codes is listed.
    const std::vector<std::size_t> line3 = {3};
    EXPECT_EQ(ReadTacDatabase("tac,name,name,aka\n\n1,a,b,c\n").skippedLines, line3);
    EXPECT_EQ(ReadModelCodeList("tac,model\n\n35209900,\n").skippedLines, line3);
}

TEST(WriteFileBytes, ReplacesTheWholeFileOrLeavesTheEarlierOne) {
    const std::string folder = "write-file-bytes";  // in the build folder: runs side by side
    const std::string path = folder + "/out.bin";
    std::filesystem::remove_all(folder);
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    for (const std::string& bytes :
         {std::string(), std::string("a\0\xFF\r\n", 5), std::string("b")}) {
        ASSERT_TRUE(WriteFileBytes(path, bytes));
        EXPECT_EQ(test::ReadTestFile(path), bytes);
        EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
    }
    // No temporary file can be made: the earlier file stays whole.
    ASSERT_TRUE(std::filesystem::create_directory(path + ".tmp"));
    EXPECT_FALSE(WriteFileBytes(path, "later"));
    EXPECT_EQ(test::ReadTestFile(path), "b");
    std::filesystem::remove_all(folder);
}

std::string SourceFile(const std::string& path) {
    return ReadFileBytes(QUORVEL_SOURCE_DIR "/" + path).value_or("");
}

// Both handset lists of the repository go through the builder: the resource
// it makes is the committed one, byte for byte. 281 TACs are in both lists,
// 14 of them under another maker.
TEST(RecordsBuilder, TheCommittedResourceIsWhatTheBuilderMakes) {
    const RecordsBuild build =
        BuildHandsetRecords(SourceFile("data/tacdb.csv"), SourceFile("data/samsung-tacs.csv"));
    EXPECT_TRUE(SourceFile("Source/resources/handset_records.bin") ==
                EncodeHandsetRecords(build.records))
        << "run quorvel-records-builder data/tacdb.csv data/samsung-tacs.csv "
           "Source/resources/handset_records.bin";
    EXPECT_EQ(build.samsungTacsInTacdb, 281u);
    EXPECT_EQ(build.otherMakerTacs.size(), 14u);
}

// Each conversion of a text: bytes that are not UTF-8 are taken as
// Windows-1252, letters it lacks become "?". The list's texts as the records
// hold them: Latin letters spelled in ASCII, typographic marks as theirs,
// blanks one space and none at the ends; the reference: the first
// alternative name that is a model code (two to five capitals and digits
// from a capital, a hyphen, then capitals and digits holding a digit); the
// model type: codes grouped by stem, a bare stem first in its group, cut to
// 31 characters at a group or a tail with "...".
TEST(TextConversions, Cp1252Utf8AndTheRecordsFields) {
    std::string everyByte;
    for (int c = 0; c < 256; ++c) everyByte.push_back(static_cast<char>(c));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(everyByte)), everyByte);
    EXPECT_EQ(EncodeUtf8(U"\u0080\U0001F600"), "\xC2\x80\xF0\x9F\x98\x80");
    const auto modelType = [](const std::string& codes) {
        return ModelTypeOfCodes(SplitText(codes, " "));
    };
    const std::tuple<std::string (*)(const std::string&), std::string, std::string> cases[] = {
        {Cp1252ToUtf8, "\xFC\x80\x98\x99\x81", "\xC3\xBC\xE2\x82\xAC\xCB\x9C\xE2\x84\xA2\xC2\x81"},
        {Utf8ToCp1252, "\xE0\xA0\x80\xE4\xB8\xAD\xF0\x9F\x98\x80 \xFC\x80 ab\xC3",
         "??? \xFC\x80 ab\xC3"},
        {Utf8ToCp1252, "\xE2\x82(\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80",
         "\xE2\x82(\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80"},
        {AsciiFieldText, Cp1252ToUtf8(everyByte.substr(0xC0)),
         "AAAAAeAAECEEEEIIIIDNOOOOOexOUUUUeYThssaaaaaeaaeceeeeiiiidnoooooe/ouuuueythy"},
        {AsciiFieldText,
         " \u2018a\u2019\u00B4\t\u201Cb\u201D\n\u2010\u2011\r\u2013\u2014\u00A0\u2026|\u2007\u20AC"
         "\u202Fc ",
         "'a'' \"b\" -- -- .../ c"},
        {ModelCode, "NHL, nhl-10, 1B-2, AB-C, ABCDEF-1, A-1, AB-, AB-1a, Ab-1, ZA09B-0, AB-9",
         "ZA09B-0"},
        {ModelCode, " AB-9 , X", "AB-9"},
        {modelType, "SM-A025M SM-A022F SM-A022G SCV33", "SM-A025M, SM-A022F/G, SCV33"},
        {modelType, "SM-N900P SM-N900 SM-N900T", "SM-N900/P/T"},
        {modelType, "SM-S901B SM-S901E SM-S901N SM-S901U SM-S901U1 SM-S901W SM-S906B SM-S906E",
         "SM-S901B/E/N/U/U1/W, SM-S906B/E"},
        {modelType,
         "SM-A305F SM-A305FN SM-A305G SM-A305GN SM-A305GT SM-A305N SM-A305YN SM-A305DSX SM-A3050",
         "SM-A305F/FN/G/GN/GT/N/YN/DSX..."},
        {modelType, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", "ABCDEFGHIJKLMNOPQRSTUVWXYZ01..."},
    };
    for (const auto& [convert, text, expected] : cases) EXPECT_EQ(convert(text), expected) << text;
}

// Real TACs of each list and lines of a user file, through quorvel-cli's
// index of the committed records.
TEST(BuiltInRecords, AnswerForTheirOwnTacsAndTheUserFileForTheRest) {
    const std::string user =
        "350139980000006=Learnt\xB6One\xB6L-1\r\n350139670000001=Learnt\xB6Loses"
        "\xB6-\r\n353999=Hand\xB6Written\xB6H-6\r\n";
    HandsetIndex index(BuiltInRecordBytes(), std::make_unique<std::istringstream>(user));
    const std::pair<std::string, std::string> cases[] = {
        // Samsung's, in a block whose rows of tacdb.csv are all Nokia 3310.
        {"35013967", "Samsung|SM-S908B/E/N/U/U1/W...|SM-S908B tac8"},
        {"35066600", "Siemens|SL45i| tac8"},  // Samsung's too: tacdb.csv wins
        {"35001390", "Samsung|SM-A336B/M/E/N, SM-A3360|SM-A336B tac8"},  // on two lines
        {"35013999", kUnknownLookupResult + std::string(" none")},
        {"12312312", kUnknownLookupResult + std::string(" none")},  // a placeholder
        {"35013998", "Learnt|One|L-1 user-file"},
        {"35399950", "Hand|Written|H-6 user-file"},
    };
    for (const auto& [tac, expected] : cases) {
        const TacAnswer answer = LookupTac(tac, index);
        EXPECT_EQ(answer.fields + " " + TacMatchName(answer.matchedBy), expected);
    }
    EXPECT_EQ(index.SearchBuiltIn("350139"), std::nullopt);  // a key of six: no record has one
}

// Its values hold control characters, shown as "?".
const char* const kUserFile =
    "99999900=User \xFC\x1B[2J\xB6Model, \"Q\"\x7F\r\xB6R-1\x81\n\x80\r\n";
const std::string kBabt = "BABT, Great Britain (British Approvals Board for Telecommunications)";
const std::string kWrongLength = "Invalid IMEI. The IMEI should be 15-digit number.";
const char* const kColumns =
    "input,imei,valid,check_digit,tac,manufacturer,model_type,reference,approval_body,"
    "matched_by,software_version";

struct CliRun {
    int status = -1;
    std::string out, err;
};

// outputFails: a standard output that cannot be written.
CliRun RunCliOn(const std::vector<std::string>& arguments, const std::string& input = "",
                const std::optional<std::string>& userFile = kUserFile, bool outputFails = false) {
    std::string error;
    const std::optional<CliOptions> options = ParseCliArguments(arguments, error);
    EXPECT_TRUE(options) << error;
    std::istringstream in(input);
    std::ostringstream out, err;
    if (outputFails) out.setstate(std::ios::badbit);
    HandsetIndex sources(BuiltInRecordBytes(),
                         userFile ? std::make_unique<std::istringstream>(*userFile) : nullptr);
    const int status = options ? RunCli(*options, sources, in, out, err) : -1;
    return {status, out.str(), err.str()};
}

TEST(Cli, TextResultsSeparatedByAnEmptyLineComplaintsOnStandardError) {
    const CliRun run =
        RunCliOn({"999999000000006", "--fix", "4901542032375x1", std::string(65, '1'),
                  std::string(64, '2'), "1\x1B[2J", " 35-209900-176148-2 ", "35-209900-176148-23"});
    const std::string alcatel =
        "\n\n[Local information]\nManufacturer: Alcatel\nModel type: One Touch 332\n"
        "Reference: N/A\nIssued by: " +
        kBabt + "\n";
    EXPECT_EQ(run.status, kExitSomeInvalid);
    EXPECT_EQ(run.out,
              "Input IMEI: 999999000000006\n\n[Local information]\nManufacturer: User "
              "\xC3\xBC?[2J\nModel type: Model, \"Q\"??\nReference: R-1??\xE2\x82\xAC\n"
              "Issued by: unknown\n\nInput IMEI: 35-209900-176148-2\nValid IMEI: "
              "35-209900-176148-1" +
                  alcatel +
                  "\nInput IMEI: 35-209900-176148-23\nValid IMEI: 352099001761481\n"
                  "Software version: 23" +
                  alcatel);
    const std::string wrongLength = ": " + kWrongLength + "\n";
    EXPECT_EQ(run.err, "4901542032375x1" + wrongLength + std::string(64, '1') + "\xE2\x80\xA6" +
                           wrongLength + std::string(64, '2') + wrongLength + "1?[2J" +
                           wrongLength);
}

// The rows of every kind of input from the arguments and from standard input
// (lines of 15 digits take a short way to their rows; blank lines are
// skipped): CSV rows, each many times, later from the columns made for the
// first; and JSON Lines, each object the columns of its CSV row: valid true
// or false, check_digit a number, software_version null for an IMEI, control
// characters escaped; a rejected input's only input and error.
TEST(Cli, CsvAndJsonRowsForEveryKindOfInput) {
    const std::string art = "\"ART, France (Autorite de regulation des telecommunications)\"";
    const std::string swing = "330033000000002,yes,2,33003300,Alcatel,Pocketline Swing,," + art;
    const std::pair<std::string, std::string> rows[] = {
        {"019999000000002",
         "019999000000002,019999000000002,yes,2,01999900,unknown,unknown,unknown,\"PTCRB GSM-NA, "
         "USA (GSM North American PCS-1900 Type Certification Review Board)\",none,"},
        {"999999000000006",
         "999999000000006,999999000000006,yes,6,99999900,User \xC3\xBC?[2J,\"Model, "
         "\"\"Q\"\"??\",R-1??\xE2\x82\xAC,unknown,user-file,"},
        {"33-003300-000000-99", "33-003300-000000-99," + swing + ",tac8,99"},
        {"330033000000003",
         "330033000000003,330033000000003,no,2,33003300,Alcatel,Pocketline Swing,," + art +
             ",tac8,"},
        {"1234", "1234,,no,,,,,,,,"},
        {"\303\27423456789012345", "\303\27423456789012345,,no,,,,,,,,"},
        // Arabic-Indic digits: 15 characters, none an IMEI digit.
        {"\u0660\u0661\u0662\u0663\u0664\u0665\u0666\u0667\u0668\u0669\u0660\u0661\u0662\u0663"
         "\u0664",
         "???????????????,,no,,,,,,,,"},
    };
    std::vector<std::string> csv = {"--csv"}, json = {"--json"};
    std::string csvLines, expected = kColumns + std::string("\r\n");
    for (int pass = 0; pass < 600; ++pass) {  // lines across the blocks of the input
        for (const auto& [input, row] : rows) {
            csv.push_back(input);
            csvLines += pass % 2 ? " " + input + "\n" : input + "\r\n\r\n   \n";
            expected += row + "\r\n";
            if (pass == 0) json.push_back(input);
        }
    }
    csvLines.pop_back();  // the last line without its line end
    for (const CliRun& run : {RunCliOn(csv), RunCliOn({"--csv"}, csvLines)}) {
        EXPECT_EQ(run.out, expected);
        EXPECT_EQ(run.status, kExitSomeInvalid);
    }
    const std::vector<std::string> names = SplitText(kColumns, ","),
                                   objects = SplitText(RunCliOn(json).out, "\n");
    ASSERT_EQ(objects.size(), std::size(rows) + 1);  // and the empty text after the last
    for (std::size_t k = 0; k < std::size(rows); ++k) {
        const std::vector<std::string> columns = ParseCsv(rows[k].second)[0].fields;
        nlohmann::json object = {{"input", columns[0]}, {"error", kWrongLength}};
        if (!columns[1].empty()) {
            object.erase("error");
            for (std::size_t c = 1; c < names.size(); ++c) object[names[c]] = columns[c];
            object["valid"] = columns[2] == "yes";
            object["check_digit"] = std::stoi(columns[3]);
            if (columns[10].empty()) object["software_version"] = nullptr;
        }
        if (columns[9] == "user-file") {  // control characters escaped
            object["manufacturer"] = "User \u00fc\x1B[2J";
            object["model_type"] = "Model, \"Q\"\x7F\r";
            object["reference"] = "R-1\u0081\n\u20ac";
        }
        EXPECT_EQ(nlohmann::json::parse(objects[k]), object) << objects[k];
    }
}

// Each command line with what it gives: its flags (csv json fix online help
// version), user file, service, proxy and inputs, or the error.
TEST(Cli, OptionsAndUsageErrors) {
    const std::pair<const char*, const char*> cases[] = {
        {"--csv 1 - --user-db my.dat -- --fix", "100000 my.dat   1 - --fix"},
        {"--online --service h:1 --proxy p:2 --help -h --version", "000111 - h:1 p:2"},
        {"--json --fix", "--fix cannot be used with --csv or --json (check_digit gives the digit)"},
        {"--csv --json", "--csv and --json cannot be used together"},
        {"--online --csv", "--online cannot be used with --csv"},
        {"--service h:1", "--service and --proxy go with --online"},
        {"--proxy p:2", "--service and --proxy go with --online"},
        {"--user-db", "--user-db needs a value"},
        {"-x", "unknown option -x"},
    };
    for (const auto& [line, expected] : cases) {
        std::string error;
        const std::optional<CliOptions> o = ParseCliArguments(SplitText(line, " "), error);
        std::string given = error;
        if (o) {
            given = {"01"[o->csv],    "01"[o->json], "01"[o->fix],
                     "01"[o->online], "01"[o->help], "01"[o->version]};
            given += " " + o->userDatabase.value_or("-") + " " + o->onlineOptions.service + " " +
                     o->onlineOptions.proxy;
            for (const std::string& imei : o->imeis) given += " " + imei;
        }
        EXPECT_EQ(given, expected) << line;
    }
    // The folder of the default user file: the running program's own.
    EXPECT_EQ(ExecutableFolder(), std::filesystem::canonical(QUORVEL_TEST_FOLDER).string());
    // Of any link: the root, a folder, none, a link that cannot be read.
    std::filesystem::remove("link");
    EXPECT_EQ(LinkTargetFolder("link"), ".");
    for (const auto& [target, folder] :
         {std::pair{"/", "/"}, {"/q", "/"}, {"/a/b/q", "/a/b"}, {"q", "."}}) {
        std::filesystem::remove("link");
        std::filesystem::create_symlink(target, "link");
        EXPECT_EQ(LinkTargetFolder("link"), folder) << target;
    }
    // The end of the help, and a standard output that cannot be written.
    EXPECT_NE(std::string(kCliUsage).find("2 for a usage error or\noutput that could not be "
                                          "written. See also: man quorvel-cli.\n"),
              std::string::npos);
    const CliRun unwritable = RunCliOn({}, "", kUserFile, true);
    EXPECT_EQ(unwritable.status, kExitUsageError);
    EXPECT_EQ(unwritable.err, "quorvel-cli: cannot write the output\n");
    const CliRun unreadable =
        RunCliOn({"--user-db", "missing.dat", "999999000000006"}, "", std::nullopt);
    EXPECT_EQ(unreadable.status, kExitAllValid);
    EXPECT_EQ(unreadable.err,
              "quorvel-cli: cannot read the user file missing.dat; only the "
              "built-in records are used\n");
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
    // The service answers what a proxy is asked too.
    const CliRun json = RunCliOn(
        {"--online", "--json", "--service", "imei.example", "--proxy", address, "359999010000008"});
    server.Stop();
    runner.join();
    const std::vector<std::string> lines = {"Manufacturer: Quorvel", "Model type: One",
                                            "Reference: QT-1"};
    EXPECT_EQ(run.status, kExitSomeInvalid);
    EXPECT_NE(run.out.find("Issued by: " + kBabt + "\n\n[Information from " + address + "]\n" +
                           lines[0] + "\n" + lines[1] + "\n" + lines[2] + "\n"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(run.err, "");
    const nlohmann::json online = nlohmann::json::parse(json.out)["online"];
    ASSERT_TRUE(online.is_array() && online.size() > 3) << json.out;
    EXPECT_EQ(online[0], "[Information from IMEI.EXAMPLE]");
    EXPECT_EQ(std::vector<std::string>(online.begin() + 1, online.begin() + 4), lines);
    const CliRun failed =
        RunCliOn({"--online", "--json", "--service", "127.0.0.1:1", "359999010000008"});
    EXPECT_EQ(nlohmann::json::parse(failed.out)["online"], nullptr);
    EXPECT_EQ(failed.status, kExitSomeInvalid);
    EXPECT_EQ(failed.err,
              "quorvel-cli: Error while connecting to the online server.\n"
              "quorvel-cli: Check your Internet connection.\nquorvel-cli: Error cause: \n"
              "quorvel-cli: <Unable to connect to the host>\n");
}

}  // namespace
}  // namespace quorvel
