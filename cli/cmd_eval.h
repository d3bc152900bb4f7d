// quorin eval EXPR...: evaluates expressions over a name table and prints one line each.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace quorin {
class CNameTable;
}

namespace quorin::cli {

// One line per expression: the value with "%.6f" (the failure value -100000 where a template
// would see it), a tab, "status=<Evaluate status>" or "syntax error at <position>", a tab, the
// expression as given, "\n". table may be null (then every name is a syntax error).
std::string EvaluateExpressions(const std::vector<std::string>& expressions, CNameTable* table);

// Evaluates expressions over the name table of the template in a file and prints them; returns
// the exit status.
using TemplateEvaluation =
    std::function<int(const std::string& file, const std::vector<std::string>& expressions)>;

// Adds the "eval" subcommand, which evaluates against the keyword constants; when
// withTemplate is given, "--template FILE" evaluates against that template's names instead.
void AddEvalCommand(CLI::App& app, TemplateEvaluation withTemplate = nullptr);

}  // namespace quorin::cli
