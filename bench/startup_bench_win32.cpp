// quorvel_startup_bench.exe: how long Quorvel.exe takes to show its window,
// against a bare Win32 window, and where its start-up time goes. Run under
// Wine by bench/startup-bench.sh:
//   quorvel_startup_bench RUNS QUORVEL BARE [LIBRARY...]
// starts QUORVEL and BARE (quorvel_bare_window.exe) by turns, RUNS times
// each after one start of each that is not counted, and times each start
// until its window is shown and its message loop answers (the first paint is
// done then). BARE also starts with the libraries that Quorvel.exe imports
// and it does not (LIBRARY...), which shows their share. Then this program
// runs itself RUNS times with --steps, each time a fresh process that times
// the program's own start-up steps once, and prints their medians.
//   quorvel_startup_bench --steps
// prints "milliseconds TAB step" for each step; the benchmark reads them.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bare_window_win32.h"
#include "download/socket_transport_win32.h"
#include "main/main_window_win32.h"
#include "settings/profile_settings_win32.h"
#include "shared/data_resource_win32.h"
#include "shared/handles_win32.h"
#include "ui/captions.h"
#include "ui/display_font.h"
#include "ui/display_font_win32.h"

namespace {

// A process, a thread or a pipe end: CloseHandle releases each.
using UniqueKernelHandle = quorvel::UniqueHandle<HANDLE, quorvel::CloseFileRelease>;

constexpr DWORD kStartMilliseconds = 30000;  // a start that takes longer fails the benchmark
constexpr DWORD kCloseMilliseconds = 10000;

double Seconds() {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return value.QuadPart;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct ShownWindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK NoteShownWindow(HWND window, LPARAM search) {
    auto* wanted = reinterpret_cast<ShownWindowSearch*>(search);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != wanted->processId || !IsWindowVisible(window)) return TRUE;
    wanted->found = window;
    return FALSE;
}

struct ChildProcess {
    UniqueKernelHandle process;
    DWORD id = 0;
};

// Starts the command line; its standard output goes to output when given.
ChildProcess Start(std::string commandLine, HANDLE output = nullptr) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (output) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    }
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, output ? TRUE : FALSE, 0,
                        nullptr, nullptr, &startup, &started)) {
        return {};
    }
    UniqueKernelHandle thread(started.hThread);
    return {UniqueKernelHandle(started.hProcess), started.dwProcessId};
}

// Seconds from starting a program until its window is shown, and until it
// answers a message (its first paint is done then).
struct StartTimes {
    double shown;
    double answered;
};

// Times one start of the program and closes it again; nothing when it shows
// no window that answers.
std::optional<StartTimes> TimeStart(const std::string& commandLine) {
    const double started = Seconds();
    ChildProcess child = Start(commandLine);
    if (!child.process) return std::nullopt;
    ShownWindowSearch search = {child.id, nullptr};
    while (!search.found && Seconds() - started < kStartMilliseconds / 1000.0 &&
           WaitForSingleObject(child.process.Get(), 0) == WAIT_TIMEOUT) {
        EnumWindows(NoteShownWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(1);
    }
    const double shown = Seconds() - started;
    DWORD_PTR answer = 0;
    const bool answered =
        search.found && SendMessageTimeoutA(search.found, WM_NULL, 0, 0, SMTO_NORMAL,
                                            kStartMilliseconds, &answer) != 0;
    const double answeredAfter = Seconds() - started;
    if (search.found) PostMessageA(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(child.process.Get(), kCloseMilliseconds) != WAIT_OBJECT_0)
        TerminateProcess(child.process.Get(), 1);
    if (!answered) return std::nullopt;
    return StartTimes{shown, answeredAfter};
}

// The output of one run of this program with --steps.
std::string StepsOutput() {
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherited, 0)) return std::string();
    UniqueKernelHandle reader(readEnd), writer(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    char self[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    ChildProcess child = Start("\"" + std::string(self) + "\" --steps", writeEnd);
    writer.Reset();  // the child holds the only write end: its end is the pipe's end
    std::string output;
    char buffer[512];
    DWORD count = 0;
    while (child.process && ReadFile(readEnd, buffer, sizeof buffer, &count, nullptr) && count)
        output.append(buffer, count);
    if (child.process) WaitForSingleObject(child.process.Get(), kCloseMilliseconds);
    return output;
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// One of the times of every start.
std::vector<double> Times(const std::vector<StartTimes>& starts, double StartTimes::*time) {
    std::vector<double> times;
    for (const StartTimes& start : starts) times.push_back(start.*time);
    return times;
}

// The medians of one program's starts, with their spread.
void PrintStarts(const char* program, const std::vector<StartTimes>& starts) {
    std::printf("  %-34s", program);
    for (double StartTimes::*time : {&StartTimes::shown, &StartTimes::answered}) {
        const std::vector<double> times = Times(starts, time);
        std::printf("   %.3f s (%.3f to %.3f)", Median(times),
                    *std::min_element(times.begin(), times.end()),
                    *std::max_element(times.begin(), times.end()));
    }
    std::printf("\n");
}

int Benchmark(int runs, const std::string& quorvel, const std::string& bare,
              const std::vector<std::string>& libraries) {
    std::string withLibraries = Quoted(bare) + " --libraries";
    std::string names;
    for (const std::string& library : libraries) {
        withLibraries += " " + library;
        names += (names.empty() ? "" : ", ") + library;
    }
    const std::string commands[] = {Quoted(quorvel), Quoted(bare), withLibraries};
    std::vector<StartTimes> starts[3];
    for (int run = -1; run < runs; ++run) {
        for (int i = 0; i < 3; ++i) {
            const std::optional<StartTimes> times = TimeStart(commands[i]);
            if (!times) {
                std::fprintf(stderr, "no window shown by %s\n", commands[i].c_str());
                return 1;
            }
            if (run >= 0) starts[i].push_back(*times);  // the first start of each warms up
        }
    }
    std::printf(
        "Start-up: %d starts of each by turns; medians (and spread) until the window\n"
        "is shown, and until it is painted and answers:\n",
        runs);
    PrintStarts("Quorvel.exe", starts[0]);
    PrintStarts("bare window", starts[1]);
    PrintStarts("bare window + Quorvel's libraries", starts[2]);
    auto median = [&](int program, double StartTimes::*time) {
        return Median(Times(starts[program], time));
    };
    const double shown = median(0, &StartTimes::shown), bareShown = median(1, &StartTimes::shown);
    std::printf(
        "  ratio, Quorvel.exe to the bare window, until shown: %.2f (target: at most "
        "1.2); until answering: %.2f\n",
        shown / bareShown, median(0, &StartTimes::answered) / median(1, &StartTimes::answered));
    std::printf("  until shown, Quorvel.exe takes %.1f ms more; loading %s takes %.1f ms of it\n",
                (shown - bareShown) * 1000, names.c_str(),
                (median(2, &StartTimes::shown) - bareShown) * 1000);

    // Each step's times, in the order the first run printed them.
    std::vector<std::string> order;
    std::map<std::string, std::vector<double>> steps;
    for (int run = 0; run < runs; ++run) {
        const std::string output = StepsOutput();
        std::size_t at = 0;
        while (at < output.size()) {
            std::size_t end = output.find('\n', at);
            if (end == std::string::npos) end = output.size();
            const std::string line = output.substr(at, end - at);
            at = end + 1;
            const std::size_t tab = line.find('\t');
            if (tab == std::string::npos) continue;
            std::string step = line.substr(tab + 1);
            if (!step.empty() && step.back() == '\r') step.pop_back();
            if (!steps.count(step)) order.push_back(step);
            steps[step].push_back(std::atof(line.substr(0, tab).c_str()));
        }
    }
    std::printf(
        "Where the program's start-up goes, each step timed in a fresh process "
        "(median of %d):\n",
        runs);
    for (const std::string& step : order)
        std::printf("  %-52s %7.2f ms\n", step.c_str(), Median(steps[step]));
    return 0;
}

void ShowAndPaint(HWND window) {
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
}

// Runs the program's start-up steps once, in the order the main window runs
// them, each timed on its own; then the whole main window (its steps warm
// now) and a bare window in this process.
int TimeSteps() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    auto timed = [](const char* step, const std::function<void()>& work) {
        const double start = Seconds();
        work();
        std::printf("%.3f\t%s\n", (Seconds() - start) * 1000, step);
    };
    std::string fontBytes;
    quorvel::DisplayFontInstallation font;
    std::unique_ptr<quorvel::WinsockTransport> transport;
    // The first window of a process starts the window system for it; every
    // program pays that once, and the program pays it with its main window
    // before the network events' window is made.
    timed("window system start (a process's first window, hidden)", [] {
        quorvel::UniqueWindow(
            CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr));
    });
    timed("resource reading (the display font)", [&] {
        fontBytes = quorvel::LoadDataResource(instance, quorvel::kDisplayFontResourceId);
    });
    timed("font extraction (the temporary font file)", [&] { font.Extract(fontBytes); });
    timed("font registration (AddFontResourceA)", [&] { font.Register(); });
    timed("settings read (LanguageID from quorvel.ini)",
          [] { quorvel::CurrentLanguage(quorvel::ProgramSettings()); });
    timed("network events (Winsock and its window)",
          [&] { transport = std::make_unique<quorvel::WinsockTransport>(); });
    transport.reset();
    font.Remove();
    // The whole window, made (the steps above run again, now warm) and shown.
    quorvel::MainWindow* mainWindow = nullptr;
    timed("main window made: its controls and the steps above",
          [&] { mainWindow = quorvel::MainWindow::Open(instance); });
    if (!mainWindow) return 1;
    timed("main window shown and painted", [&] { ShowAndPaint(mainWindow->Handle()); });
    mainWindow->Close();
    quorvel::UniqueWindow bareWindow;
    timed("bare window made, in the same process",
          [&] { bareWindow.Reset(quorvel::bench::OpenBareWindow(instance)); });
    timed("bare window shown and painted", [&] { ShowAndPaint(bareWindow.Get()); });
    std::fflush(stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--steps") return TimeSteps();
    const int runs = argc >= 4 ? std::atoi(argv[1]) : 0;
    if (runs < 1) {
        std::fprintf(stderr,
                     "usage: quorvel_startup_bench RUNS QUORVEL BARE [LIBRARY...]\n"
                     "       quorvel_startup_bench --steps\n");
        return 2;
    }
    return Benchmark(runs, argv[2], argv[3], std::vector<std::string>(argv + 4, argv + argc));
}
