// quorin._quorin: the native part of the quorin package.
#include <pybind11/pybind11.h>

#include "expression/expression.h"
#include "expression/name_table.h"
#include "expression/vocabularies.h"
#include "python/src/document.h"
#include "python/src/records.h"

namespace quorin::python {
namespace {

py::object Evaluate(const std::string& text) {
    // The keyword constants alone, as a template sees them before any parameter is read.
    static CNameTable* table = [] {
        static CNameTable names;
        static CKeywordConstants keywords;
        keywords.Register(names);
        return &names;
    }();
    ShortCall call;
    CExpression expression;
    CalcOutcome outcome;
    const double value = CalcExpressionText(expression, table, text, &outcome);
    return MakeEvaluation(value, outcome);
}

}  // namespace
}  // namespace quorin::python

PYBIND11_MODULE(_quorin, m) {
    using namespace quorin::python;
    m.doc() = "Native part of the quorin package; import quorin instead.";
    auto& error = py::register_exception<Error>(m, "Error");
    error.attr("__doc__") = "A failure of the Quorin library, with its English message.";
    error.attr("__module__") = "quorin";

    DefineRecordTypes(m);
    m.def(
        "eval", &Evaluate, py::arg("expression"),
        "Evaluates an expression over the keyword constants (FAULT types, trigger modes, ...).\n\n"
        "Returns Evaluation(value, status, error_position): status is the evaluator's (0 ok, 1\n"
        "division by zero, 3 unknown name, 4 domain error, 10 a name was read, -1 no tree),\n"
        "error_position where a syntax error stopped the parse (-1 when it parsed). A syntax\n"
        "error past the first character and a division by zero give the value -100000.0.");
    BindDocument(m);
    BindTemplate(m);
    BindZones(m);
    BindReport(m);
    BindShots(m);
    BindResults(m);
}
