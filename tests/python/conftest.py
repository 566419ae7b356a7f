"""What the tests of the Python module share: the example files and condsim-batch."""

import os
import pathlib
import subprocess

import pytest

EXAMPLES = pathlib.Path(
    os.environ.get("CONDSIM_EXAMPLES", pathlib.Path(__file__).resolve().parents[2] / "examples"))
CACL2_DILUTE = EXAMPLES / "cacl2-25C-water-dilute.txt"
CACL2_ALL = EXAMPLES / "cacl2-25C-water.txt"
SALT_6TO1 = EXAMPLES / "observed-6to1-salt.txt"
SALT_2TO1 = EXAMPLES / "observed-2to1-salt.txt"

# The CaCl2 system of docs/fit.md and docs/solution-model.md: n = 2, lambda(Cl-) = 76.35,
# Model #1 with alfa = 1, from K1 = 1 and MCA = 60.
CACL2_SYSTEM = dict(n=2, mcx="76.35", alfa=1, model1=True, beta1="1", mca="60")


@pytest.fixture(autouse=True)
def private_folder(tmp_path, monkeypatch):
    """Each test in a folder of its own: a sweep leaves record.txt in the current folder."""
    monkeypatch.chdir(tmp_path)
    return tmp_path


def run_batch(arguments, cwd):
    """condsim-batch with the arguments and the period as decimal separator; its result."""
    batch = os.environ.get("CONDSIM_BATCH")
    if not batch:
        pytest.skip("condsim-batch is not built")
    return subprocess.run([batch, "--decimal-separator", ".", *map(str, arguments)],
                          cwd=cwd, capture_output=True, check=False)
