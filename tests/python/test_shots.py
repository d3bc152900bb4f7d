import math
import os
import subprocess

import numpy as np
import pytest

import quorin
from conftest import SAMPLE

TIMES = {1: "0", 2: "T2", 3: "T3"}


def test_point_queries_agree_over_numbers_and_arrays(template):
    r, x = np.meshgrid(np.linspace(-25, 25, 41), np.linspace(-25, 25, 37))
    for zone in template.zones:
        for query in (zone.contains, zone.on_boundary, zone.state):
            arrays = query(r, x)
            assert arrays.shape == r.shape
            assert arrays.tolist() == [[query(float(a), float(b)) for a, b in zip(ra, xa)]
                                       for ra, xa in zip(r, x)], (zone.label, query.__name__)
        angles = np.arange(0, 360, 30.0)
        assert [list(d) for d in zone.crossings(angles)] == [zone.crossings(a) for a in angles]


def test_point_queries_by_hand(template):
    z4, z5, z3 = template.zones[6], template.zones[7], template.zones[5]
    # Z4: 16 forward and 1.5 reverse along 75 degrees; the origin lies inside.
    assert z4.crossings(75) == pytest.approx([16.0]) and z4.crossings(255) == pytest.approx([1.5])
    at16 = (16 * math.cos(math.radians(75)), 16 * math.sin(math.radians(75)))
    assert (z4.contains(0, 0), z4.on_boundary(*at16), z4.state(*at16), z4.state(0, 20)) == (
        True, True, "band", "out")
    # The reverse zone holds the third quadrant, not the first.
    assert (z5.contains(-1, -1), z5.contains(1, 1)) == (True, False)
    # Z3 P-P's arc of radius 13.2 (Z3X * 1.1) is exact, not a polygon.
    assert z3.contains(*np.array([[0, 13.2 - 1e-6], [0, 13.2 + 1e-4]]).T).tolist() == [True, False]
    assert z3.state(0, 13.2 * 0.96, tolerance="5%,0") == "band"


def run_command(*args):
    return subprocess.run([os.environ["QUORIN_COMMAND"], *map(str, args)], check=True,
                          capture_output=True).stdout


def test_shots_and_assessment_give_what_the_commands_give(template, tmp_path):
    times = [a for i, t in TIMES.items() for a in ("--time", f"{i}={t}")]
    shots = tmp_path / "shots.csv"
    run_command("shots", SAMPLE, "--angles", "0:180:30", *times, "-o", shots)
    assert template.shots_csv(angles="0:180:30", times=TIMES) == shots.read_text()

    # Measured: every expected zone trips 5 ms late, points expected to stay quiet trip in 1 s.
    records = [s._replace(measured_time=(s.expected_time or 0) + 0.005 if s.expected_zone else 1.0)
               for s in template.shots(angles="0:180:30", times=TIMES)]
    measured = tmp_path / "measured.csv"
    measured.write_text("loop,r_ohm,x_ohm,measured_time_s\n" + "".join(
        f"{s.loop},{s.r:.6f},{s.x:.6f},{s.measured_time:.6f}\n" for s in records))
    out = tmp_path / "assessed.csv"
    run_command("assess", SAMPLE, measured, *times, "-o", out)
    from_file = template.assess(measured, times=TIMES)
    assert from_file.to_csv() == out.read_text()

    from_records = template.assess(records, times=TIMES)
    from_arrays = template.assess(r=[s.r for s in records], x=[s.x for s in records],
                                  loop=[s.loop for s in records],
                                  measured=np.array([s.measured_time for s in records]), times=TIMES)
    assert [p.verdict for p in from_records.points] == [p.verdict for p in from_file.points]
    assert from_arrays.result == from_records.result == from_file.result
    assert from_file.summary == {v: from_file.result.count(c) for v, c in
                                 (("pass", "1"), ("fail", "0"), ("not-assessed", "-"))}
    assert from_file.verdict_codes.tolist() == [{"1": 1, "0": 0, "-": -1}[c] for c in from_file.result]

    report = from_file.report()
    assert report.items[1].result == from_file.result
    report.write(xml=tmp_path / "a.xml")
    points = quorin.Report.load(tmp_path / "a.xml").items[1].graphs[0].points
    assert len(points) == len(records)
    from_file.plot(tmp_path / "a.png")
    assert (tmp_path / "a.png").read_bytes().startswith(b"\x89PNG")


def test_bad_arguments_name_what_is_wrong(template):
    cases = [
        (lambda: template.shots(loops="LX"), ValueError, "loop LX: use LN or LL"),
        (lambda: template.shots(angles="0:180"), ValueError, "angles 0:180: write FROM:TO:STEP or a list A,B,..."),
        (lambda: template.shots(zones=[9]), ValueError, "zones: no zone has the index 9"),
        (lambda: template.shots(times={2: "T9"}), ValueError, "time 2=T9: the expression does not evaluate"),
        (lambda: template.shots(times=["2=-1"]), ValueError, "time 2=-1: the time -1.000 s is below 0"),
        (lambda: template.shots(tolerance="5"), ValueError, "tolerance 5: write it as REL%,ABS, for example 5%,0.05"),
        (lambda: template.assess(b"loop,r_ohm,x_ohm,measured_time_s\nLX,1,2,\n"), quorin.Error,
         '<bytes>:2: unknown loop "LX": use LN or LL'),
        (lambda: template.assess(r=[1, 2], x=[1]), ValueError, "r and x must have the same length"),
        (lambda: template.assess([("LN", 1, 2, -1.0)]), ValueError, "a measured time must be"),
        (lambda: template.assess(), TypeError, "give points, or arrays r and x"),
        (lambda: template.zones[0].state(0, 0, tolerance="x"), ValueError, "tolerance x"),
    ]
    for call, error, message in cases:
        with pytest.raises(error) as raised:
            call()
        assert str(raised.value).startswith(message)
