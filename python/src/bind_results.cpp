// Results of a sequence's own test items, read and entered the way quorin results does.
#include <pybind11/stl.h>

#include <algorithm>

#include "frontend/result_entry.h"
#include "platform/numtext.h"
#include "python/src/document.h"
#include "python/src/records.h"

namespace quorin::python {
namespace {

py::list Items(const SequenceRef& r) {
    std::map<int, OwnItem> own;
    {
        ShortCall call;
        own = OwnItems(*r.doc->Host());
    }
    const Document& doc = *r.doc;
    py::list out;
    for (const auto& [index, item] : own) {
        py::list parameters;
        for (const ItemParameter& p : item.parameters)
            parameters.append(MakeRecord("ItemParameter", p.number, doc.Decode(p.name),
                                         doc.Decode(IsBlank(p.value) ? "" : p.value),
                                         doc.Decode(p.require)));
        out.append(MakeRecord("TestItem", index, doc.Decode(item.title), parameters));
    }
    return out;
}

// A key (item, k) or "ITEM.K".
std::pair<int, int> Key(const py::handle& key) {
    if (py::isinstance<py::str>(key)) {
        const std::string text = key.cast<std::string>();
        const size_t dot = text.find('.');
        try {
            size_t used = 0, usedK = 0;
            const int item = std::stoi(text.substr(0, dot), &used);
            const int k = std::stoi(text.substr(dot + 1), &usedK);
            if (dot != std::string::npos && used == dot && usedK == text.size() - dot - 1)
                return {item, k};
        } catch (const std::exception&) {
        }
        throw py::value_error("result key '" + text + "': give ITEM.K, for example 0.1");
    }
    const auto pair = key.cast<std::pair<long long, long long>>();
    constexpr long long kLimit = 1 << 30;
    if (pair.first < -kLimit || pair.first > kLimit || pair.second < -kLimit ||
        pair.second > kLimit)
        throw py::value_error("result key out of range");
    return {static_cast<int>(pair.first), static_cast<int>(pair.second)};
}

void SetResults(const SequenceRef& r, const py::dict& results) {
    Document& doc = *r.doc;
    std::vector<std::pair<std::pair<int, int>, py::object>> given;
    for (const auto& [key, value] : results)
        given.emplace_back(Key(key), py::reinterpret_borrow<py::object>(value));
    // Every entry is checked before the first reaches the component: an error changes nothing.
    ShortCall call;
    const std::map<int, OwnItem> own = OwnItems(*doc.Host());
    const int itemCount = doc.Host()->ItemCount();
    std::vector<ResultEntry> entries;
    std::string error;
    for (const auto& [key, value] : given) {
        if (!CheckResultTarget(key.first, key.second, own, itemCount, &error))
            throw py::value_error(error);
        const std::string name = std::to_string(key.first) + "." + std::to_string(key.second);
        ResultEntry entry{key.first, key.second,
                          doc.EncodeStrict(py::str(value), "the result for " + name)};
        if (!CheckResultValue(entry, &error)) throw py::value_error(error);
        entries.push_back(std::move(entry));
    }
    std::string stored;
    if (!EnterResults(*doc.Host(), doc.Bytes(), own, entries, &stored, &error)) throw Error(error);
    doc.Replace(std::move(stored));
}

}  // namespace

void BindResults(py::module_& m) {
    auto cls = py::reinterpret_borrow<py::class_<SequenceRef>>(m.attr("Sequence"));
    cls.def_property_readonly("items", &Items,
                              "The component's own test items, as quorin results lists them: "
                              "TestItem(index, title, parameters), index as the component "
                              "numbers its items, parameters ItemParameter(number, name, value, "
                              "require) counted as the component counts them (a blank value "
                              "reads as \"\").")
        .def("set_results", &SetResults, py::arg("results"),
             "Enters results as quorin results --set does: {(item, k) or \"ITEM.K\": text} "
             "becomes VALUEk of each item through the component's SetItemText, and the sequence "
             "is stored anew (raw; every byte outside the own blocks as read), ready for save. "
             "Every entry is checked first: ValueError with the command's message (no such item "
             "or parameter, a text the code page cannot write or the file cannot keep) and "
             "nothing changes.")
        .def(
            "set_result",
            [](const SequenceRef& r, int item, int k, const py::str& text) {
                py::dict one;
                one[py::make_tuple(item, k)] = text;
                SetResults(r, one);
            },
            py::arg("item"), py::arg("k"), py::arg("text"),
            "Enters one result: set_results({(item, k): text}).");
}

}  // namespace quorin::python
