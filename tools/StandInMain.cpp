// zembly-standin: the local account service and gateway for the run command and manual tests.
//
//   zembly-standin [--port N] [--release NAME] [--account USER:PASSWORD:CREDITS]...
//                  [--per-poll N] [--gateway-answer TEXT] [--log FILE]
//
// Prints the port it listens on (127.0.0.1 only) as the first line of stdout, logs every request
// line to stderr (or FILE) and runs until SIGINT or SIGTERM.
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <mutex>
#include <thread>

#include "StandIn.h"

namespace {

std::atomic<bool> stopRequested{false};

void RequestStop(int) {
    stopRequested = true;
}

int Usage(const char* problem) {
    std::cerr << "zembly-standin: " << problem << "\n"
              << "usage: zembly-standin [--port N] [--release NAME] "
                 "[--account USER:PASSWORD:CREDITS]... [--per-poll N] [--gateway-answer TEXT] "
                 "[--log FILE]\n";
    return 2;
}

bool ParseInt(const std::string& text, int& value) {
    if (text.empty() || text.size() > 9) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    value = std::atoi(text.c_str());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    standin::StandIn standIn;
    int port = 0;
    std::string logPath;
    bool accountsGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc) return Usage(("missing value after " + option).c_str());
        const std::string value = argv[++i];
        if (option == "--port") {
            if (!ParseInt(value, port) || port > 65535) return Usage("bad port");
        } else if (option == "--release") {
            standIn.Service().SetRelease(value);
        } else if (option == "--account") {
            const size_t first = value.find(':');
            const size_t last = value.rfind(':');
            int credits = 0;
            if (first == std::string::npos || first == last ||
                !ParseInt(value.substr(last + 1), credits))
                return Usage("bad account, expected USER:PASSWORD:CREDITS");
            if (!accountsGiven) standIn.Service().ClearAccounts();
            accountsGiven = true;
            standIn.Service().AddAccount(value.substr(0, first),
                                         value.substr(first + 1, last - first - 1), credits);
        } else if (option == "--per-poll") {
            int count = 0;
            if (!ParseInt(value, count)) return Usage("bad --per-poll");
            standIn.Service().SetMessagesPerPoll(count);
        } else if (option == "--gateway-answer") {
            standIn.Gateway().SetAnswer(value);
        } else if (option == "--log") {
            logPath = value;
        } else {
            return Usage(("unknown option " + option).c_str());
        }
    }

    std::ofstream logFile;
    if (!logPath.empty()) {
        logFile.open(logPath, std::ios::app);
        if (!logFile) return Usage("cannot open the log file");
    }
    std::ostream& log = logPath.empty() ? std::cerr : logFile;
    std::mutex logMutex;
    standIn.SetLogSink([&log, &logMutex](const std::string& line) {
        std::lock_guard<std::mutex> lock(logMutex);
        log << line << std::endl;
    });

    try {
        port = standIn.Start(port);
    } catch (const std::exception& e) {
        std::cerr << "zembly-standin: " << e.what() << "\n";
        return 1;
    }
    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);
    std::cout << port << std::endl;

    while (!stopRequested) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    standIn.Stop();
    return 0;
}
