"""Assesses a CSV of shots against the sample's characteristic.

    python3 examples/assess.py [SEQUENCE] [POINTS.csv]

Without POINTS.csv the script makes one: the shots quorin shots would write, "measured" by a
simulated relay (a made-up relay, not a measurement) that trips on time, except that its zone 3
is 40 ms slow.
It prints the summary and writes assessed.csv and assessed.png.
"""
import pathlib
import sys

import quorin

here = pathlib.Path(__file__).resolve().parent
source = sys.argv[1] if len(sys.argv) > 1 else here.parent / "samples" / "distance_relay.seq"
template = quorin.Template.load(source)
times = {1: "T1", 2: "T2", 3: "T3"}

if len(sys.argv) > 2:
    points = pathlib.Path(sys.argv[2])
else:
    lines = ["loop,r_ohm,x_ohm,measured_time_s"]
    t3 = template.eval("T3").value
    for shot in template.shots(angles="0:180:15", times=times):
        trip = shot.expected_time
        if shot.expected_zone is not None and trip is None:
            trip = template.eval("T4").value  # zones without a time pass on any trip
        if trip == t3:
            trip += 0.040  # the simulated relay's zone 3 is 40 ms slow
        lines.append(f"{shot.loop},{shot.r:.6f},{shot.x:.6f},{'' if trip is None else f'{trip:.6f}'}")
    points = pathlib.Path("shots.csv")
    points.write_text("\n".join(lines) + "\n")

assessment = template.assess(points, times=times)
print(assessment)
pathlib.Path("assessed.csv").write_text(assessment.to_csv())
assessment.plot("assessed.png")
print("wrote assessed.csv and assessed.png")
