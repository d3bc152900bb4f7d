// Runs the quorin program as a user does and collects what it wrote.
#pragma once

#include <string>
#include <vector>

namespace quorin::test {

struct ProgramRun {
    int status = -1;  // exit status; -1 when the program did not exit normally
    std::string out, err;
};

// Runs the built quorin program with args, standard input from input, in folder cwd (the
// current folder when empty).
ProgramRun RunQuorin(const std::vector<std::string>& args, const std::string& input = {},
                     const std::string& cwd = {});

// A fresh folder below the temporary folder, removed with everything in it when the object goes.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::string ReadBytes(const std::string& path);

}  // namespace quorin::test
