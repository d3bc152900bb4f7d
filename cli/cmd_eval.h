// quorin eval EXPR...: evaluates expressions over a name table and prints one line each.
#pragma once

#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace quorin {
class CNameTable;
}

namespace quorin::cli {

// One line per expression: the value with "%.6f" (the failure value -100000 where a template
// would see it), a tab, "status=<Evaluate status>" or "syntax error at <position>", a tab, the
// expression as given, "\n". table may be null (then every name is a syntax error).
std::string EvaluateExpressions(const std::vector<std::string>& expressions, CNameTable* table);

// Adds the "eval" subcommand, which evaluates against the keyword constants.
void AddEvalCommand(CLI::App& app);

}  // namespace quorin::cli
