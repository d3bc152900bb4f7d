// Runs the quorin program as a user does and collects what it wrote.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "tests/common/temp_dir.h"

namespace quorin::test {

// The bundled sample sequence.
inline const std::string kSample = QUORIN_SOURCE_DIR "/samples/distance_relay.seq";

// Compared whole: a mismatch prints both runs.
struct ProgramRun {
    int status = -1;  // exit status; -1 when the program did not exit normally
    std::string out, err;
    bool operator==(const ProgramRun&) const = default;
    friend void PrintTo(const ProgramRun& run, std::ostream* os) {
        *os << "status " << run.status << "\nout: " << run.out << "\nerr: " << run.err;
    }
};

// A run that succeeded, wrote out and nothing on standard error.
inline ProgramRun Ran(const std::string& out) {
    return {0, out, ""};
}

// Runs the built quorin program with args, standard input from input, in folder cwd (the
// current folder when empty).
ProgramRun RunQuorin(const std::vector<std::string>& args, const std::string& input = {},
                     const std::string& cwd = {});

// A scratch folder (removed with all it holds) whose files are named as dir / "name".
struct ScratchFolder : TempDir {
    ScratchFolder() : TempDir("cli") {}
    std::string operator/(const std::string& name) const { return file(name); }
};

}  // namespace quorin::test
