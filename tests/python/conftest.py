import pathlib

import pytest

import quorin

SAMPLE = pathlib.Path(__file__).resolve().parents[2] / "samples" / "distance_relay.seq"


@pytest.fixture
def sample_bytes():
    return SAMPLE.read_bytes()


@pytest.fixture
def template():
    return quorin.Template.load(SAMPLE)


@pytest.fixture
def sequence():
    return quorin.Sequence.load(SAMPLE)
