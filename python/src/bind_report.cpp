// Reports: a sequence's report as the quorin commands compose it, XML reports read back, and the
// report written as PDF, PNG pages and XML.
#include <pybind11/stl.h>

#include "frontend/gui_app.h"
#include "frontend/sequence_report.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "python/src/document.h"
#include "python/src/records.h"
#include "report/render/report.h"
#include "report/render/report_output.h"
#include "report/report_xml.h"

namespace quorin::python {
namespace {}  // namespace

CReportSetting LoadReportSettings(const py::object& path) {
    CReportSetting setting;
    if (path.is_none()) {
        ShortCall call;
        setting.Load(DefaultReportSettingPath());
        return setting;
    }
    const std::string name = PathText(path);
    std::string bytes;
    if (!ReadFileBytes(name, bytes)) throw Error("cannot read file '" + name + "'");
    ShortCall call;
    setting.Load(name);
    return setting;
}

namespace {

py::str Text(std::string_view ansi) {
    const std::string utf8 = AnsiToUtf8(ansi);
    return py::reinterpret_steal<py::str>(
        PyUnicode_DecodeUTF8(utf8.data(), static_cast<py::ssize_t>(utf8.size()), "replace"));
}

py::list Lines(const std::vector<std::string>& lines) {
    py::list out;
    for (const std::string& line : lines)
        out.append(Text(line));
    return out;
}

py::object Table(const CReportTable& table) {
    py::list rows;
    for (int r = 0; r < table.rowCount && r < CReport::kMaxTableRows; ++r) {
        py::list row;
        for (size_t c = 0; c < table.columns.size(); ++c)
            row.append(Text(table.CellText(r, static_cast<int>(c))));
        rows.append(row);
    }
    return MakeRecord("ReportTable", Text(table.title), rows);
}

py::object Graph(const CGraph& g) {
    // Shapes are stored in thousandths of the axis unit.
    const auto unit = [](int v) { return v / 1000.0; };
    py::list lines, circles, arcs, points;
    for (const CGraphLine& l : g.lines)
        lines.append(py::make_tuple(unit(l.x1), unit(l.y1), unit(l.x2), unit(l.y2), l.color,
                                    l.drawStyle, l.lineWidth));
    for (const CGraphCircle& c : g.circles)
        circles.append(py::make_tuple(unit(c.centerX), unit(c.centerY), unit(c.radius), c.color,
                                      c.drawStyle, c.lineWidth));
    for (const CGraphArc& a : g.arcs)
        arcs.append(py::make_tuple(unit(a.centerX), unit(a.centerY), unit(a.radius), a.startAngle,
                                   a.sweepAngle, a.color, a.drawStyle, a.lineWidth));
    for (const CGraphPoint& p : g.points)
        points.append(
            MakeRecord("GraphPoint", unit(p.x), unit(p.y), p.drawType, p.pointDia, p.color));
    return MakeRecord("Graph", Text(g.axisType), py::make_tuple(g.xMin, g.xMax),
                      py::make_tuple(g.yMin, g.yMax), Text(g.xAxisName), Text(g.yAxisName),
                      Text(g.picName), lines, circles, arcs, points);
}

py::object Item(const CReportItem& item) {
    py::list tables, graphs;
    for (const CReportTable& t : item.tables)
        tables.append(Table(t));
    for (const CGraph& g : item.graphs)
        graphs.append(Graph(g));
    return MakeRecord("ReportItem", Text(item.title), Lines(item.setLines),
                      Lines(item.testParaLines), Lines(item.inOutLines), tables, graphs,
                      Text(item.result));
}

std::string OptionalPath(const py::object& path) {
    return path.is_none() ? std::string() : PathText(path);
}

// Writes PDF, PNG pages and XML in that order, as quorin report does; the paths written.
py::list Write(ReportRef& report, const py::object& pdf, const py::object& pngDir,
               const py::object& xml) {
    const std::string pdfPath = OptionalPath(pdf), pngPath = OptionalPath(pngDir),
                      xmlPath = OptionalPath(xml);
    if (pdfPath.empty() && pngPath.empty() && xmlPath.empty())
        throw py::value_error("give at least one output: pdf, png_dir or xml");
    std::vector<std::string> written;
    std::string error;
    bool ok = true;
    {
        LongCall call;
        if (!pdfPath.empty() || !pngPath.empty()) {
            EnsureGuiApplication();
            CReport composed(report.setting);
            composed.SetItems(report.items);
            composed.SetExtraHeaderTables(report.extraHeaderTables);
            if (!pdfPath.empty()) {
                ok = RenderReportPdf(composed, pdfPath, &error);
                if (ok) written.push_back(pdfPath);
            }
            if (ok && !pngPath.empty()) ok = RenderReportPngs(composed, pngPath, &written, &error);
        }
        if (ok && !xmlPath.empty()) {
            std::vector<CReportItem> copy = report.items;
            ok = ExportXml(copy, xmlPath, &error);
            if (ok) written.push_back(xmlPath);
        }
    }
    if (!ok) throw Error(error);
    return py::cast(written);
}

ReportRef Import(const py::object& source, const py::object& settings) {
    ReportRef report{{}, {}, LoadReportSettings(settings)};
    std::string error;
    bool ok = false;
    if (py::isinstance<py::bytes>(source) || py::isinstance<py::bytearray>(source) ||
        py::isinstance<py::memoryview>(source)) {
        const std::string bytes = SourceBytes(source);
        LongCall call;
        ok = ImportXmlText(bytes, report.items, &error);
    } else {
        if (!py::isinstance<py::str>(source) && !py::hasattr(source, "__fspath__"))
            throw py::type_error("expected a path (str or os.PathLike) or bytes");
        const std::string path = PathText(source);
        LongCall call;
        ok = ImportXml(path, report.items, &error);
    }
    if (!ok) throw Error(error);
    return report;
}

ReportRef Compose(const SequenceRef& r, const py::object& settings, int chapter) {
    if (chapter < 0 || chapter > 9999) throw py::value_error("chapter must lie in 0..9999");
    CReportSetting setting = LoadReportSettings(settings);
    LongCall call;
    SequenceReport composed = ComposeSequenceReport(*r.doc->Host(), setting, chapter);
    return ReportRef{std::move(composed.items), std::move(composed.extraHeaderTables),
                     std::move(setting)};
}

}  // namespace

void BindReport(py::module_& m) {
    py::class_<ReportRef>(m, "Report",
                          "A report: its items in order (the first is the head, the last closes "
                          "the report), the header tables drawn after those of the settings, and "
                          "the report settings it is drawn with.")
        .def_static("load", &Import, py::arg("source"), py::arg("settings") = py::none(),
                    "Reads an XML report (a path or its bytes), drawn with the report settings "
                    "at settings (an ini file; None: cfg/Report.ini beside the package). Raises "
                    "quorin.Error with the importer's message.")
        .def_property_readonly(
            "items",
            [](const ReportRef& r) {
                py::list out;
                for (const CReportItem& item : r.items)
                    out.append(Item(item));
                return out;
            },
            "The items as ReportItem records (texts converted from the library's code page).")
        .def("__len__", [](const ReportRef& r) { return r.items.size(); })
        .def("write", &Write, py::arg("pdf") = py::none(), py::arg("png_dir") = py::none(),
             py::arg("xml") = py::none(),
             "Writes the report as an A4 PDF, PNG pages (png_dir/page-001.png, ...) and XML, in "
             "that order, each replaced atomically; returns the paths written. ValueError when "
             "no output is given; quorin.Error with the writer's message when one fails.")
        .def(
            "to_xml",
            [](const ReportRef& r) {
                std::string text;
                {
                    LongCall call;
                    std::vector<CReportItem> copy = r.items;
                    text = ExportXmlText(copy);
                }
                return py::bytes(text);
            },
            "The XML report's bytes, as write(xml=...) writes them.")
        .def("__repr__", [](const ReportRef& r) {
            return "<quorin.Report of " + std::to_string(r.items.size()) + " items>";
        });

    auto cls = py::reinterpret_borrow<py::class_<SequenceRef>>(m.attr("Sequence"));
    cls.def("report", &Compose, py::arg("settings") = py::none(), py::arg("chapter") = 0,
            "Composes the sequence's report as quorin report does: the head, the component's "
            "report items numbered from chapter + 1, the template's settings and "
            "characteristic, and a closing entry. settings: a report settings ini file (None: "
            "cfg/Report.ini beside the package).");
}

}  // namespace quorin::python
