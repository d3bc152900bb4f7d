#include "python/src/records.h"

#include <map>
#include <string>

#include "expression/expression.h"

namespace quorin::python {
namespace {

struct RecordDefinition {
    const char* name;
    const char* fields;
    const char* doc;
};

// Borrowed: the module holds every type until the interpreter ends.
std::map<std::string, PyObject*>& Types() {
    static std::map<std::string, PyObject*> types;
    return types;
}

const RecordDefinition kRecords[] = {
    {"Evaluation", "value status error_position",
     "The result of an evaluation: the value, the evaluator's status and the position where a "
     "syntax error stopped the parse (-1 when the text parsed)."},
    {"ReportField", "name id",
     "One report item of a template: its name (N) and the identifier (ID) its results are keyed "
     "by."},
    {"Box", "r_min r_max x_min x_max", "Extents in the impedance plane, ohms."},
    {"LineStyle", "color style width",
     "How a zone is drawn: colour \"#RRGGBB\", pen style (\"solid\", \"dash\", \"dot\", "
     "\"dash-dot\", \"dash-dot-dot\") and width in pixels at screen scale."},
    {"Line", "start end", "A straight piece of a zone boundary from start to end, (R, X) ohms."},
    {"Arc", "center radius start_angle end_angle clockwise",
     "A piece of a zone boundary on the circle (center, radius), from start_angle to end_angle "
     "(degrees), counter-clockwise unless clockwise; equal angles make a whole circle."},
    {"Shot", "loop r x measured_time zone angle expected_zone expected_time",
     "A test point around a zone boundary: fault loop, impedance (ohms), measured trip time "
     "(None until measured; None means no trip), the label of the zone it tests, the search-line "
     "angle (degrees), the expected zone's label (None: no trip) and its time (None: none)."},
    {"AssessedPoint", "loop r x measured_time expected_zone expected_time verdict",
     "A judged test point: fault loop, impedance (ohms), measured trip time (None: no trip), "
     "the expected zone's label (None: no trip), its time (None: none) and the verdict "
     "(\"pass\", \"fail\" or \"not-assessed\")."},
    {"TestItem", "index title parameters",
     "One of the component's own test items: its index as the component numbers items, its "
     "title (TESTNAME) and its parameters (ItemParameter)."},
    {"ItemParameter", "number name value require",
     "A parameter of a test item: its number k (1..15), name (NAMEk), result (VALUEk; \"\" "
     "when blank) and testing method and requirements (REQUIREk)."},
    {"ReportTable", "title rows",
     "A table of a report item: its title and its rows of cell texts."},
    {"GraphPoint", "x y marker diameter color",
     "A point of a report graph in axis units, its marker (0 cross, 1 circle, 2 square, 3 dot), "
     "diameter in pixels and colour 0x00BBGGRR."},
    {"Graph", "axis_type x_range y_range x_axis_name y_axis_name picture lines circles arcs points",
     "A graph of a report item: axis type and ranges, axis names, picture name, and its shapes in "
     "axis units: lines (x1, y1, x2, y2, color, style, width), circles (x, y, radius, color, "
     "style, width), arcs (x, y, radius, start, sweep, color, style, width) and points "
     "(GraphPoint)."},
    {"ReportItem", "title setting_lines parameter_lines io_lines tables graphs result",
     "One item of a report: title, setting lines, test-parameter lines, input/output lines, "
     "tables (ReportTable), graphs (Graph) and the result string, one character per test point "
     "(\"1\" passed, \"0\" failed, \"-\" not assessed). Stored report texts keep \"$\" for "
     "blanks."},
};

}  // namespace

void DefineRecordTypes(py::module_& m) {
    py::object namedtuple = py::module_::import("collections").attr("namedtuple");
    for (const RecordDefinition& record : kRecords) {
        py::object type = namedtuple(record.name, record.fields, py::arg("module") = "quorin");
        type.attr("__doc__") = record.doc;
        m.attr(record.name) = type;
        Types()[record.name] = type.ptr();
    }
}

py::handle RecordType(const char* name) {
    return Types().at(name);
}

py::object MakeEvaluation(double value, const CalcOutcome& outcome) {
    return MakeRecord("Evaluation", value, static_cast<int>(outcome.status),
                      outcome.parse ? -1 : outcome.parse.offset);
}

}  // namespace quorin::python
