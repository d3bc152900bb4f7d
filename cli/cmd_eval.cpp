#include "cli/cmd_eval.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>

#include "cli/commands.h"
#include "expression/expression.h"
#include "expression/name_table.h"
#include "expression/vocabularies.h"
#include "platform/numtext.h"

namespace quorin::cli {

std::string EvaluateExpressions(const std::vector<std::string>& expressions, CNameTable* table) {
    std::string out;
    CExpression expression;
    for (const std::string& text : expressions) {
        CalcOutcome outcome;
        const double value = CalcExpressionText(expression, table, text, &outcome);
        out += CFormat("%.6f", value);
        out += outcome.parse ? CFormat("\tstatus=%d\t", static_cast<int>(outcome.status))
                             : CFormat("\tsyntax error at %d\t", outcome.parse.offset);
        out += text;
        out += '\n';
    }
    return out;
}

void AddEvalCommand(CLI::App& app, TemplateEvaluation withTemplate) {
    struct Options {
        std::vector<std::string> expressions;
        std::string templateFile;
    };
    auto options = std::make_shared<Options>();
    CLI::App* eval = AddCommand(
        app, "eval",
        "Evaluate expressions over the keyword constants (write -- before a leading \"-\")",
        [options, withTemplate] {
            if (!options->templateFile.empty())
                return withTemplate(options->templateFile, options->expressions);
            CNameTable table;
            CKeywordConstants keywords;
            keywords.Register(table);
            const std::string lines = EvaluateExpressions(options->expressions, &table);
            std::fwrite(lines.data(), 1, lines.size(), stdout);
            return 0;
        });
    eval->add_option("EXPR", options->expressions, "expressions")->required();
    if (withTemplate) {
        eval->add_option("--template", options->templateFile,
                         "evaluate over the names of this template or sequence file (- for "
                         "standard input)");
    }
}

}  // namespace quorin::cli
