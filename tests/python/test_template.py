import pathlib

import pytest

import quorin
from conftest import SAMPLE


def section_span(raw, name):
    begin = raw.index(b"<%sBegin>" % name)
    return begin, raw.index(b"<%sEnd>" % name, begin)


def test_every_kind_of_source_reads_the_same_bytes_and_records(sample_bytes):
    text = sample_bytes.decode("gbk", "surrogateescape")
    loads = [
        quorin.Template.load(str(SAMPLE)),
        quorin.Template.load(pathlib.Path(SAMPLE)),
        quorin.Template.load(sample_bytes),
        quorin.Template.load(bytearray(sample_bytes)),
        quorin.Template.load(memoryview(sample_bytes)),
        quorin.Template.from_text(text),
        quorin.Sequence.load(SAMPLE).template,
    ]
    for t in loads:
        assert t.raw == sample_bytes
        assert [(p.id, p.name, p.value) for p in t.settings] == [
            (p.id, p.name, p.value) for p in loads[0].settings
        ]


def test_bytes_no_code_page_maps_survive_as_text_and_back():
    raw = b"ProtectiveRelayName=\xa1\x40 \xff \xfe\xfe \x80 \xd6\xd0;\r\n<SettingBegin>\r\n\tN=\xff\xa1,T=Edit,V=1,ID=A;\r\n<SettingEnd>\r\n\x81"
    t = quorin.Template.load(raw)
    assert quorin.Template.from_text(t.text).raw == raw
    assert t.relay_name.encode("gbk", "surrogateescape") == b"\xa1\x40 \xff \xfe\xfe \x80 \xd6\xd0"
    assert t.settings[0].name == "\udcff\udca1"
    name = raw[len(b"ProtectiveRelayName="):raw.index(b";")]
    assert quorin.Template.load(raw, codepage="cp1252").relay_name == name.decode("cp1252", "surrogateescape")


def test_records_carry_every_field(template):
    def record(p):
        return (p.kind, p.index, p.id, p.name, p.type, p.unit, p.decimals, p.value, p.value_text,
                p.choices, p.choice, p.re, p.pva)

    assert [record(template.settings[i]) for i in (0, 22, 23)] == [
        ("setting", 0, "PHI", "线路阻抗角", "Edit", "°", 1, 75.0, "75.0", [], None, "0", ""),
        ("setting", 22, "KFORM", "Earth factor form", "ComboBox", "", 0, 0.0, "0",
         ["KL", "RE/RL XE/XL", "Z0/Z1"], "KL", "0", ""),
        ("setting", 23, "DISTON", "距离保护投入", "CheckBox", "", 1, 1.0, "1", ["投入", "退出"],
         "投入", "0", ""),
    ]
    assert record(template.common_parameters["VNOM"]) == (
        "common_parameter", 5, "VNOM", "Nominal voltage", "Edit", "V", 1, pytest.approx(57.7),
        "57.7", [], None, "0", "")
    assert record(template.binary_inputs[-1]) == (
        "binary_input", 5, "BIDEB", "Debounce", "Edit", "ms", 1, 2.0, "2.0", [], None, "", "")
    assert (len(template.settings), len(template.common_parameters), len(template.binary_inputs)) == (24, 7, 6)
    assert "Z1X" in template.settings and "NOPE" not in template.settings
    assert template.report_items == [("Test item", "NAME"), ("Result", "RESULT"), ("Requirement", "REQUIRE")]
    assert (template.relay_name, template.word_report_name, template.update) == (
        "QDR-300 线路距离保护", "QDR300_Distance.doc", 0)


@pytest.mark.parametrize("document", ["template", "sequence"])
def test_a_set_value_reaches_expressions_zones_and_the_stored_text(document, request, tmp_path, sample_bytes):
    loaded = request.getfixturevalue(document)
    t = loaded if document == "template" else loaded.template
    corner = t.zones[0].corners[0]
    t.settings["Z1X"].value = 5
    assert t.eval("Z1X") == (5.0, 10, -1)
    assert t.zones[0].corners[0] != corner
    begin, end = section_span(loaded.raw, b"Setting")
    old_begin, old_end = section_span(sample_bytes, b"Setting")
    assert loaded.raw[:begin] == sample_bytes[:old_begin]
    assert loaded.raw[end:] == sample_bytes[old_end:]
    loaded.save(tmp_path / "stored.seq")
    assert quorin.Template.load(tmp_path / "stored.seq").settings["Z1X"].value == 5.0


def test_evaluations_give_value_status_and_error_position(template):
    cases = [
        (quorin.eval, "-2+3", (-5.0, 0, -1)),
        (quorin.eval, "MAX(4,(2+3))", (5.0, 0, -1)),
        (quorin.eval, "LAN+1", (1.0, 10, -1)),
        (quorin.eval, "1/0", (-100000.0, 1, -1)),
        (quorin.eval, "SQRT(-4)", (0.0, 4, -1)),
        (quorin.eval, "Z1X", (-100000.0, -1, 3)),
        (quorin.eval, "", (0.0, -1, 0)),
        (template.eval, "Z1X*1.2", (pytest.approx(4.8), 10, -1)),
        (template.eval, "(1+2) *3", (-100000.0, -1, 5)),
    ]
    assert [(text, evaluate(text)) for evaluate, text, _ in cases] == [
        (text, expected) for _, text, expected in cases]


def test_failures_raise_python_exceptions_with_english_messages(template, tmp_path):
    cases = [
        (lambda: quorin.Template.load(tmp_path / "missing.seq"), quorin.Error,
         "cannot read file '%s'" % (tmp_path / "missing.seq")),
        (lambda: quorin.Template.load(tmp_path), quorin.Error, "cannot read file"),
        (lambda: quorin.Sequence.load(b"", codepage="no-such-codec"), LookupError, "no-such-codec"),
        (lambda: quorin.Template.load(42), TypeError, "expected a path"),
        (lambda: template.save(tmp_path / "no" / "dir.seq"), quorin.Error, "cannot write"),
        (lambda: setattr(template.settings[0], "value", float("nan")), ValueError, "finite"),
        (lambda: setattr(template.settings[0], "value", 1e300), ValueError, "finite"),
        (lambda: template.settings[24], IndexError, "out of range"),
        (lambda: template.settings["NOPE"], KeyError, "NOPE"),
    ]
    for call, error, message in cases:
        with pytest.raises(error, match=message.replace("(", r"\(")):
            call()


def test_every_public_name_has_a_docstring_and_a_stub():
    stub = (pathlib.Path(quorin.__file__).parent / "__init__.pyi").read_text()
    missing = []
    for name in quorin.__all__:
        obj = getattr(quorin, name)
        if f"class {name}(" not in stub and f"class {name}:" not in stub and f"def {name}(" not in stub:
            missing.append(name + " (stub)")
        own = [a for a in dir(obj) if not a.startswith("_") and a not in dir(tuple) + dir(Exception)]
        members = [(a, getattr(obj, a)) for a in own] if isinstance(obj, type) else []
        for attribute, value in [(name, obj)] + members:
            if not (getattr(value, "__doc__", None) or "").strip():
                missing.append(attribute)
            if value is not obj and f"def {attribute}(" not in stub and f"    {attribute}: " not in stub:
                missing.append(f"{name}.{attribute} (stub)")
    assert missing == []
