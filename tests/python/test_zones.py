import math

import numpy as np
import pytest

import quorin


def test_each_zone_has_its_record_and_line_style(template):
    assert [(z.slot, z.label, z.index, z.loop, z.kind, z.inverted, tuple(z.line_style))
            for z in template.zones] == [
        (1, "Z1 P-E", 1, "LN", "shapes", False, ("#DC1E1E", "solid", 2)),
        (2, "Z1 P-P", 1, "LL", "shapes", False, ("#DC1E1E", "dash", 2)),
        (3, "Z2 P-E", 2, "LN", "shapes", False, ("#148C28", "solid", 2)),
        (4, "Z2 P-P", 2, "LL", "shapes", False, ("#148C28", "dash", 2)),
        (5, "Z3 P-E", 3, "LN", "shapes", False, ("#1E50DC", "solid", 2)),
        (6, "Z3 P-P", 3, "LL", "shapes", False, ("#1E50DC", "dash", 2)),
        (7, "Z4 MHO", 4, "ALL", "circle", False, ("#E67800", "solid", 2)),
        (8, "Z5 reverse", 5, "ALL", "shapes", True, ("#8C28AA", "solid", 2)),
        (9, "PSB lens", 6, "ALL", "lens", False, ("#009696", "solid", 2)),
    ]


def test_geometry_is_as_drawn_from_the_settings(template):
    zones = template.zones
    # Z1 X reach 4 at -3 degrees meets the 115 degree line: 4 + tan(-3)r = tan(115)r.
    r = 4 / (math.tan(math.radians(115)) - math.tan(math.radians(-3)))
    assert zones[0].corners[0] == pytest.approx((r, math.tan(math.radians(115)) * r), abs=1e-5)
    # Z4: forward 16 and reverse 1.5 along 75 degrees.
    center, radius = zones[6].circle
    assert (center, radius) == (pytest.approx((7.25 * math.cos(math.radians(75)),
                                               7.25 * math.sin(math.radians(75)))), 8.75)
    assert zones[6].boundary == [quorin.Arc(center, 8.75, 0.0, 0.0, False)]
    # The reverse zone is mirrored: Z5's X reach 3 lies below the origin.
    assert zones[7].box.x_min == pytest.approx(-3.0, abs=0.1) and zones[7].box.x_max == pytest.approx(1.0)
    assert zones[8].lens == pytest.approx((20, 75, 0.6, 6, 0))
    assert [type(p).__name__ for p in zones[5].boundary] == ["Arc", "Line", "Line", "Line"]
    assert zones[5].arcs == zones[5].boundary[:1]
    for z in zones:
        outline = np.concatenate(z.outline(step_degrees=1.0))
        assert outline.shape[1] == 2
        assert (z.box.r_min - 1e-9 <= outline[:, 0].min() and outline[:, 0].max() <= z.box.r_max + 1e-9)
        box = template.box
        assert box.r_min <= z.box.r_min and z.box.r_max <= box.r_max


@pytest.mark.parametrize("suffix,magic", [(".png", b"\x89PNG"), (".svg", b"<?xml"), (".pdf", b"%PDF")])
def test_the_plot_is_written_in_the_type_its_name_says(template, tmp_path, suffix, magic):
    path = tmp_path / ("zones" + suffix)
    template.plot(path, width=400, height=300, title="Zones")
    assert path.read_bytes().startswith(magic)


def test_plot_failures_keep_the_old_file_and_say_why(template, tmp_path):
    path = tmp_path / "zones.png"
    path.write_bytes(b"old")
    for kwargs, message in [({"width": 0}, "image size 0x700 is outside 1..20000"),
                            ({"path": tmp_path / "zones.gif"}, 'unknown plot file type ".gif"'),
                            ({"path": tmp_path / "no" / "z.png"}, "cannot write")]:
        with pytest.raises(quorin.Error, match=message):
            template.plot(**{"path": path, **kwargs})
    assert path.read_bytes() == b"old"
