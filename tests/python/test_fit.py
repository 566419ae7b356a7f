"""The fit's result object: values with their errors and intervals, the correlation, the
comparison of n, and what the data leave undetermined."""

import numpy
import pytest

import condsim
from conftest import CACL2_ALL, CACL2_DILUTE, CACL2_SYSTEM, SALT_6TO1

# docs/fit.md and docs/solution-model.md: the CaCl2 fits, as condsim-batch prints them (the
# ideal one from the program's start values of K1 and MCA).
FITS = {
    "ideal": (dict(beta1=None, mca=None), CACL2_DILUTE, "K1,MCA", "12.759363502105",
              "0.00478711591508523"),
    "Debye-Hueckel on 28 points": (dict(solution="debye-huckel"), CACL2_ALL, "K1,MCA", "0",
                                   None),
}


@pytest.mark.parametrize("name", FITS)
def test_fit_result_holds_the_documented_values(name):
    keywords, data, parameters, k1_text, rms_text = FITS[name]
    fit = condsim.System(**{**CACL2_SYSTEM, **keywords}).fit(data, parameters)
    assert fit.converged and fit.names == ["K1", "MCA"] and fit.n == 2
    assert fit["K1"].value_text == k1_text
    assert fit["K1"].value == pytest.approx(float(k1_text), abs=1e-12)
    if rms_text:
        assert fit.rms_text == rms_text
    assert fit.message.startswith(f"Fit to {fit.point_count} observed points at n = 2")
    assert len(fit.calculated) == fit.point_count
    assert fit.sweep is not None and fit.sweep.report is None


def test_estimated_values_carry_both_intervals_and_a_symmetric_correlation():
    fit = condsim.System(**{**CACL2_SYSTEM, "beta1": None, "mca": None}).fit(
        CACL2_DILUTE, ["K1", "MCA"])
    k1 = fit["K1"]
    assert k1.state == "estimated" and k1.standard_error > 0
    low, high = k1.jacobian_interval
    assert low < k1.value < high
    profile_low, profile_high = k1.profile_interval
    assert profile_low < k1.value < profile_high
    assert k1.profile_interval_text[0] == "10.4211651057997"
    assert numpy.allclose(fit.correlation, fit.correlation.T)
    assert numpy.allclose(numpy.diag(fit.correlation), 1)
    assert fit.undetermined == []
    assert fit.stepwise_constants[0] == pytest.approx(k1.value)


def test_a_constant_at_zero_has_only_its_upper_bound():
    fit = condsim.System(**CACL2_SYSTEM, solution="debye-huckel").fit(CACL2_ALL, "K1,MCA")
    k1 = fit["K1"]
    assert k1.state == "at zero"
    assert k1.standard_error is None and k1.jacobian_interval is None
    assert k1.profile_interval_text == ("0", "0.135763053009485")
    assert numpy.isnan(fit.correlation[0, 1])
    assert any("K1 = 0" in note for note in fit.notes)


def test_comparison_of_n_marks_the_lowest_aic():
    fit = condsim.System().fit(SALT_6TO1, "K1,alfa", compare_n=(4, 7))
    comparison = fit.comparison
    assert comparison.n == [4, 5, 6, 7]
    best = comparison.n[int(numpy.nanargmin(comparison.aic))]
    assert comparison.best_n == best
    assert "\tbest" in comparison.table
    assert all(isinstance(row, condsim.FitResult) for row in comparison.fits)


def test_weights_change_the_optimum_as_documented():
    fit = condsim.System(**{**CACL2_SYSTEM, "beta1": None, "mca": None}).fit(
        CACL2_DILUTE, "K1,MCA", weights="relative")
    assert fit["K1"].value_text == "18.8714515476626"
    assert fit.rms_text == "0.0084733445678185"
