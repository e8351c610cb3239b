#include "support/run_program.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orvella::testing {

int StartProgram(const std::vector<std::string>& arguments,
                 const std::vector<std::string>& environment, const std::string& error_file) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& entry : environment)
        envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid == 0) {
        if (!error_file.empty()) {
            const int error = ::open(error_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (error < 0 || ::dup2(error, STDERR_FILENO) < 0)
                ::_exit(126);
            ::close(error);
        }
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    return pid;
}

int WaitForProgram(int pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int RunProgram(const std::vector<std::string>& arguments,
               const std::vector<std::string>& environment, const std::string& error_file) {
    return WaitForProgram(StartProgram(arguments, environment, error_file));
}

}  // namespace orvella::testing
