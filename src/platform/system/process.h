#pragma once

#include <sys/types.h>

#include <chrono>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "platform/status.h"

namespace orvella {

// What a finished outside program left behind.
struct ProcessOutput {
    int exit_code = -1;  // the exit status, or 128 + the signal that ended it
    std::string out;
    std::string err;
};

// Starts `argv` (argv[0] looked up on PATH) with an argument vector, never a shell, so a
// file name with blanks, quotes or ";" is just a name; waits for it and collects both
// outputs. Fails when the program cannot be started; a program that ran and failed is an
// output with its exit code.
Result<ProcessOutput> RunProcess(const std::vector<std::string>& argv);

// The first line of the error output, else of the output, else the exit code: what a
// failed run of `program` tells the user.
std::string DescribeFailure(const std::string& program, const ProcessOutput& output);

// RunProcess for a program that must succeed: its output when it ended with 0, else an
// error made by DescribeFailure.
Result<std::string> RunChecked(const std::vector<std::string>& argv);

// `command` (a program and its leading arguments) followed by `arguments`.
std::vector<std::string> CommandLine(const std::vector<std::string>& command,
                                     std::initializer_list<std::string> arguments);

// A run of a program that may hand over to another one or keep running itself.
struct BriefRun {
    pid_t pid = 0;
    // What it left behind when it ended within the wait; nullopt while it still runs.
    std::optional<ProcessOutput> output;
};

// Starts `argv` as RunProcess does and waits at most `wait` for it to end. A program still
// running then is left to run (a viewer that xdg-open started in its own place) and reaped
// in the background when it ends. Ending is watched, not the closing of its outputs, which a
// program it started may hold open.
Result<BriefRun> RunBriefly(const std::vector<std::string>& argv, std::chrono::milliseconds wait);

// Starts `argv` in a session of its own with its input and outputs on /dev/null, for a
// program that must keep running after we end (swaybg). Does not wait.
Result<pid_t> StartDetached(const std::vector<std::string>& argv);

}  // namespace orvella
