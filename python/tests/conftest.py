"""Where the tests find the `kernova` program and the sample texts.

CTest sets KERNOVA (the program) and KERNOVA_SOURCE_DIR; by hand they
default to build/bin/kernova and the checkout this file is in.
"""

import json
import os
import pathlib
import subprocess

import pytest

SOURCE_DIR = pathlib.Path(os.environ.get("KERNOVA_SOURCE_DIR", pathlib.Path(__file__).resolve().parents[2]))
PROGRAM = pathlib.Path(os.environ.get("KERNOVA", SOURCE_DIR / "build" / "bin" / "kernova"))
SAMPLES = SOURCE_DIR / "samples"


def run_kernova(*args, input_bytes=None):
    """Runs the program; returns its standard output as bytes, failing on a non-zero status."""
    done = subprocess.run([str(PROGRAM), *map(str, args)], input=input_bytes, capture_output=True, check=False)
    assert done.returncode == 0, done.stderr.decode(errors="replace")
    return done.stdout


def kernova_json(*args):
    return json.loads(run_kernova("summarize", "--format", "json", *args))


@pytest.fixture(scope="session")
def samples():
    return SAMPLES
