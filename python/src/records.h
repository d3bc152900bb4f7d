// The package's plain records: named tuples (collections.namedtuple, module "quorin") made once
// when the module is imported.
#pragma once

#include <pybind11/pybind11.h>

#include <utility>

namespace quorin::python {

namespace py = pybind11;

void DefineRecordTypes(py::module_& m);

// The record type of that name (one DefineRecordTypes made).
py::handle RecordType(const char* name);

template <typename... Args>
py::object MakeRecord(const char* name, Args&&... args) {
    return RecordType(name)(std::forward<Args>(args)...);
}

py::object MakeEvaluation(double value, int status, int errorPosition);

}  // namespace quorin::python
