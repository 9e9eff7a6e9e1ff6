// quorvel-bench: prints (a) the time of one LookupTac over the whole
// built-in records for a TAC that no source knows, and (b) how many IMEIs a
// second quorvel-cli --csv checks, on a file of one million generated IMEIs.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "builtin_records.h"
#include "file_output.h"
#include "imei/handset_database.h"
#include "imei/imei.h"
#include "imei/scramble.h"

namespace {

using Clock = std::chrono::steady_clock;
using quorvel::FileHandsetSources;

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

// The fastest and the mean of runs of one lookup, in milliseconds.
void TimeAbsentLookup(const char* title, FileHandsetSources& sources) {
    const std::string absentTac = "999999";
    if (quorvel::LookupTac(absentTac, sources) != quorvel::kUnknownLookupResult) {
        std::printf("%s: TAC %s is not absent\n", title, absentTac.c_str());
        return;
    }
    constexpr int kRuns = 2000;
    double fastest = 1e9;
    const Clock::time_point start = Clock::now();
    for (int run = 0; run < kRuns; ++run) {
        const Clock::time_point before = Clock::now();
        quorvel::LookupTac(absentTac, sources);
        fastest = std::min(fastest, Seconds(Clock::now() - before));
    }
    const double mean = Seconds(Clock::now() - start) / kRuns;
    std::printf("(a) LookupTac of an absent TAC, %s: %.3f ms mean, %.3f ms fastest (%d runs)\n",
                title, mean * 1e3, fastest * 1e3, kRuns);
}

// One million IMEIs: the TACs of the built-in records in turn, random serial
// numbers, one in ten with a wrong check digit and one in ten written with
// separators.
bool WriteImeis(const std::string& path, int count) {
    const std::string records = quorvel::BuiltInRecordBytes();
    std::vector<std::string> tacs = {"999999"};  // one unknown TAC in the mix
    for (std::string::size_type marker = records.find(quorvel::kTacMarker, quorvel::kTacLength);
         marker != std::string::npos; marker = records.find(quorvel::kTacMarker, marker + 1)) {
        tacs.push_back(quorvel::UnscrambleText(
            quorvel::kTacKey, records.substr(marker - quorvel::kTacLength, quorvel::kTacLength)));
    }
    std::uint32_t state = 2463534242u;
    const auto next = [&state] {
        state ^= state << 13, state ^= state >> 17, state ^= state << 5;
        return state;
    };
    std::string text;
    for (int n = 0; n < count; ++n) {
        std::string imei = tacs[next() % tacs.size()];
        for (int k = 0; k < 8; ++k) imei.push_back(static_cast<char>('0' + next() % 10));
        char check = (*quorvel::CheckDigit(imei))[0];
        if (n % 10 == 3) check = static_cast<char>('0' + (check - '0' + 1) % 10);
        imei.push_back(check);
        if (n % 10 == 7) imei = imei.substr(0, 2) + "-" + imei.substr(2, 6) + "-" + imei.substr(8);
        text += imei + "\n";
    }
    return quorvel::WriteFileBytes(path, text);
}

// User and system time of the finished child processes.
double ChildrenCpuSeconds() {
    rusage usage = {};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& time) { return time.tv_sec + time.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void TimeCliThroughput() {
    constexpr int kImeis = 1000000;
    const std::string path = "bench-imeis.txt";
    if (!WriteImeis(path, kImeis)) {
        std::printf("(b) cannot write %s\n", path.c_str());
        return;
    }
    const std::string command = std::string(QUORVEL_CLI_PATH) + " --csv <" + path + " >/dev/null";
    const double cpuBefore = ChildrenCpuSeconds();
    const Clock::time_point start = Clock::now();
    const int status = std::system(command.c_str());
    const double elapsed = Seconds(Clock::now() - start);
    const double cpu = ChildrenCpuSeconds() - cpuBefore;
    std::remove(path.c_str());
    if (status == -1) {
        std::printf("(b) cannot run %s\n", QUORVEL_CLI_PATH);
        return;
    }
    // On a shared machine the wall time includes waiting for a processor;
    // the processor time is what the tool itself costs.
    std::printf(
        "(b) quorvel-cli --csv on %d IMEIs: %.3f s, %.0f IMEIs per second "
        "(processor time %.3f s, %.0f IMEIs per processor second)\n",
        kImeis, elapsed, kImeis / elapsed, cpu, kImeis / cpu);
}

}  // namespace

int main() {
    FileHandsetSources withoutUserFile(quorvel::BuiltInRecordBytes(), "/nonexistent/quorvel.dat");
    TimeAbsentLookup("no user file", withoutUserFile);
    const std::string userFilePath = "bench-quorvel.dat";
    std::string userFile;
    for (int n = 0; n < 1000; ++n) {
        userFile += std::to_string(100000 + n) + "000000000=Maker\xB6Model\xB6Ref\r\n";
    }
    if (quorvel::WriteFileBytes(userFilePath, userFile)) {
        FileHandsetSources withUserFile(quorvel::BuiltInRecordBytes(), userFilePath);
        TimeAbsentLookup("user file of 1,000 lines", withUserFile);
        std::remove(userFilePath.c_str());
    }
    TimeCliThroughput();
    return 0;
}
