"""condsim.System: keywords become the batch tool's options and are checked by the windows."""

import pytest

import condsim
from conftest import SALT_2TO1


@pytest.mark.parametrize("keyword, value, kept, option", [
    ("n", 8, 8, ["--n", "8"]),
    ("beta1", 1234.5, "1234.5", ["--beta1", "1234.5"]),
    ("beta1", "1e3", "1e3", ["--beta1", "1e3"]),
    ("model1", False, False, ["--model1", "off"]),
    ("mca", 60, "60", ["--mca", "60"]),
    ("points", 50, 50, ["--points", "50"]),
    ("gradient", -20, -20, ["--gradient", "-20"]),
    ("solution", "davies", "davies", ["--solution", "davies"]),
])
def test_keywords_become_options(keyword, value, kept, option):
    system = condsim.System(**{keyword: value})
    assert getattr(system, keyword) == kept
    assert system.arguments() == option


def test_assignment_and_replace_check_together():
    system = condsim.System(solution="debye-huckel", ion_size="5", solvent="methanol")
    assert system.arguments() == ["--solution", "debye-huckel", "--ion-size", "5",
                                  "--solvent", "methanol"]
    ideal = system.replace(solution=None, ion_size=None, solvent=None)
    assert ideal.arguments() == [] and system.solvent == "methanol"
    system.n = 3
    assert system.n == 3
    system.n = None
    assert system.n is None
    assert "solvent='methanol'" in repr(system)


def test_constants_are_imported_as_a_file():
    system = condsim.System(n=3, model1=False, K=[100, "20", 4.5])
    assert system.K == ["100", "20", "4.5"]
    sweep = system.sweep(SALT_2TO1, report=True)
    for constant in ("100", "20", "4.5"):
        assert constant in sweep.report
