// The package's plain records: named tuples (collections.namedtuple, module "quorin") made once
// when the module is imported.
#pragma once

#include <pybind11/pybind11.h>

#include <utility>

namespace quorin {
struct CalcOutcome;
}

namespace quorin::python {

namespace py = pybind11;

void DefineRecordTypes(py::module_& m);

// The record type of that name (one DefineRecordTypes made).
py::handle RecordType(const char* name);

template <typename... Args>
py::object MakeRecord(const char* name, Args&&... args) {
    return RecordType(name)(std::forward<Args>(args)...);
}

// Evaluation(value, status, error_position): the numeric status, and -1 for a text that parsed.
py::object MakeEvaluation(double value, const CalcOutcome& outcome);

}  // namespace quorin::python
