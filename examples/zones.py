"""Loads the bundled sample, prints its characteristic zones and plots them.

    python3 examples/zones.py [SEQUENCE] [OUT.png]
"""
import pathlib
import sys

import quorin

here = pathlib.Path(__file__).resolve().parent
source = sys.argv[1] if len(sys.argv) > 1 else here.parent / "samples" / "distance_relay.seq"
output = sys.argv[2] if len(sys.argv) > 2 else "zones.png"

template = quorin.Template.load(source)
print(template.relay_name)
print(f"{'zone':<12} {'index':>5} {'loop':<4} {'kind':<7} {'line':<15} {'R range (Ω)':<18} X range (Ω)")
for zone in template.zones:
    box = zone.box
    style = f"{zone.line_style.color} {zone.line_style.style}"
    print(f"{zone.label:<12} {zone.index:>5} {zone.loop:<4} {zone.kind:<7} {style:<15} "
          f"{box.r_min:7.3f} .. {box.r_max:<7.3f} {box.x_min:7.3f} .. {box.x_max:.3f}")
template.plot(output, width=900, height=700)
print("wrote", output)
