// Test points and their assessment against a template's characteristic: what quorin shots and
// quorin assess do, with lists and NumPy arrays in and out.
#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <cmath>
#include <map>
#include <memory>

#include "frontend/gui_app.h"
#include "frontend/shot_inputs.h"
#include "frontend/zone_plot.h"
#include "platform/numtext.h"
#include "python/src/document.h"
#include "python/src/records.h"
#include "report/render/assessment_report.h"
#include "report/render/points_csv.h"
#include "report/render/result_assessment.h"
#include "report/render/shot_assessment.h"

namespace quorin::python {

namespace {

// The model of a template's zones with its times and tolerances; the template (kept alive by
// the document) evaluates zone fields for it.
struct Model {
    DocumentPtr doc;
    std::unique_ptr<CShotModel> model;
};

// "REL%,ABS" into relative and absolute; ValueError worded as the commands word it.
void Tolerance(const std::string& text, const char* what, const char* example, double& relative,
               double& absolute) {
    if (!ParseTolerancePair(text, relative, absolute))
        throw py::value_error(std::string(what) + " " + text +
                              ": write it as REL%,ABS, for example " + example);
}

// times: None, {index: expression or seconds}, or "INDEX=EXPR" texts.
std::vector<std::string> TimeTexts(const py::object& times) {
    std::vector<std::string> out;
    if (times.is_none()) return out;
    if (py::isinstance<py::dict>(times)) {
        for (const auto& [index, value] : times.cast<py::dict>())
            out.push_back(py::str(index).cast<std::string>() + "=" +
                          (py::isinstance<py::str>(value)
                               ? value.cast<std::string>()
                               : CFormat("%.17g", value.cast<double>())));
        return out;
    }
    if (py::isinstance<py::str>(times)) return {times.cast<std::string>()};
    for (const py::handle t : times)
        out.push_back(t.cast<std::string>());
    return out;
}

Model MakeModel(const TemplateRef& r, const py::object& times, const std::string& tolerance,
                const std::string& timeTolerance) {
    ImpedanceTolerance impedance;
    TimeTolerance time;
    Tolerance(tolerance, "tolerance", "5%,0.05", impedance.relative, impedance.absolute);
    Tolerance(timeTolerance, "time_tolerance", "5%,0.010", time.relative, time.absolute);
    const std::vector<std::string> texts = TimeTexts(times);
    ShortCall call;
    CRelayTemplate& t = r.doc->Template();
    std::map<int, double> seconds;
    for (const std::string& given : texts) {
        std::string error;
        if (!ParseZoneTime(t, given, seconds, error))
            throw py::value_error(error.rfind("--", 0) == 0 ? error.substr(2) : error);
    }
    return {r.doc, std::make_unique<CShotModel>(t.Zones(), &t, seconds, impedance, time)};
}

std::vector<FaultLoop> Loops(const py::object& loops) {
    std::vector<std::string> names;
    if (py::isinstance<py::str>(loops)) {
        std::string text = loops.cast<std::string>();
        for (size_t begin = 0;;) {
            const size_t comma = text.find(',', begin);
            names.push_back(text.substr(begin, comma - begin));
            if (comma == std::string::npos) break;
            begin = comma + 1;
        }
    } else {
        for (const py::handle l : loops)
            names.push_back(l.cast<std::string>());
    }
    std::vector<FaultLoop> out;
    for (const std::string& name : names) {
        FaultLoop loop;
        if (!ParseFaultLoop(name, loop)) throw py::value_error("loop " + name + ": use LN or LL");
        out.push_back(loop);
    }
    return out;
}

std::vector<double> Angles(const py::object& angles) {
    std::vector<double> out;
    if (py::isinstance<py::str>(angles)) {
        if (!ParseAngles(angles.cast<std::string>(), out))
            throw py::value_error("angles " + angles.cast<std::string>() +
                                  ": write FROM:TO:STEP or a list A,B,...");
        return out;
    }
    for (const py::handle a : py::module_::import("numpy").attr("ravel")(angles)) {
        const double v = a.cast<double>();
        if (!std::isfinite(v)) throw py::value_error("angles must be finite");
        out.push_back(v);
    }
    return out;
}

py::object Optional(const std::optional<double>& value) {
    return value ? py::object(py::float_(*value)) : py::object(py::none());
}

py::object ZoneLabel(const Document& doc, const AssessedZone* zone) {
    return zone ? py::object(doc.Decode(zone->label)) : py::object(py::none());
}

// Both forms of the shots: records, or the CSV text quorin shots writes.
py::object Shots(const TemplateRef& r, const py::object& loops, const py::object& angles,
                 const py::object& zones, const py::object& times, const std::string& tolerance,
                 bool csv) {
    const std::vector<FaultLoop> loopList = Loops(loops);
    const std::vector<double> angleList = Angles(angles);
    const std::vector<int> indexes =
        zones.is_none() ? std::vector<int>() : zones.cast<std::vector<int>>();
    Model m = MakeModel(r, times, tolerance, "5%,0.010");
    for (int index : indexes)
        if (!m.model->HasIndex(index))
            throw py::value_error("zones: no zone has the index " + std::to_string(index));
    std::vector<GeneratedShot> shots;
    std::string text;
    {
        LongCall call;
        shots = GenerateShots(*m.model, loopList, angleList, indexes);
        if (csv) text = WriteShotsCsv(shots);
    }
    if (csv) return py::str(text);
    py::list out;
    for (const GeneratedShot& s : shots)
        out.append(MakeRecord("Shot", FaultLoopName(s.shot.loop), s.shot.r, s.shot.x, py::none(),
                              ZoneLabel(*r.doc, s.zone), s.angle,
                              ZoneLabel(*r.doc, s.expectation.zone),
                              Optional(s.expectation.Time())));
    return out;
}

struct Assessment {
    Model model;
    PointsTable table;
    std::vector<AssessedPoint> points;
};

void AddRow(PointsTable& table, FaultLoop loop, double r, double x, std::optional<double> t) {
    if (!std::isfinite(r) || !std::isfinite(x))
        throw py::value_error("r and x must be finite numbers");
    if (t && (!std::isfinite(*t) || *t < 0.0))
        throw py::value_error("a measured time must be a finite number of seconds, 0 or more");
    table.shots.push_back(TestShot{loop, r, x, t});
    table.fields.push_back({FaultLoopName(loop), CFormat("%.6f", r), CFormat("%.6f", x),
                            t ? CFormat("%.6f", *t) : std::string()});
}

std::optional<double> Measured(const py::handle& value) {
    if (value.is_none()) return std::nullopt;
    const double t = value.cast<double>();
    if (std::isnan(t)) return std::nullopt;
    return t;
}

// The points of an assessment: a points file (path or bytes), records (loop, r, x,
// measured_time, ...), or arrays r and x with loop and measured (NaN: no trip).
PointsTable Points(const py::object& points, const py::object& r, const py::object& x,
                   const py::object& loop, const py::object& measured) {
    PointsTable table;
    if (!points.is_none() &&
        (py::isinstance<py::str>(points) || py::isinstance<py::bytes>(points) ||
         py::isinstance<py::bytearray>(points) || py::hasattr(points, "__fspath__"))) {
        const bool named =
            !py::isinstance<py::bytes>(points) && !py::isinstance<py::bytearray>(points);
        const std::string name = named ? PathText(points) : std::string("<bytes>");
        const std::string bytes = SourceBytes(points);
        std::string error;
        if (!ReadPointsCsv(bytes, name, table, error)) throw Error(error);
        return table;
    }
    table.columns = {"loop", "r_ohm", "x_ohm", "measured_time_s"};
    if (!points.is_none()) {
        for (const py::handle row : points) {
            const py::sequence p = py::reinterpret_borrow<py::sequence>(row);
            if (p.size() < 3) throw py::value_error("a point is (loop, r, x[, measured_time])");
            AddRow(table, Loops(p[0]).at(0), p[1].cast<double>(), p[2].cast<double>(),
                   p.size() > 3 ? Measured(p[3]) : std::nullopt);
        }
        return table;
    }
    if (r.is_none() || x.is_none()) throw py::type_error("give points, or arrays r and x");
    py::module_ np = py::module_::import("numpy");
    const py::array_t<double> rs = np.attr("ravel")(np.attr("asarray")(r, "float64"));
    const py::array_t<double> xs = np.attr("ravel")(np.attr("asarray")(x, "float64"));
    const py::ssize_t n = rs.size();
    if (xs.size() != n) throw py::value_error("r and x must have the same length");
    const bool oneLoop = py::isinstance<py::str>(loop);
    const py::list loops = oneLoop ? py::list() : py::list(np.attr("ravel")(loop).attr("tolist")());
    const std::vector<FaultLoop> single = oneLoop ? Loops(loop) : std::vector<FaultLoop>();
    if (oneLoop && single.size() != 1) throw py::value_error("loop: give LN or LL");
    if (!oneLoop && static_cast<py::ssize_t>(loops.size()) != n)
        throw py::value_error("loop must be one text or one per point");
    py::array_t<double> ms;
    if (!measured.is_none()) {
        ms = np.attr("ravel")(np.attr("asarray")(measured, "float64"));
        if (ms.size() != n) throw py::value_error("measured must have one time per point");
    }
    const auto rv = rs.unchecked<1>(), xv = xs.unchecked<1>();
    for (py::ssize_t i = 0; i < n; ++i) {
        std::optional<double> t;
        if (!measured.is_none() && !std::isnan(ms.at(i))) t = ms.at(i);
        AddRow(table, oneLoop ? single[0] : Loops(loops[static_cast<size_t>(i)]).at(0), rv(i),
               xv(i), t);
    }
    return table;
}

std::unique_ptr<Assessment> Assess(const TemplateRef& r, const py::object& points,
                                   const py::object& rs, const py::object& xs,
                                   const py::object& loop, const py::object& measured,
                                   const py::object& times, const std::string& tolerance,
                                   const std::string& timeTolerance) {
    auto a = std::make_unique<Assessment>();
    a->model = MakeModel(r, times, tolerance, timeTolerance);
    a->table = Points(points, rs, xs, loop, measured);
    {
        py::gil_scoped_release release;
        a->points = AssessShots(*a->model.model, a->table.shots);
    }
    return a;
}

CharacteristicPlot Characteristic(Document& doc) {
    CRelayTemplate& t = doc.Template();
    return ZonesToCharacteristicPlot(t.Zones(), t.ProtectiveRelayName(), &t);
}

}  // namespace

void BindShots(py::module_& m) {
    auto cls = py::reinterpret_borrow<py::class_<TemplateRef>>(m.attr("Template"));
    const char* shotsDoc =
        "Test points around the zone boundaries, as quorin shots makes them: for each zone "
        "(zones: indexes, None for all), loop it applies to (loops: \"LN,LL\" or a list) and "
        "search-line angle (angles: \"FROM:TO:STEP\", \"A,B,...\", a list or an array), two "
        "points at |Z| = d -+ 2*band(d) around each crossing d. times: {index: expression or "
        "seconds} or \"INDEX=EXPR\" texts; tolerance \"REL%,ABS\". ValueError for a bad "
        "argument, with the command's message.";
    for (const bool csv : {false, true}) {
        cls.def(
            csv ? "shots_csv" : "shots",
            [csv](const TemplateRef& r, const py::object& loops, const py::object& angles,
                  const py::object& zones, const py::object& times, const std::string& tolerance) {
                return Shots(r, loops, angles, zones, times, tolerance, csv);
            },
            py::arg("loops") = "LN,LL", py::arg("angles") = "0:180:15",
            py::arg("zones") = py::none(), py::arg("times") = py::none(),
            py::arg("tolerance") = "5%,0.05",
            (std::string(shotsDoc) + (csv ? " Returns the points file quorin shots writes."
                                          : " Returns Shot records (measured_time None)."))
                .c_str());
    }

    py::class_<Assessment>(m, "Assessment",
                           "Test points judged against the characteristic, as quorin assess "
                           "judges them.")
        .def_property_readonly(
            "points",
            [](const Assessment& a) {
                const Document& doc = *a.model.doc;
                py::list out;
                for (const AssessedPoint& p : a.points)
                    out.append(MakeRecord("AssessedPoint", FaultLoopName(p.shot.loop), p.shot.r,
                                          p.shot.x, Optional(p.shot.measured),
                                          ZoneLabel(doc, p.expectation.zone),
                                          Optional(p.expectation.Time()), VerdictName(p.verdict)));
                return out;
            },
            "AssessedPoint records, in the order given.")
        .def_property_readonly(
            "verdict_codes",
            [](const Assessment& a) {
                py::array_t<int8_t> codes(static_cast<py::ssize_t>(a.points.size()));
                int8_t* c = codes.mutable_data();
                for (size_t i = 0; i < a.points.size(); ++i)
                    c[i] = a.points[i].verdict == Verdict::kPass   ? 1
                           : a.points[i].verdict == Verdict::kFail ? 0
                                                                   : -1;
                return codes;
            },
            "The verdicts as an int8 array: 1 pass, 0 fail, -1 not assessed.")
        .def_property_readonly(
            "result", [](const Assessment& a) { return ResultString(a.points); },
            "The result string, one character per point: \"1\" pass, \"0\" fail, \"-\" not "
            "assessed.")
        .def_property_readonly(
            "summary",
            [](const Assessment& a) {
                const ResultAssessment s = AssessResult(ResultString(a.points));
                py::dict out;
                out["pass"] = s.passed;
                out["fail"] = s.failed;
                out["not-assessed"] = s.notAssessed;
                return out;
            },
            "Counts of the verdicts: {\"pass\": n, \"fail\": n, \"not-assessed\": n}.")
        .def(
            "to_csv",
            [](const Assessment& a) {
                std::string csv;
                {
                    py::gil_scoped_release release;
                    csv = WriteAssessedCsv(a.table, a.points);
                }
                return csv;
            },
            "The assessed points file quorin assess writes: the columns read, then "
            "expected_zone, expected_time_s and verdict.")
        .def(
            "report",
            [](const Assessment& a, const py::object& settings) {
                CReportSetting setting = LoadReportSettings(settings);
                std::vector<CReportItem> items(1);
                {
                    LongCall call;
                    EnsureGuiApplication();
                    CRelayTemplate& t = a.model.doc->Template();
                    if (setting.Header(HeaderValue::kDeviceName).empty())
                        setting.SetHeader(HeaderValue::kDeviceName, t.ProtectiveRelayName());
                    items[0].title = setting.Header(HeaderValue::kReportTitle);
                    items.push_back(AssessmentReportItem(
                        "1.  Test points against the characteristic - " + t.ProtectiveRelayName(),
                        *a.model.model, a.points, Characteristic(*a.model.doc)));
                    items.emplace_back().title = "End of report";
                }
                return ReportRef{std::move(items), {}, std::move(setting)};
            },
            py::arg("settings") = py::none(),
            "The assessment's report as quorin assess composes it (head, the assessment item "
            "with its table, plot and result string, closing entry); write it with "
            "Report.write.")
        .def(
            "plot",
            [](const Assessment& a, const py::object& path, int width, int height) {
                const std::string name = PathText(path);
                std::string error;
                bool ok = false;
                {
                    LongCall call;
                    EnsureGuiApplication();
                    ok = RenderCharacteristicPlot(
                        AssessmentPlot(Characteristic(*a.model.doc), a.points), name,
                        QSize(width, height), &error);
                }
                if (!ok) throw Error(error);
            },
            py::arg("path"), py::arg("width") = 900, py::arg("height") = 700,
            "Draws the characteristic with the points (pass green circle, fail red cross, not "
            "assessed black square) to a .png, .svg or .pdf file.")
        .def("__len__", [](const Assessment& a) { return a.points.size(); })
        .def("__repr__", [](const Assessment& a) {
            const ResultAssessment s = AssessResult(ResultString(a.points));
            return "<quorin.Assessment of " + std::to_string(a.points.size()) +
                   " points: " + std::to_string(s.passed) + " pass, " + std::to_string(s.failed) +
                   " fail, " + std::to_string(s.notAssessed) + " not assessed>";
        });
    cls.def("assess", &Assess, py::arg("points") = py::none(), py::kw_only(),
            py::arg("r") = py::none(), py::arg("x") = py::none(), py::arg("loop") = "LN",
            py::arg("measured") = py::none(), py::arg("times") = py::none(),
            py::arg("tolerance") = "5%,0.05", py::arg("time_tolerance") = "5%,0.010",
            "Judges measured trip times against the characteristic, as quorin assess does. "
            "points: a points file (path or bytes; quorin.Error \"FILE:LINE: ...\" when it is "
            "malformed) or records (loop, r, x[, measured_time]) such as Shot; or the arrays r "
            "and x with loop (one text or one per point) and measured (seconds, NaN or None: "
            "no trip). times, tolerance and time_tolerance as for shots. The assessment runs "
            "without the GIL.");
}

}  // namespace quorin::python
