// The members of Template and Sequence, the parameter tables and their records, and evaluation
// over a template.
#include <pybind11/stl.h>

#include <cfloat>
#include <cmath>

#include "expression/expression.h"
#include "python/src/document.h"
#include "python/src/records.h"
#include "template/section_rewrite.h"

namespace quorin::python {
namespace {

struct ParameterTableRef {
    DocumentPtr doc;
    ParamKind kind;
};

struct ParameterRef {
    DocumentPtr doc;
    ParamKind kind;
    int index;
};

const char* KindName(ParamKind kind) {
    switch (kind) {
        case ParamKind::kSetting:
            return "setting";
        case ParamKind::kCommonParameter:
            return "common_parameter";
        case ParamKind::kBinaryInput:
            break;
    }
    return "binary_input";
}

// The record still exists: a rewrite may leave a table shorter than when the record was taken.
CRelayTemplate& Checked(const ParameterRef& p) {
    CRelayTemplate& t = p.doc->Template();
    if (p.index < 0 || p.index >= t.Count(p.kind))
        throw py::index_error(std::string(KindName(p.kind)) + " " + std::to_string(p.index) +
                              " no longer exists");
    return t;
}

using TextField = const std::string& (CRelayTemplate::*)(ParamKind, int) const;

auto Text(TextField field) {
    return [field](const ParameterRef& p) {
        std::string bytes;
        {
            ShortCall call;
            bytes = (Checked(p).*field)(p.kind, p.index);
        }
        return p.doc->Decode(bytes);
    };
}

void SetValue(const ParameterRef& p, double value) {
    if (!std::isfinite(value) || std::fabs(value) > FLT_MAX)
        throw py::value_error("a parameter value must be a finite number within the float range");
    ShortCall call;
    CRelayTemplate& t = Checked(p);
    t.SetValue(p.kind, p.index, static_cast<float>(value));
    p.doc->Replace(RewriteParameterSection(p.doc->Bytes(), t, p.kind, 0));
}

py::list Choices(const ParameterRef& p) {
    std::vector<std::string> choices;
    {
        ShortCall call;
        CRelayTemplate& t = Checked(p);
        for (int j = 0; j < t.ChoiceCount(p.kind, p.index); ++j)
            choices.push_back(t.Choice(p.kind, p.index, j));
    }
    py::list out;
    for (const std::string& c : choices)
        out.append(p.doc->Decode(c));
    return out;
}

// The selected choice of a combo box (V is its 0-based position) or check box (choice 1 when
// ticked, 2 otherwise); None for other kinds or a position without a choice.
py::object SelectedChoice(const ParameterRef& p) {
    std::string choice;
    bool has = false;
    {
        ShortCall call;
        CRelayTemplate& t = Checked(p);
        const std::string& type = t.Type(p.kind, p.index);
        const float v = t.Value(p.kind, p.index);
        int position = -1;
        if (type == "ComboBox" && v >= 0.0f && v < 1e6f) position = static_cast<int>(v);
        if (type == "CheckBox") position = v > 0.0f ? 0 : 1;
        if (position >= 0 && position < t.ChoiceCount(p.kind, p.index)) {
            choice = t.Choice(p.kind, p.index, position);
            has = true;
        }
    }
    return has ? py::object(p.doc->Decode(choice)) : py::object(py::none());
}

int TableCount(const ParameterTableRef& table) {
    ShortCall call;
    return table.doc->Template().Count(table.kind);
}

ParameterRef At(const ParameterTableRef& table, long long i) {
    const int n = TableCount(table);
    if (i < 0) i += n;
    if (i < 0 || i >= n) throw py::index_error("parameter index out of range");
    return {table.doc, table.kind, static_cast<int>(i)};
}

// The first record with that ID, or -1.
int FindId(const ParameterTableRef& table, const py::str& id) {
    const std::string bytes = table.doc->Encode(id);
    ShortCall call;
    const CRelayTemplate& t = table.doc->Template();
    for (int i = 0; i < t.Count(table.kind); ++i)
        if (t.Id(table.kind, i) == bytes) return i;
    return -1;
}

py::object Evaluate(Document& doc, const py::str& expression) {
    const std::string text = doc.Encode(expression);
    ShortCall call;
    CExpression e;
    CalcOutcome outcome;
    const double value = CalcExpressionText(e, &doc.Template().NameTable(), text, &outcome);
    return MakeEvaluation(value, outcome);
}

py::list ReportFields(Document& doc) {
    std::vector<std::pair<std::string, std::string>> fields;
    {
        ShortCall call;
        const CRelayTemplate& t = doc.Template();
        for (int i = 0; i < t.ReportCount(); ++i)
            fields.emplace_back(t.ReportName(i), t.ReportId(i));
    }
    py::list out;
    for (const auto& [name, id] : fields)
        out.append(MakeRecord("ReportField", doc.Decode(name), doc.Decode(id)));
    return out;
}

template <typename Getter>
auto Header(Getter getter) {
    return [getter](const TemplateRef& r) {
        std::string bytes;
        {
            ShortCall call;
            bytes = getter(r.doc->Template());
        }
        return r.doc->Decode(bytes);
    };
}

std::string TemplateRepr(const TemplateRef& r) {
    std::string name;
    int counts[4] = {};
    {
        ShortCall call;
        const CRelayTemplate& t = r.doc->Template();
        name = t.ProtectiveRelayName();
        counts[0] = t.Count(ParamKind::kSetting);
        counts[1] = t.Count(ParamKind::kCommonParameter);
        counts[2] = t.Count(ParamKind::kBinaryInput);
        counts[3] = t.Zones().Count();
    }
    return "<quorin.Template " + py::repr(r.doc->Decode(name)).cast<std::string>() + ": " +
           std::to_string(counts[0]) + " settings, " + std::to_string(counts[1]) +
           " common parameters, " + std::to_string(counts[2]) + " binary inputs, " +
           std::to_string(counts[3]) + " zones>";
}

}  // namespace

void BindTemplate(py::module_& m) {
    py::class_<ParameterRef>(m, "Parameter",
                             "One record of a template's settings, common parameters or binary "
                             "inputs. Its value can be set; the other fields are as read.")
        .def_property_readonly(
            "kind", [](const ParameterRef& p) { return KindName(p.kind); },
            "\"setting\", \"common_parameter\" or \"binary_input\".")
        .def_readonly("index", &ParameterRef::index, "0-based record number in its table.")
        .def_property_readonly("name", Text(&CRelayTemplate::Name), "Name shown to the user (N).")
        .def_property_readonly("id", Text(&CRelayTemplate::Id),
                               "Identifier expressions name the value by (ID).")
        .def_property_readonly("type", Text(&CRelayTemplate::Type),
                               "Control kind (T): \"Edit\", \"ComboBox\" or \"CheckBox\".")
        .def_property_readonly("unit", Text(&CRelayTemplate::Unit), "Unit of an Edit value (U).")
        .def_property_readonly(
            "decimals",
            [](const ParameterRef& p) {
                ShortCall call;
                return Checked(p).Decimals(p.kind, p.index);
            },
            "Decimals shown for an Edit value (L).")
        .def_property(
            "value",
            [](const ParameterRef& p) {
                ShortCall call;
                return static_cast<double>(Checked(p).Value(p.kind, p.index));
            },
            &SetValue,
            "The value (V): an Edit number, a ComboBox's 0-based choice, above 0 for a ticked "
            "CheckBox. Setting it writes the record's section of the text anew with the template "
            "writer (every other byte stays) and reads the text again, so that expressions, zones "
            "and reports see the new value. A 32-bit float; ValueError when not finite.")
        .def_property_readonly(
            "value_text",
            [](const ParameterRef& p) {
                std::string text;
                {
                    ShortCall call;
                    text = Checked(p).ValueText(p.kind, p.index);
                }
                return p.doc->Decode(text);
            },
            "The value as the template text writes it (L decimals for an Edit value).")
        .def_property_readonly("choices", &Choices, "Choice texts (S), choice 1 first.")
        .def_property_readonly("choice", &SelectedChoice,
                               "The selected choice text of a ComboBox or CheckBox, else None.")
        .def_property_readonly("pva", Text(&CRelayTemplate::Pva), "PVA text of an Edit setting.")
        .def_property_readonly("pvb", Text(&CRelayTemplate::Pvb), "PVB text of an Edit setting.")
        .def_property_readonly("pvc", Text(&CRelayTemplate::Pvc), "PVC text of an Edit setting.")
        .def_property_readonly("re", Text(&CRelayTemplate::Re), "RE text (\"0\" when none).")
        .def_property_readonly("rt", Text(&CRelayTemplate::Rt), "RT text (\"0\" when none).")
        .def_property_readonly("rn", Text(&CRelayTemplate::Rn), "RN text (\"0\" when none).")
        .def("__repr__", [](const ParameterRef& p) {
            py::object self = py::cast(p);
            return "Parameter(kind=" + py::repr(py::str(KindName(p.kind))).cast<std::string>() +
                   ", index=" + std::to_string(p.index) +
                   ", id=" + py::repr(self.attr("id")).cast<std::string>() +
                   ", name=" + py::repr(self.attr("name")).cast<std::string>() +
                   ", value=" + py::repr(self.attr("value")).cast<std::string>() +
                   ", unit=" + py::repr(self.attr("unit")).cast<std::string>() + ")";
        });

    py::class_<ParameterTableRef>(m, "ParameterTable",
                                  "The records of one kind, in template order. Index by position "
                                  "or by ID (the first record with that ID).")
        .def("__len__", &TableCount)
        .def("__getitem__", &At, py::arg("index"))
        .def(
            "__getitem__",
            [](const ParameterTableRef& table, const py::str& id) {
                const int i = FindId(table, id);
                if (i < 0) throw py::key_error(id.cast<std::string>());
                return ParameterRef{table.doc, table.kind, i};
            },
            py::arg("id"))
        .def("__contains__", [](const ParameterTableRef& table,
                                const py::str& id) { return FindId(table, id) >= 0; })
        .def("__iter__",
             [](const ParameterTableRef& table) {
                 py::list records;
                 const int n = TableCount(table);
                 for (int i = 0; i < n; ++i)
                     records.append(ParameterRef{table.doc, table.kind, i});
                 return py::iter(records);
             })
        .def("__repr__", [](const ParameterTableRef& table) {
            return "<quorin.ParameterTable of " + std::to_string(TableCount(table)) + " " +
                   KindName(table.kind) + " records>";
        });

    auto table = [](ParamKind kind) {
        return [kind](const TemplateRef& r) { return ParameterTableRef{r.doc, kind}; };
    };
    py::reinterpret_borrow<py::class_<TemplateRef>>(m.attr("Template"))
        .def_property_readonly(
            "relay_name", Header([](const CRelayTemplate& t) { return t.ProtectiveRelayName(); }),
            "ProtectiveRelayName.")
        .def_property_readonly(
            "property", Header([](const CRelayTemplate& t) { return t.Property(); }), "Property.")
        .def_property_readonly("word_report_name",
                               Header([](const CRelayTemplate& t) { return t.WordReportName(); }),
                               "WordReportName.")
        .def_property_readonly(
            "update",
            [](const TemplateRef& r) {
                ShortCall call;
                return r.doc->Template().Update();
            },
            "Update (1 unless the template sets it).")
        .def_property_readonly("settings", table(ParamKind::kSetting), "The settings.")
        .def_property_readonly("common_parameters", table(ParamKind::kCommonParameter),
                               "The common test parameters.")
        .def_property_readonly("binary_inputs", table(ParamKind::kBinaryInput),
                               "The binary inputs.")
        .def_property_readonly(
            "report_items", [](const TemplateRef& r) { return ReportFields(*r.doc); },
            "The report items, as ReportField(name, id).")
        .def(
            "eval", [](const TemplateRef& r, const py::str& e) { return Evaluate(*r.doc, e); },
            py::arg("expression"),
            "Evaluates an expression over the template's parameter IDs and the keyword "
            "constants. Returns Evaluation(value, status, error_position), as quorin.eval.")
        .def("__repr__", &TemplateRepr);

    py::reinterpret_borrow<py::class_<SequenceRef>>(m.attr("Sequence"))
        .def_property_readonly(
            "template", [](const SequenceRef& r) { return TemplateRef{{r.doc}}; },
            "The sequence's template, as the component read it; setting a value changes the "
            "sequence.")
        .def("__repr__", [](const SequenceRef& r) {
            return "<quorin.Sequence of " + std::to_string(r.doc->Bytes().size()) + " bytes>";
        });
}

}  // namespace quorin::python
