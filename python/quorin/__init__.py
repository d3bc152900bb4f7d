"""Quorin for Python: relay templates, test sequences, characteristic zones and test reports.

The package wraps the Quorin library (the same code as the ``quorin`` command and the
component): ``Template`` and ``Sequence`` read the files hosts keep, ``Zone`` gives the
characteristic's geometry and point queries (also over NumPy arrays), ``Template.shots`` and
``Template.assess`` make and judge test points as ``quorin shots`` and ``quorin assess`` do,
``Sequence.items`` and ``Sequence.set_results`` read and enter results as ``quorin results``
does, ``Report`` composes, reads and writes reports, ``eval`` evaluates
expressions. Failures raise ``quorin.Error`` with the library's English message.
"""

from ._quorin import (
    Arc,
    AssessedPoint,
    Assessment,
    Box,
    Error,
    Evaluation,
    Graph,
    GraphPoint,
    ItemParameter,
    Line,
    LineStyle,
    Parameter,
    ParameterTable,
    Report,
    ReportField,
    ReportItem,
    ReportTable,
    Sequence,
    Shot,
    Template,
    TestItem,
    Zone,
    _Document,
    eval,
)

__version__ = "2.0.0"

__all__ = [
    "Arc",
    "AssessedPoint",
    "Assessment",
    "Box",
    "Error",
    "Evaluation",
    "Graph",
    "GraphPoint",
    "ItemParameter",
    "Line",
    "LineStyle",
    "Parameter",
    "ParameterTable",
    "Report",
    "ReportField",
    "ReportItem",
    "ReportTable",
    "Sequence",
    "Shot",
    "Template",
    "TestItem",
    "Zone",
    "eval",
]
