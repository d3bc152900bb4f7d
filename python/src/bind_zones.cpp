// Zones of a template: their records, their geometry as drawn, and the characteristic plot.
#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <cmath>

#include "frontend/gui_app.h"
#include "frontend/shot_inputs.h"
#include "frontend/zone_plot.h"
#include "graphs/characteristic_plot.h"
#include "python/src/document.h"
#include "python/src/records.h"
#include "zones/zone_region.h"

namespace quorin::python {
namespace {

struct ZoneRef {
    DocumentPtr doc;
    int slot;
};

// A zone's record and the zone as the plot draws it, read under the library lock.
struct ZoneData {
    CZone zone;
    CharacteristicZone drawn;
};

ZoneData Data(const ZoneRef& z) {
    ShortCall call;
    CRelayTemplate& t = z.doc->Template();
    const CZoneTable& zones = t.Zones();
    if (z.slot < 1 || z.slot > zones.Count())
        throw py::index_error("zone " + std::to_string(z.slot) + " no longer exists");
    CharacteristicPlot plot = ZonesToCharacteristicPlot(zones, std::string(), &t);
    return {zones.Zone(z.slot), std::move(plot.zones[static_cast<size_t>(z.slot - 1)])};
}

py::tuple Point(double r, double x) {
    return py::make_tuple(r + 0.0, x + 0.0);  // no -0.0 from mirrored zeros
}

const char* KindName(int kind) {
    return kind == kZoneCircle ? "circle" : kind == kZoneLens ? "lens" : "shapes";
}

const char* PenStyleName(int style) {
    static const char* const kNames[] = {"solid", "dash", "dot", "dash-dot", "dash-dot-dot"};
    return style >= 0 && style < 5 ? kNames[style] : "solid";
}

py::object Piece(const ZoneSegment& s) {
    if (s.type == ZoneSegment::Type::kLine)
        return MakeRecord("Line", Point(s.from.r, s.from.x), Point(s.to.r, s.to.x));
    return MakeRecord("Arc", Point(s.center.r, s.center.x), s.radius, s.startAngle, s.endAngle,
                      s.clockwise);
}

py::object BoxOf(const RxExtents& e) {
    if (e.empty) return py::none();
    return MakeRecord("Box", e.rMin, e.rMax, e.xMin, e.xMax);
}

py::list Corners(const ZoneRef& z) {
    const ZoneData d = Data(z);
    const double sign = d.zone.invert != 0 ? -1.0 : 1.0;
    py::list out;
    if (d.zone.kind != kZoneShapes) return out;
    for (int j = 0; j < d.zone.shapeCount; ++j) {
        const CZoneShape& s = d.zone.shapes[static_cast<size_t>(j)];
        if (s.cornerFound && std::isfinite(s.cornerX) && std::isfinite(s.cornerY))
            out.append(Point(sign * s.cornerX, sign * s.cornerY));
    }
    return out;
}

py::list Boundary(const ZoneRef& z, bool arcsOnly) {
    const ZoneData d = Data(z);
    py::list out;
    for (const ZoneSegment& s : ZonePieces(d.drawn))
        if (!arcsOnly || s.type == ZoneSegment::Type::kArc) out.append(Piece(s));
    return out;
}

py::list Outline(const ZoneRef& z, double step) {
    if (!(step > 0.0)) throw py::value_error("step_degrees must be above 0");
    const ZoneData d = Data(z);
    py::list out;
    for (const std::vector<RxPoint>& line : ZoneOutline(d.drawn, step)) {
        py::array_t<double> a({static_cast<py::ssize_t>(line.size()), py::ssize_t{2}});
        auto v = a.mutable_unchecked<2>();
        for (size_t i = 0; i < line.size(); ++i) {
            v(static_cast<py::ssize_t>(i), 0) = line[i].r;
            v(static_cast<py::ssize_t>(i), 1) = line[i].x;
        }
        out.append(a);
    }
    return out;
}

void Plot(const TemplateRef& r, const py::object& path, int width, int height,
          const py::object& title) {
    const std::string name = PathText(path);
    const bool ownTitle = !title.is_none();
    const std::string titleBytes = ownTitle ? r.doc->Encode(title) : std::string();
    std::string error;
    bool ok = false;
    {
        LongCall call;
        EnsureGuiApplication();
        CRelayTemplate& t = r.doc->Template();
        const CharacteristicPlot plot = ZonesToCharacteristicPlot(
            t.Zones(), ownTitle ? titleBytes : t.ProtectiveRelayName(), &t);
        ok = RenderCharacteristicPlot(plot, name, QSize(width, height), &error);
    }
    if (!ok) throw Error(error);
}

// The zone as a region, made under the library lock (arc ends are evaluated by the template).
CZoneRegion Region(const ZoneRef& z) {
    ShortCall call;
    CRelayTemplate& t = z.doc->Template();
    if (z.slot < 1 || z.slot > t.Zones().Count())
        throw py::index_error("zone " + std::to_string(z.slot) + " no longer exists");
    return CZoneRegion(t.Zones().Zone(z.slot), &t);
}

const char* StateName(ZoneState state) {
    return state == ZoneState::kIn ? "in" : state == ZoneState::kBand ? "band" : "out";
}

// A query at points (r, x): Python numbers give one answer, arrays (or anything numpy takes)
// broadcast against each other give an array of answers of their shape. The loop runs without
// the GIL and without the library lock: the region is the call's own.
template <typename T, typename Query>
py::object PointQuery(const py::object& r, const py::object& x, Query query) {
    py::module_ np = py::module_::import("numpy");
    const bool scalar = !py::isinstance<py::array>(r) && !py::isinstance<py::array>(x) &&
                        !py::isinstance<py::sequence>(r) && !py::isinstance<py::sequence>(x);
    if (scalar) return py::cast(query(r.cast<double>(), x.cast<double>()));
    py::tuple both = np.attr("broadcast_arrays")(np.attr("asarray")(r, "float64"),
                                                 np.attr("asarray")(x, "float64"));
    using Input = py::array_t<double, py::array::c_style | py::array::forcecast>;
    const Input rs = Input::ensure(both[0]), xs = Input::ensure(both[1]);
    if (!rs || !xs) throw py::type_error("r and x must be numbers or arrays of numbers");
    py::array_t<T> out(std::vector<py::ssize_t>(rs.shape(), rs.shape() + rs.ndim()));
    const double* pr = rs.data();
    const double* px = xs.data();
    T* po = out.mutable_data();
    const py::ssize_t n = rs.size();
    {
        py::gil_scoped_release release;
        for (py::ssize_t i = 0; i < n; ++i)
            po[i] = query(pr[i], px[i]);
    }
    return out;
}

// A property of the zones of one kind: None for the others.
template <typename Value>
auto OfKind(int kind, Value value) {
    return [kind, value](const ZoneRef& z) -> py::object {
        const ZoneData d = Data(z);
        if (d.zone.kind != kind) return py::none();
        return value(d);
    };
}

// contains and on_boundary: a yes/no question to the zone's region at points (r, x).
auto RegionTest(bool (CZoneRegion::*test)(double, double) const) {
    return [test](const ZoneRef& z, const py::object& r, const py::object& x) {
        const CZoneRegion region = Region(z);
        return PointQuery<bool>(r, x, [&](double pr, double px) { return (region.*test)(pr, px); });
    };
}

ImpedanceTolerance Tolerance(const std::string& text) {
    ImpedanceTolerance tolerance;
    if (!ParseTolerancePair(text, tolerance.relative, tolerance.absolute))
        throw py::value_error("tolerance " + text + ": write it as REL%,ABS, for example 5%,0.05");
    return tolerance;
}

py::object Crossings(const ZoneRef& z, const py::object& angle) {
    const CZoneRegion region = Region(z);
    auto along = [&region](double degrees) {
        const double a = degrees * 3.14159265358979323846 / 180.0;
        return region.Crossings(std::cos(a), std::sin(a));
    };
    if (!py::isinstance<py::array>(angle) && !py::isinstance<py::sequence>(angle))
        return py::cast(along(angle.cast<double>()));
    py::list out;
    for (const py::handle a : py::module_::import("numpy").attr("ravel")(angle)) {
        const std::vector<double> d = along(a.cast<double>());
        out.append(py::array_t<double>(static_cast<py::ssize_t>(d.size()), d.data()));
    }
    return out;
}

}  // namespace

void BindZones(py::module_& m) {
    py::class_<ZoneRef>(m, "Zone",
                        "One characteristic zone of a template. Geometry is in ohms and degrees "
                        "as drawn: an inverted zone mirrored through the origin.")
        .def_readonly("slot", &ZoneRef::slot, "1-based slot in the template's zone table.")
        .def_property_readonly(
            "index", [](const ZoneRef& z) { return Data(z).zone.index; }, "INDEX.")
        .def_property_readonly(
            "loop", [](const ZoneRef& z) { return z.doc->Decode(Data(z).zone.faultLoop); },
            "FAULTLOOP: \"LN\", \"LL\" or \"ALL\".")
        .def_property_readonly(
            "label", [](const ZoneRef& z) { return z.doc->Decode(Data(z).zone.label); }, "LABEL.")
        .def_property_readonly(
            "inverted", [](const ZoneRef& z) { return Data(z).zone.invert != 0; },
            "INVERT not 0: the zone is mirrored through the origin (a reverse zone).")
        .def_property_readonly(
            "kind", [](const ZoneRef& z) { return KindName(Data(z).zone.kind); },
            "\"shapes\" (lines and arcs), \"circle\" or \"lens\".")
        .def_property_readonly(
            "line_style",
            [](const ZoneRef& z) {
                const ZoneData d = Data(z);
                const int c = ZoneColor(d.drawn);
                char color[8];
                std::snprintf(color, sizeof color, "#%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF,
                              (c >> 16) & 0xFF);
                return MakeRecord("LineStyle", std::string(color), PenStyleName(d.drawn.penStyle),
                                  d.drawn.lineWidth);
            },
            "LineStyle(color, style, width) of the zone in the characteristic plot.")
        .def_property_readonly("corners", &Corners,
                               "Where consecutive shapes meet, (R, X) in boundary order; empty "
                               "for circles and lenses.")
        .def_property_readonly(
            "boundary", [](const ZoneRef& z) { return Boundary(z, false); },
            "The boundary as drawn, in order: Line and Arc pieces (a circle is one whole Arc, a "
            "lens two).")
        .def_property_readonly(
            "arcs", [](const ZoneRef& z) { return Boundary(z, true); },
            "The Arc pieces of the boundary.")
        .def_property_readonly(
            "box", [](const ZoneRef& z) { return BoxOf(ZoneExtents(Data(z).drawn)); },
            "Box of the zone as drawn, arcs included; None when nothing is drawn.")
        .def_property_readonly("circle",
                               OfKind(kZoneCircle,
                                      [](const ZoneData& d) {
                                          const double s = d.zone.invert != 0 ? -1.0 : 1.0;
                                          return py::make_tuple(Point(s * d.drawn.circleCenter.r,
                                                                      s * d.drawn.circleCenter.x),
                                                                d.drawn.circleRadius);
                                      }),
                               "(center, radius) of a circle zone, else None.")
        .def_property_readonly(
            "lens",
            OfKind(kZoneLens,
                   [](const ZoneData& d) {
                       const LensValues& v = d.drawn.lens;
                       return py::make_tuple(v[0], v[1], v[2], v[3], v[4]);
                   }),
            "The five LENS values (forward reach, angle, width ratio, reverse reach, fifth) of a "
            "lens zone, else None.")
        .def("contains", RegionTest(&CZoneRegion::Contains), py::arg("r"), py::arg("x"),
             "Whether the zone (boundary included, exact on arcs) holds the point (r, x), ohms. "
             "With arrays of R and X (broadcast against each other) a bool array of their shape.")
        .def("on_boundary", RegionTest(&CZoneRegion::OnBoundary), py::arg("r"), py::arg("x"),
             "Whether (r, x) lies on the boundary (within a millionth of the zone's size); arrays "
             "as for contains.")
        .def(
            "state",
            [](const ZoneRef& z, const py::object& r, const py::object& x,
               const std::string& tolerance) -> py::object {
                const ImpedanceTolerance band = Tolerance(tolerance);
                const CZoneRegion region = Region(z);
                py::object codes = PointQuery<int8_t>(r, x, [&](double pr, double px) {
                    return static_cast<int8_t>(region.State(pr, px, band));
                });
                if (!py::isinstance<py::array>(codes))
                    return py::str(StateName(static_cast<ZoneState>(codes.cast<int>())));
                py::array names = py::module_::import("numpy").attr("array")(
                    py::make_tuple(StateName(ZoneState::kOut), StateName(ZoneState::kIn),
                                   StateName(ZoneState::kBand)));
                return names.attr("__getitem__")(codes);
            },
            py::arg("r"), py::arg("x"), py::arg("tolerance") = "5%,0.05",
            "\"band\" when |Z| lies within max(REL*d, ABS) ohms of a crossing d of the search "
            "line through the point, else \"in\" or \"out\"; tolerance as \"REL%,ABS\". Arrays "
            "give an array of these texts.")
        .def("crossings", &Crossings, py::arg("angle"),
             "The distances (ohms, ascending) at which the search line from the origin at angle "
             "degrees enters or leaves the zone. An array of angles gives a list of arrays.")
        .def("outline", &Outline, py::arg("step_degrees") = 2.0,
             "The boundary as polylines, one (n, 2) array of (R, X) per piece, arcs sampled at "
             "most step_degrees apart (0.1 to 45).")
        .def("__repr__", [](const ZoneRef& z) {
            const ZoneData d = Data(z);
            return "<quorin.Zone " + std::to_string(z.slot) + " " +
                   py::repr(z.doc->Decode(d.zone.label)).cast<std::string>() + " index " +
                   std::to_string(d.zone.index) + " " + KindName(d.zone.kind) + ">";
        });

    auto cls = py::reinterpret_borrow<py::class_<TemplateRef>>(m.attr("Template"));
    cls.def_property_readonly(
           "zones",
           [](const TemplateRef& r) {
               int count = 0;
               {
                   ShortCall call;
                   count = r.doc->Template().Zones().Count();
               }
               py::list out;
               for (int slot = 1; slot <= count; ++slot)
                   out.append(ZoneRef{r.doc, slot});
               return out;
           },
           "The characteristic zones, in the order read.")
        .def_property_readonly(
            "box",
            [](const TemplateRef& r) {
                ShortCall call;
                const CZoneBox& b = r.doc->Template().Zones().Box();
                return MakeRecord("Box", b.rMin, b.rMax, b.xMin, b.xMax);
            },
            "The box of all zones as the template reader computed it (-1, 1, -1, 1 without "
            "zones).")
        .def("plot", &Plot, py::arg("path"), py::arg("width") = 900, py::arg("height") = 700,
             py::arg("title") = py::none(),
             "Draws the zones in the impedance plane to path: .png (width x height pixels), .svg "
             "or .pdf (points), replaced atomically. The title defaults to the relay's name. "
             "Raises quorin.Error with the plotter's message (size outside 1..20000, unknown "
             "file type, cannot write).");
}

}  // namespace quorin::python
