"""Type stubs of the quorin package."""

import os
from typing import (
    Any,
    Iterable,
    Iterator,
    Mapping,
    NamedTuple,
    Optional,
    Sequence as _Sequence,
    Tuple,
    Union,
    overload,
)

import numpy as np
import numpy.typing as npt

__version__: str

Source = Union[str, os.PathLike[str], bytes, bytearray, memoryview]
PathArg = Union[str, os.PathLike[str]]
Point = Tuple[float, float]
Times = Union[Mapping[int, Union[str, float]], str, Iterable[str], None]

class Error(Exception):
    """A failure of the Quorin library, with its English message."""

class Evaluation(NamedTuple):
    """Value, evaluator status and the position where a syntax error stopped the parse."""

    value: float
    status: int
    error_position: int

class ReportField(NamedTuple):
    """One report item of a template: name (N) and identifier (ID)."""

    name: str
    id: str

class Box(NamedTuple):
    """Extents in the impedance plane, ohms."""

    r_min: float
    r_max: float
    x_min: float
    x_max: float

class LineStyle(NamedTuple):
    """Colour "#RRGGBB", pen style and width of a zone in the characteristic plot."""

    color: str
    style: str
    width: int

class Line(NamedTuple):
    """A straight boundary piece, (R, X) ohms."""

    start: Point
    end: Point

class Arc(NamedTuple):
    """A boundary piece on a circle, angles in degrees, counter-clockwise unless clockwise."""

    center: Point
    radius: float
    start_angle: float
    end_angle: float
    clockwise: bool

class Shot(NamedTuple):
    """A test point around a zone boundary, ready to be measured."""

    loop: str
    r: float
    x: float
    measured_time: Optional[float]
    zone: Optional[str]
    angle: float
    expected_zone: Optional[str]
    expected_time: Optional[float]

class AssessedPoint(NamedTuple):
    """A judged test point."""

    loop: str
    r: float
    x: float
    measured_time: Optional[float]
    expected_zone: Optional[str]
    expected_time: Optional[float]
    verdict: str

class ItemParameter(NamedTuple):
    """A parameter of a test item: number, name, result and requirements."""

    number: int
    name: str
    value: str
    require: str

class TestItem(NamedTuple):
    """One of the component's own test items."""

    index: int
    title: str
    parameters: list[ItemParameter]

class ReportTable(NamedTuple):
    """A table of a report item: title and rows of cell texts."""

    title: str
    rows: list[list[str]]

class GraphPoint(NamedTuple):
    """A point of a report graph in axis units, with marker, diameter and colour."""

    x: float
    y: float
    marker: int
    diameter: int
    color: int

class Graph(NamedTuple):
    """A graph of a report item: axes and shapes in axis units."""

    axis_type: str
    x_range: Tuple[float, float]
    y_range: Tuple[float, float]
    x_axis_name: str
    y_axis_name: str
    picture: str
    lines: list[Tuple[float, float, float, float, int, int, int]]
    circles: list[Tuple[float, float, float, int, int, int]]
    arcs: list[Tuple[float, float, float, float, float, int, int, int]]
    points: list[GraphPoint]

class ReportItem(NamedTuple):
    """One report item: title, text lines, tables, graphs and result string."""

    title: str
    setting_lines: list[str]
    parameter_lines: list[str]
    io_lines: list[str]
    tables: list[ReportTable]
    graphs: list[Graph]
    result: str

def eval(expression: str) -> Evaluation:
    """Evaluates an expression over the keyword constants."""

class Parameter:
    """One setting, common parameter or binary input; its value can be set."""

    @property
    def kind(self) -> str:
        """"setting", "common_parameter" or "binary_input"."""
    @property
    def index(self) -> int:
        """0-based record number in its table."""
    @property
    def name(self) -> str:
        """Name shown to the user (N)."""
    @property
    def id(self) -> str:
        """Identifier expressions name the value by (ID)."""
    @property
    def type(self) -> str:
        """Control kind (T): "Edit", "ComboBox" or "CheckBox"."""
    @property
    def unit(self) -> str:
        """Unit of an Edit value (U)."""
    @property
    def decimals(self) -> int:
        """Decimals shown for an Edit value (L)."""
    @property
    def value(self) -> float:
        """The value (V); setting it rewrites its section and reads the text again."""
    @value.setter
    def value(self, value: float) -> None: ...
    @property
    def value_text(self) -> str:
        """The value as the template text writes it."""
    @property
    def choices(self) -> list[str]:
        """Choice texts (S), choice 1 first."""
    @property
    def choice(self) -> Optional[str]:
        """The selected choice of a ComboBox or CheckBox, else None."""
    @property
    def pva(self) -> str:
        """PVA text of an Edit setting."""
    @property
    def pvb(self) -> str:
        """PVB text of an Edit setting."""
    @property
    def pvc(self) -> str:
        """PVC text of an Edit setting."""
    @property
    def re(self) -> str:
        """RE text."""
    @property
    def rt(self) -> str:
        """RT text."""
    @property
    def rn(self) -> str:
        """RN text."""

class ParameterTable(_Sequence[Parameter]):
    """The records of one kind, indexed by position or by ID."""

    def __len__(self) -> int: ...
    def __getitem__(self, key: Union[int, str]) -> Parameter: ...  # type: ignore[override]
    def __contains__(self, id: object) -> bool: ...
    def __iter__(self) -> Iterator[Parameter]: ...

class Zone:
    """One characteristic zone; geometry as drawn (inverted zones mirrored)."""

    @property
    def slot(self) -> int:
        """1-based slot in the template's zone table."""
    @property
    def index(self) -> int:
        """INDEX."""
    @property
    def loop(self) -> str:
        """FAULTLOOP: "LN", "LL" or "ALL"."""
    @property
    def label(self) -> str:
        """LABEL."""
    @property
    def inverted(self) -> bool:
        """The zone is mirrored through the origin."""
    @property
    def kind(self) -> str:
        """"shapes", "circle" or "lens"."""
    @property
    def line_style(self) -> LineStyle:
        """How the characteristic plot draws the zone."""
    @property
    def corners(self) -> list[Point]:
        """Where consecutive shapes meet."""
    @property
    def boundary(self) -> list[Union[Line, Arc]]:
        """The boundary pieces as drawn."""
    @property
    def arcs(self) -> list[Arc]:
        """The arc pieces of the boundary."""
    @property
    def box(self) -> Optional[Box]:
        """The zone's extents as drawn."""
    @property
    def circle(self) -> Optional[Tuple[Point, float]]:
        """(center, radius) of a circle zone."""
    @property
    def lens(self) -> Optional[Tuple[float, float, float, float, float]]:
        """The five LENS values of a lens zone."""
    def outline(self, step_degrees: float = 2.0) -> list[npt.NDArray[np.float64]]:
        """The boundary as (n, 2) arrays of (R, X)."""
    @overload
    def contains(self, r: float, x: float) -> bool:
        """Whether the zone holds (r, x); arrays give a bool array."""
    @overload
    def contains(self, r: npt.ArrayLike, x: npt.ArrayLike) -> npt.NDArray[np.bool_]: ...
    @overload
    def on_boundary(self, r: float, x: float) -> bool:
        """Whether (r, x) lies on the boundary; arrays give a bool array."""
    @overload
    def on_boundary(self, r: npt.ArrayLike, x: npt.ArrayLike) -> npt.NDArray[np.bool_]: ...
    @overload
    def state(self, r: float, x: float, tolerance: str = "5%,0.05") -> str:
        """"in", "out" or "band"; arrays give an array of these texts."""
    @overload
    def state(
        self, r: npt.ArrayLike, x: npt.ArrayLike, tolerance: str = "5%,0.05"
    ) -> npt.NDArray[np.str_]: ...
    @overload
    def crossings(self, angle: float) -> list[float]:
        """Where the search line at angle degrees enters or leaves the zone."""
    @overload
    def crossings(self, angle: npt.ArrayLike) -> list[npt.NDArray[np.float64]]: ...

class _Document:
    """What a template and a sequence share."""

    @property
    def raw(self) -> bytes:
        """The bytes read (with what was set written in after a value or result was set)."""
    @property
    def text(self) -> str:
        """raw as str."""
    @property
    def codepage(self) -> str:
        """The codec texts are decoded with."""
    def save(self, path: PathArg) -> None:
        """Writes raw to path atomically."""

class Template(_Document):
    """A relay template."""

    @staticmethod
    def load(source: Source, codepage: str = "GBK") -> Template:
        """Reads a template from a path or bytes."""
    @staticmethod
    def from_text(text: str, codepage: str = "GBK") -> Template:
        """Reads a template from a str."""
    @property
    def relay_name(self) -> str:
        """ProtectiveRelayName."""
    @property
    def property(self) -> str:
        """Property."""
    @property
    def word_report_name(self) -> str:
        """WordReportName."""
    @property
    def update(self) -> int:
        """Update."""
    @property
    def settings(self) -> ParameterTable:
        """The settings."""
    @property
    def common_parameters(self) -> ParameterTable:
        """The common test parameters."""
    @property
    def binary_inputs(self) -> ParameterTable:
        """The binary inputs."""
    @property
    def report_items(self) -> list[ReportField]:
        """The report items."""
    @property
    def zones(self) -> list[Zone]:
        """The characteristic zones."""
    @property
    def box(self) -> Box:
        """The box of all zones as the reader computed it."""
    def eval(self, expression: str) -> Evaluation:
        """Evaluates an expression over the template's names."""
    def plot(
        self, path: PathArg, width: int = 900, height: int = 700, title: Optional[str] = None
    ) -> None:
        """Draws the zones to a PNG, SVG or PDF file."""
    def shots(
        self,
        loops: Union[str, _Sequence[str]] = "LN,LL",
        angles: Union[str, npt.ArrayLike] = "0:180:15",
        zones: Optional[_Sequence[int]] = None,
        times: Times = None,
        tolerance: str = "5%,0.05",
    ) -> list[Shot]:
        """Test points around the zone boundaries, as quorin shots makes them."""
    def shots_csv(
        self,
        loops: Union[str, _Sequence[str]] = "LN,LL",
        angles: Union[str, npt.ArrayLike] = "0:180:15",
        zones: Optional[_Sequence[int]] = None,
        times: Times = None,
        tolerance: str = "5%,0.05",
    ) -> str:
        """The points file quorin shots writes."""
    def assess(
        self,
        points: Union[Source, Iterable[_Sequence[Any]], None] = None,
        *,
        r: Optional[npt.ArrayLike] = None,
        x: Optional[npt.ArrayLike] = None,
        loop: Union[str, _Sequence[str]] = "LN",
        measured: Optional[npt.ArrayLike] = None,
        times: Times = None,
        tolerance: str = "5%,0.05",
        time_tolerance: str = "5%,0.010",
    ) -> Assessment:
        """Judges measured trip times against the characteristic, as quorin assess does."""

class Assessment:
    """Test points judged against the characteristic."""

    @property
    def points(self) -> list[AssessedPoint]:
        """The judged points, in the order given."""
    @property
    def verdict_codes(self) -> npt.NDArray[np.int8]:
        """1 pass, 0 fail, -1 not assessed."""
    @property
    def result(self) -> str:
        """One character per point: "1", "0" or "-"."""
    @property
    def summary(self) -> dict[str, int]:
        """Counts of "pass", "fail" and "not-assessed"."""
    def to_csv(self) -> str:
        """The assessed points file quorin assess writes."""
    def report(self, settings: Optional[PathArg] = None) -> Report:
        """The assessment's report."""
    def plot(self, path: PathArg, width: int = 900, height: int = 700) -> None:
        """Draws the characteristic with the judged points."""
    def __len__(self) -> int: ...

class Sequence(_Document):
    """A test sequence loaded into the component."""

    @staticmethod
    def load(source: Source, codepage: str = "GBK") -> Sequence:
        """Reads a sequence from a path or bytes."""
    @staticmethod
    def from_text(text: str, codepage: str = "GBK") -> Sequence:
        """Reads a sequence from a str."""
    @property
    def template(self) -> Template:
        """The sequence's template."""
    def report(self, settings: Optional[PathArg] = None, chapter: int = 0) -> Report:
        """Composes the sequence's report."""
    @property
    def items(self) -> list[TestItem]:
        """The component's own test items and their parameters."""
    def set_results(self, results: Mapping[Union[Tuple[int, int], str], str]) -> None:
        """Enters results as quorin results --set does and stores the sequence anew."""
    def set_result(self, item: int, k: int, text: str) -> None:
        """Enters one result."""

class Report:
    """A report: items, header tables and settings."""

    @staticmethod
    def load(source: Source, settings: Optional[PathArg] = None) -> Report:
        """Reads an XML report."""
    @property
    def items(self) -> list[ReportItem]:
        """The items."""
    def __len__(self) -> int: ...
    def write(
        self,
        pdf: Optional[PathArg] = None,
        png_dir: Optional[PathArg] = None,
        xml: Optional[PathArg] = None,
    ) -> list[str]:
        """Writes PDF, PNG pages and XML; returns the paths written."""
    def to_xml(self) -> bytes:
        """The XML report's bytes."""
