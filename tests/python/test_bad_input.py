"""Bad input raises the exception of its kind with the program's message, and changes
nothing: the system keeps its values and the next call gives what it gave before."""

import math

import pytest

import condsim
from conftest import CACL2_DILUTE, CACL2_SYSTEM

CASES = {
    "negative K1": (lambda s: setattr(s, "beta1", "-1000"), condsim.InputError, "-1000"),
    "negative constant in K": (lambda s: setattr(s, "K", [1000, -5]), condsim.InputError, "-5"),
    "negative MCA": (lambda s: s.replace(mca=-3).sweep(), condsim.CalculationError, "MCA"),
    "n above 30": (lambda s: setattr(s, "n", 31), condsim.UsageError,
                   "--n must be a whole number from 2 to 30"),
    "n below 2": (lambda s: s.replace(n=1), condsim.UsageError, "from 2 to 30"),
    "n not whole": (lambda s: setattr(s, "n", 2.5), condsim.UsageError, "whole number"),
    "n a bool": (lambda s: setattr(s, "n", True), condsim.UsageError, "whole number"),
    "unknown solvent": (lambda s: s.replace(solution="davies", solvent="benzene"),
                        condsim.UsageError, "--solvent takes water, acetonitrile or methanol"),
    "unknown model": (lambda s: setattr(s, "solution", "extended"), condsim.UsageError,
                      "--solution takes"),
    "ion size in the ideal model": (lambda s: setattr(s, "ion_size", 5), condsim.UsageError,
                                    "ionic-strength models only"),
    "unknown keyword": (lambda s: s.replace(beta=3), condsim.UsageError, "beta"),
    "NaN in the data": (lambda s: s.fit(([1e-3, 2e-3, math.nan], [0.2, 0.4, 0.6]), "K1"),
                        condsim.DataError, "nan"),
    "NaN in an ObservedData": (lambda s: condsim.ObservedData([1e-3, math.nan], [0.2, 0.3]),
                               condsim.DataError, "line 2 of the observed data given: 'nan'"),
    "missing data file": (lambda s: s.sweep("no-such-file.txt"), condsim.DataError,
                          "no-such-file.txt"),
    "unknown fit parameter": (lambda s: s.fit(CACL2_DILUTE, "K1,MCB"), condsim.UsageError,
                              "MCB"),
    "threads 0": (lambda s: s.calculate([1e-3], threads=0), condsim.UsageError, "--threads"),
    "fit that cannot run": (lambda s: s.fit(([1e-3], [0.2]), "K1,MCA"), condsim.FitError,
                            "The fit cannot run"),
}


@pytest.mark.parametrize("name", CASES)
def test_bad_input_raises_its_error_and_changes_nothing(name):
    action, error, words = CASES[name]
    system = condsim.System(**CACL2_SYSTEM)
    before = (repr(system), system.sweep(CACL2_DILUTE, report=True).report_bytes)
    with pytest.raises(error) as raised:
        action(system)
    assert isinstance(raised.value, (condsim.Error, ValueError))
    assert words in str(raised.value)
    assert (repr(system), system.sweep(CACL2_DILUTE, report=True).report_bytes) == before


def test_the_program_message_keeps_its_designed_text():
    with pytest.raises(condsim.UsageError) as raised:
        condsim.System(beta1="abc")
    # The designed message of a text that is not a floating-point number.
    assert str(raised.value).splitlines() == [
        "'abc' は浮動小数点数ではありません.",
        "--beta1 takes K1 as a number, for example 1e4, not 'abc'"]
