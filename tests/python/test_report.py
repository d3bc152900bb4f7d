import re

import pytest

import quorin


def test_the_sequence_report_is_written_and_reads_back(sequence, tmp_path):
    report = sequence.report(chapter=2)
    titles = [item.title for item in report.items]
    assert titles == ["Test Report", "3.  Test Object - QDR-300 线路距离保护",
                      "4.  Relay settings and characteristic - QDR-300 线路距离保护", "End of report"]
    written = report.write(pdf=tmp_path / "r.pdf", png_dir=tmp_path / "pages", xml=tmp_path / "r.xml")
    pages = sorted(str(p) for p in (tmp_path / "pages").iterdir())
    assert written == [str(tmp_path / "r.pdf"), *pages, str(tmp_path / "r.xml")]
    assert (tmp_path / "r.pdf").read_bytes().startswith(b"%PDF") and len(pages) >= 2
    assert (tmp_path / "r.xml").read_bytes() == report.to_xml()

    imported = quorin.Report.load(tmp_path / "r.xml")
    assert quorin.Report.load(report.to_xml()).items == imported.items
    blanks = lambda text: text.replace("$", " ")
    assert [blanks(i.title) for i in imported.items] == titles
    table = imported.items[1].tables[0]
    assert [[blanks(c) for c in row] for row in table.rows[:2]] == [
        ["Name", "Testing Method", "Measure"], ["Z1 reactive reach (Ω)", "Z1X", " "]]
    graph = imported.items[2].graphs[0]
    assert (graph.axis_type, graph.picture) == ("RX", "RX") and graph.arcs and graph.lines


def test_report_failures_raise_with_the_library_message(sequence, tmp_path):
    report = sequence.report()
    cases = [
        (lambda: report.write(), ValueError, "give at least one output"),
        (lambda: report.write(xml=tmp_path / "no" / "r.xml"), quorin.Error,
         re.escape("Cannot write the report file '%s'." % (tmp_path / "no" / "r.xml"))),
        (lambda: quorin.Report.load(b"<Report><FullTable>"), quorin.Error, "."),
        (lambda: quorin.Report.load(tmp_path / "none.xml"), quorin.Error, "none.xml"),
        (lambda: sequence.report(settings=tmp_path / "none.ini"), quorin.Error,
         re.escape("cannot read file '%s'" % (tmp_path / "none.ini"))),
        (lambda: sequence.report(chapter=-1), ValueError, "chapter"),
    ]
    for call, error, message in cases:
        with pytest.raises(error, match=message):
            call()
