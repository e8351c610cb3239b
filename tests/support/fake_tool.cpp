// A stand-in for a desktop's command-line tool (xfconf-query, dbus-send, swaybg), linked
// or copied under that tool's name by a test. Each run appends its arguments as one JSON
// array line to $FAKE_TOOL_LOG, prints $FAKE_TOOL_OUTPUT's file when set, and with
// $FAKE_TOOL_STAY set keeps running until it is ended, as swaybg does. With $FAKE_TOOL_FAIL
// set it writes that text to its error output and ends with exit code 4. With
// $FAKE_TOOL_START set it first starts that program with its own path as the one argument,
// as Orvella starts its restart program; the program started sees neither variable, so an
// instance it brings back records its run and ends.
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

#include "platform/desktop/backends/json_text.h"
#include "platform/system/environment.h"
#include "platform/system/process.h"

int main(int argc, char* argv[]) {
    const char* log = std::getenv("FAKE_TOOL_LOG");
    if (log == nullptr) {
        std::cerr << "FAKE_TOOL_LOG is not set\n";
        return 2;
    }
    std::string line = "[";
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            line += ",";
        line += orvella::QuoteJson(argv[i]);
    }
    line += "]\n";
    std::ofstream(log, std::ios::app) << line;
    if (const char* output = std::getenv("FAKE_TOOL_OUTPUT")) {
        std::ifstream in(output);
        std::cout << in.rdbuf();
    }
    if (const char* failure = std::getenv("FAKE_TOOL_FAIL")) {
        std::cerr << failure << '\n';
        return 4;
    }
    const bool stay = std::getenv("FAKE_TOOL_STAY") != nullptr;
    if (const char* start = std::getenv("FAKE_TOOL_START")) {
        const std::string program = start;
        ::unsetenv("FAKE_TOOL_START");
        ::unsetenv("FAKE_TOOL_STAY");
        if (!orvella::StartDetached({program, orvella::ExecutablePath()}))
            return 3;
    }
    if (stay) {
        for (;;) {
            const timespec pause{1, 0};
            ::nanosleep(&pause, nullptr);
        }
    }
    return 0;
}
