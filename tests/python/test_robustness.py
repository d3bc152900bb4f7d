"""Random arguments and random texts at every entry point: Python exceptions, never a crash."""
import random
import sys
import threading

import quorin
from conftest import SAMPLE

PIECES = [b"<SettingBegin>", b"<SettingEnd>", b"<CharacterBegin>", b"<CharacterEnd>",
          b"BEGINZONE", b"ENDZONE", b"BEGINSHAPE", b"ENDSHAPE", b"INDEX=1;", b"INVERT=1;",
          b"ARC=0,0,5,0,90,CCW;", b"LINE=0,1,", b"CIRCLE=Z1X,90,", b"LENS=5,", b"N1=a;T1=Edit;V1=",
          b"N=b,T=ComboBox,Num=99,V=", b"<TestItemBegin>TestComName2=Quorin.QuorinCom;NAME1=",
          b"<TestItemEnd>", b"<ReportBegin>", b"<FullTable>", b"<Title>", b"\xff\xfe", b"\xa1",
          b"1e308", b"-", b";", b",", b"\r\n", b"MAX((((", b"1/0"]


def random_text(rng, sample):
    parts = []
    for _ in range(rng.randint(0, 40)):
        if rng.random() < 0.2:
            start = rng.randrange(len(sample))
            parts.append(sample[start:start + rng.randint(1, 400)])
        else:
            parts.append(rng.choice(PIECES))
    return b"".join(parts)


def touch(obj):
    """Reads every public attribute, and the attributes of what it holds."""
    for name in dir(obj):
        if name.startswith("_") or name in ("load", "from_text"):
            continue
        value = getattr(obj, name)
        if isinstance(value, (list, quorin.ParameterTable)):
            for element in value:
                repr(element)
                if isinstance(element, (quorin.Zone, quorin.Parameter)):
                    touch(element)
        elif callable(value) and name in ("outline", "to_xml"):
            value()


def test_random_texts_load_or_fail_cleanly(sample_bytes, tmp_path):
    rng = random.Random(16)
    for _ in range(60):
        text = random_text(rng, sample_bytes)
        for load in (quorin.Template.load, quorin.Sequence.load):
            loaded = load(text)
            touch(loaded)
            touch(loaded.template if isinstance(loaded, quorin.Sequence) else loaded)
        try:
            touch(quorin.Report.load(text))
        except quorin.Error:
            pass


def test_random_arguments_raise_python_exceptions(template, sequence, tmp_path, monkeypatch):
    monkeypatch.chdir(tmp_path)
    report = sequence.report()
    zone, parameter = template.zones[6], template.settings[1]
    pool = [None, 0, -1, 7, 2**31, 2**80, 0.5, float("nan"), float("inf"), "", "Z1X", "\udcff",
            "é" * 3000, "MAX(", b"", b"\xff\x00<SettingBegin>", bytearray(b"\x80"), [], object(),
            "out.png", "out.svg", "out.pdf", "out.xml", "pages", "x.gif", "/dev/null",
            str(tmp_path), str(SAMPLE), "GBK", "utf-8"]
    targets = [quorin.eval, quorin.Template.load, quorin.Template.from_text, quorin.Sequence.load,
               quorin.Sequence.from_text, quorin.Report.load, template.eval, template.plot,
               template.save, sequence.report, sequence.save, report.write, report.to_xml,
               zone.outline, zone.contains, zone.on_boundary, zone.state, zone.crossings,
               template.shots, template.shots_csv, template.assess,
               lambda *a: template.assess(r=a[0] if a else None, x=a[-1] if a else None),
               sequence.set_results, sequence.set_result,
               template.settings.__getitem__, template.settings.__contains__,
               lambda v: setattr(parameter, "value", v)]
    rng = random.Random(61)
    failures = 0
    for _ in range(400):
        call = rng.choice(targets)
        args = [rng.choice(pool) for _ in range(rng.randint(0, 3))]
        try:
            call(*args)
        except Exception:  # any Python exception will do; a crash ends the process
            failures += 1
    assert failures > 0
    touch(template)


def test_threads_share_the_library_without_stalling(template, sequence, tmp_path):
    errors = []

    def work(n):
        try:
            for i in range(20):
                if n == 0:
                    template.plot(tmp_path / ("z%d.png" % (i % 3)), width=300, height=200)
                elif n == 1:
                    sequence.report().write(xml=tmp_path / ("r%d.xml" % (i % 3)))
                else:
                    template.settings["Z2X"].value = 8 + i
                    assert template.eval("Z2X").value == 8 + i
                    assert template.zones[2].contains([1.0, 30.0], 1.0).tolist() == [True, False]
        except Exception as e:  # reported below
            errors.append(e)

    # Threads switch as often as the interpreter can: a call that waited for the library while
    # holding the GIL would stall for good.
    interval = sys.getswitchinterval()
    sys.setswitchinterval(1e-6)
    try:
        threads = [threading.Thread(target=work, args=(n,)) for n in range(3)]
        for t in threads:
            t.start()
        for t in threads:
            t.join(timeout=120)
    finally:
        sys.setswitchinterval(interval)
    assert not errors and not any(t.is_alive() for t in threads)
