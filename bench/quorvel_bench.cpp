// quorvel-bench: prints (a) the time of one LookupTac over the whole
// built-in records for a TAC that no source knows, next to a memmem over the
// same bytes, and (b) how many IMEIs a second quorvel-cli --csv checks, on a
// file of one million generated IMEIs, over several runs (target at least 5
// million), and beside it quorvel-cli --json.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "builtin_records.h"
#include "file_output.h"
#include "imei/handset_database.h"
#include "imei/imei.h"
#include "imei/scramble.h"
#include "tacdb_csv.h"

namespace {

using Clock = std::chrono::steady_clock;
using quorvel::FileHandsetSources;

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

constexpr int kRuns = 2000;

// The mean of kRuns runs of f, in seconds.
template <typename F>
double MeanSeconds(F f) {
    const Clock::time_point start = Clock::now();
    for (int run = 0; run < kRuns; ++run) f();
    return Seconds(Clock::now() - start) / kRuns;
}

// A TAC that no record has: the lookup passes over all the records.
const std::string kAbsentTac = "99999999";

double TimeAbsentLookup(const char* title, FileHandsetSources& sources) {
    if (quorvel::LookupTac(kAbsentTac, sources).matchedBy != quorvel::TacMatch::kNone) {
        std::printf("%s: TAC %s is not absent\n", title, kAbsentTac.c_str());
        return 0;
    }
    const double mean = MeanSeconds([&sources] { quorvel::LookupTac(kAbsentTac, sources); });
    std::printf("(a) LookupTac of an absent TAC, %s: %.3f ms mean (%d runs)\n", title, mean * 1e3,
                kRuns);
    return mean;
}

// memmem of the absent TAC's nine-byte search string (scrambled TAC, 0xA6)
// over the same bytes: the floor a lookup is measured against.
double TimeMemmem(const std::string& records) {
    const std::string needle =
        quorvel::ScrambleText(quorvel::kTacKey, kAbsentTac) + quorvel::kTacMarker;
    volatile std::size_t found = 0;
    const double mean = MeanSeconds([&] {
        const void* at = memmem(records.data(), records.size(), needle.data(), needle.size());
        found = found + (at != nullptr);
    });
    std::printf("(a) memmem of a nine-byte string over the same %zu bytes: %.3f ms mean\n",
                records.size(), mean * 1e3);
    return mean;
}

// One million IMEIs, seeded: 80% with a TAC of either handset list (each
// TAC of both lists as likely), 20% with random digits, then random serial
// numbers and the right check digit.
bool WriteImeis(const std::string& path, int count) {
    std::vector<std::string> tacs;
    const std::optional<std::string> tacdb = quorvel::ReadFileBytes(QUORVEL_DATA_PATH "/tacdb.csv");
    const std::optional<std::string> samsung =
        quorvel::ReadFileBytes(QUORVEL_DATA_PATH "/samsung-tacs.csv");
    if (!tacdb || !samsung) return false;
    for (const quorvel::TacRecord& row : quorvel::ReadTacDatabase(*tacdb).records) {
        tacs.push_back(row.tac);
    }
    for (const quorvel::ModelCodeRow& row : quorvel::ReadModelCodeList(*samsung).rows) {
        tacs.push_back(row.tac);
    }
    std::uint32_t state = 2463534242u;
    const auto next = [&state] {
        state ^= state << 13, state ^= state >> 17, state ^= state << 5;
        return state;
    };
    std::string text;
    for (int n = 0; n < count; ++n) {
        std::string imei = next() % 5 != 0 ? tacs[next() % tacs.size()] : std::string();
        while (imei.size() < quorvel::kImeiLength - 1) {
            imei.push_back(static_cast<char>('0' + next() % 10));
        }
        text += imei + *quorvel::CheckDigit(imei) + "\n";
    }
    return quorvel::WriteFileBytes(path, text);
}

// User and system time of the finished child processes.
double ChildrenCpuSeconds() {
    rusage usage = {};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The median of rates, which it sorts.
double Median(std::vector<double>& rates) {
    std::sort(rates.begin(), rates.end());
    return rates[rates.size() / 2];
}

// quorvel-cli --csv and --json over the file, each run kCliRuns times, in
// turns so that both meet the same load: on a shared machine one run's
// figure says little, so each run's and their median are printed.
void TimeCliThroughput() {
    constexpr int kImeis = 1000000;
    constexpr int kCliRuns = 5;
    const std::string path = "bench-imeis.txt";
    if (!WriteImeis(path, kImeis)) {
        std::printf("(b) cannot write %s\n", path.c_str());
        return;
    }
    const char* const formats[] = {"--csv", "--json"};
    std::vector<double> rates[2];
    for (int run = 0; run < kCliRuns; ++run) {
        for (int format = 0; format < 2; ++format) {
            const std::string command =
                std::string(QUORVEL_CLI_PATH) + " " + formats[format] + " <" + path + " >/dev/null";
            const double cpuBefore = ChildrenCpuSeconds();
            const Clock::time_point start = Clock::now();
            const int status = std::system(command.c_str());
            const double elapsed = Seconds(Clock::now() - start);
            const double cpu = ChildrenCpuSeconds() - cpuBefore;
            if (status == -1) {
                std::printf("(b) cannot run %s\n", QUORVEL_CLI_PATH);
                std::remove(path.c_str());
                return;
            }
            // The wall time includes waiting for a processor; the processor
            // time is what the tool itself costs.
            std::printf(
                "(b) quorvel-cli %-6s on %d IMEIs: %.3f s, %.0f IMEIs per second "
                "(processor time %.3f s, %.0f IMEIs per processor second)\n",
                formats[format], kImeis, elapsed, kImeis / elapsed, cpu, kImeis / cpu);
            rates[format].push_back(kImeis / cpu);
        }
    }
    std::remove(path.c_str());
    const double csv = Median(rates[0]);
    std::printf(
        "(b) IMEIs per processor second over %d runs: --csv %.0f to %.0f, median %.0f, "
        "median / 5 million: %.2f (target at least 1)\n",
        kCliRuns, rates[0].front(), rates[0].back(), csv, csv / 5e6);
    const double json = Median(rates[1]);
    std::printf("(b) IMEIs per processor second over %d runs: --json %.0f to %.0f, median %.0f\n",
                kCliRuns, rates[1].front(), rates[1].back(), json);
}

}  // namespace

int main() {
    const std::string records = quorvel::BuiltInRecordBytes();
    FileHandsetSources withoutUserFile(records, "/nonexistent/quorvel.dat");
    const double lookup = TimeAbsentLookup("no user file", withoutUserFile);
    const double floor = TimeMemmem(records);
    std::printf("(a) LookupTac / memmem: %.2f (target at most 1.5)\n", lookup / floor);
    const std::string userFilePath = "bench-quorvel.dat";
    std::string userFile;
    for (int n = 0; n < 1000; ++n) {
        userFile += std::to_string(100000 + n) + "000000000=Maker\xB6Model\xB6Ref\r\n";
    }
    if (quorvel::WriteFileBytes(userFilePath, userFile)) {
        FileHandsetSources withUserFile(records, userFilePath);
        TimeAbsentLookup("user file of 1,000 lines", withUserFile);
        std::remove(userFilePath.c_str());
    }
    TimeCliThroughput();
    return 0;
}
