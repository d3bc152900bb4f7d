// Inputs crafted to hit the worst case of a reader, each beside a benign input of the same size
// for the same reader. Used by bench_hostile and written to files by write_hostile_inputs.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quorin::hostile {

// What reads an input: a relay template or sequence (ReadTemplate, which also reads the zones),
// one expression (parse and evaluate), an ini text (the key and section lists) or a report
// settings file (load and save).
enum class Reader { kTemplate, kExpression, kIni, kReportSettings };

struct Input {
    const char* name;
    Reader reader;
    // The text of about `bytes` bytes; crafted, or its benign twin.
    std::string (*crafted)(std::size_t bytes);
    std::string (*benign)(std::size_t bytes);
    const char* what;  // what the crafted text does
};

const std::vector<Input>& Inputs();

// The benign twin of a flat operator chain: the same bytes as formulas of 64 terms, one per line.
std::vector<std::string> Lines(const std::string& text);

}  // namespace quorin::hostile
