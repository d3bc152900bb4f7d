import os
import subprocess

import pytest

import quorin
from conftest import SAMPLE


def run_command(*args):
    return subprocess.run([os.environ["QUORIN_COMMAND"], *map(str, args)], check=True,
                          capture_output=True).stdout.decode()


def listing(sequence):
    return "".join(f"Item {i.index}: {i.title}\n" + "".join(
        f"{i.index}.{p.number}\t{p.name}\t{p.value}\n" for p in i.parameters) for i in sequence.items)


def test_results_are_read_and_stored_as_the_command_does(sequence, tmp_path):
    assert listing(sequence) == run_command("results", SAMPLE)
    entries = {(0, 1): "4.01 Ω", "2.2": "正确", (0, 5): "0.33"}
    run_command("results", SAMPLE, *[a for key, text in entries.items() for a in (
        "--set", f"{key if isinstance(key, str) else '%d.%d' % key}={text}")], "-o", tmp_path / "out.seq")
    sequence.set_results(entries)
    assert sequence.raw == (tmp_path / "out.seq").read_bytes()
    assert listing(sequence) == run_command("results", tmp_path / "out.seq")
    sequence.set_result(0, 1, "Pass")
    assert sequence.items[0].parameters[0].value == "Pass"


def test_bad_results_change_nothing_and_say_why(sequence):
    raw = sequence.raw
    for results, message in [
        ({(3, 1): "x"}, "item 3 does not exist: the sequence has 3 items"),
        ({(1, 1): "x"}, "item 1 is not one of the component's own items"),
        ({(0, 1): "ok", (0, 9): "x"}, "item 0 has no parameter 9: it has 5"),
        ({(0, 1): "a;b"}, 'the result for 0.1 cannot hold ";", "<TestItemEnd>", a tab or a line break'),
        ({(0, 1): "😀"}, "the result for 0.1 cannot be written in gbk"),
        ({"0-1": "x"}, "result key '0-1': give ITEM.K, for example 0.1"),
    ]:
        with pytest.raises(ValueError) as raised:
            sequence.set_results(results)
        assert str(raised.value) == message
    assert sequence.raw == raw
