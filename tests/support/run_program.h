#pragma once

#include <string>
#include <vector>

namespace orvella::testing {

// Runs a program with exactly the given environment and waits for it; its exit code, or
// -1 when it did not exit normally. Its standard error goes to `error_file` when one is named.
int RunProgram(const std::vector<std::string>& arguments,
               const std::vector<std::string>& environment, const std::string& error_file = {});

// Starts a program as RunProgram does, without waiting; the process id.
int StartProgram(const std::vector<std::string>& arguments,
                 const std::vector<std::string>& environment, const std::string& error_file = {});
// Waits for a started program; its exit code as RunProgram gives it.
int WaitForProgram(int pid);

}  // namespace orvella::testing
