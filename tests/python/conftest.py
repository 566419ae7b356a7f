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


# A series made by the model: CaCl2-like, K1 from dH = 8 kJ/mol and dS = 48 J/(mol K),
# lambda of both ions by the Walden rule from 59.5 and 76.35 at 25 C, at 12 concentrations
# from 7.6e-5 to 0.01 mol/L, with a fixed noise of 0.002 mS/cm.
SERIES_TEMPERATURES = (278.15, 288.15, 298.15, 308.15, 318.15)
SERIES_SYSTEM = CACL2_SYSTEM


def synthetic_series(folder, temperatures=SERIES_TEMPERATURES):
    """The data files of the synthetic series and its series file in folder; its name."""
    import numpy
    import condsim

    c0 = numpy.geomspace(7.6e-5, 0.01, 12)
    noise = numpy.random.default_rng(1).normal(0, 0.002, (len(temperatures), len(c0)))
    eta25 = condsim.solvent_at("water", 298.15)["viscosity"]
    lines = []
    for i, kelvin in enumerate(temperatures):
        walden = eta25 / condsim.solvent_at("water", kelvin)["viscosity"]
        k1 = numpy.exp(-8000 / (8.314462618 * kelvin) + 48 / 8.314462618)
        system = condsim.System(n=2, alfa=1, model1=True, beta1=repr(k1),
                                mca=repr(59.5 * walden), mcx=repr(76.35 * walden))
        kappa = system.calculate(c0).conductivity + noise[i]
        name = f"set-{kelvin:.0f}K.txt"
        (folder / name).write_text("".join(f"{c!r}\t{k!r}\n" for c, k in zip(c0, kappa)))
        lines.append(f"{name}\t{kelvin}")
    series = folder / "series.txt"
    series.write_text("# synthetic CaCl2\n" + "\n".join(lines) + "\n")
    return series
