#include "tests/cli/run_program.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>

namespace quorin::test {

ProgramRun RunQuorin(const std::vector<std::string>& args, const std::string& input,
                     const std::string& cwd) {
    ScratchFolder io;
    const std::string in = io / "in", out = io / "out", err = io / "err";
    std::ofstream(in, std::ios::binary) << input;
    std::vector<std::string> argv{QUORIN_PROGRAM};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> pointers;
    for (std::string& a : argv)
        pointers.push_back(a.data());
    pointers.push_back(nullptr);

    // Under LeakSanitizer the program would list the suppressions it used on stderr.
    [[maybe_unused]] static const bool quiet = [] {
        const char* options = std::getenv("LSAN_OPTIONS");
        const std::string quieter = options && *options ? std::string(options) + ":" : "";
        return ::setenv("LSAN_OPTIONS", (quieter + "print_suppressions=0").c_str(), 1) == 0;
    }();

    ProgramRun run;
    const pid_t pid = ::fork();
    if (pid == 0) {
        // Only calls that are safe after fork until exec.
        if (!cwd.empty() && ::chdir(cwd.c_str()) != 0) ::_exit(127);
        const int fin = ::open(in.c_str(), O_RDONLY);
        const int fout = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int ferr = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fin < 0 || fout < 0 || ferr < 0) ::_exit(127);
        ::dup2(fin, 0);
        ::dup2(fout, 1);
        ::dup2(ferr, 2);
        ::execv(pointers[0], pointers.data());
        ::_exit(127);
    }
    if (pid < 0) return run;
    int wstatus = 0;
    while (::waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(wstatus)) run.status = WEXITSTATUS(wstatus);
    run.out = FileBytes(out);
    run.err = FileBytes(err);
    return run;
}

}  // namespace quorin::test
