"""The calculation at given concentrations and the sweep: the same road, as numpy arrays."""

import threading
import time

import numpy
import pytest

import condsim
from conftest import CACL2_DILUTE, CACL2_SYSTEM, SALT_6TO1


@pytest.mark.parametrize("solution", [{}, {"solution": "debye-huckel"},
                                      {"solution": "davies", "ion_size": "bjerrum"}])
def test_calculate_solves_as_the_sweep_solves_the_observed_rows(solution):
    system = condsim.System(**CACL2_SYSTEM, **solution)
    sweep = system.sweep(CACL2_DILUTE)
    # The texts of the file, read to 80 bits as the sweep reads them.
    texts = [line.split()[0] for line in CACL2_DILUTE.read_text().splitlines()]
    points = system.calculate(texts)
    assert numpy.array_equal(points.concentration, sweep.observed_concentration)
    assert numpy.array_equal(points.conductivity, sweep.observed_calculated)
    assert numpy.array_equal(points.free_anion, sweep.observed_free_anion)
    assert numpy.allclose(points.abundance.sum(axis=1), 100, rtol=1e-12)
    assert numpy.allclose(points.molar_conductivity * points.concentration, points.conductivity)
    if solution:
        assert points.ionic_strength.shape == (12,) and (points.ionic_strength > 0).all()
        assert ((points.activity_coefficient > 0) & (points.activity_coefficient < 1)).all()
    else:
        assert points.ionic_strength is None and points.activity_coefficient is None


def test_sweep_gives_its_points_and_the_observed_rows():
    sweep = condsim.System().sweep(SALT_6TO1)
    assert len(sweep.calculated) == 200
    assert sweep.calculated.abundance.shape == (200, 7)
    assert len(sweep.observed_conductivity) == 12
    assert sweep.report is None
    assert numpy.all(numpy.diff(sweep.calculated.concentration) > 0)


def test_results_are_the_same_for_every_thread_count():
    system = condsim.System(**CACL2_SYSTEM, solution="debye-huckel")
    c0 = numpy.geomspace(1e-5, 0.05, 40)
    one = system.calculate(c0, threads=1)
    three = system.calculate(c0, threads=3)
    assert numpy.array_equal(one.conductivity, three.conductivity)
    assert system.sweep(CACL2_DILUTE, report=True, threads=1).report == \
        system.sweep(CACL2_DILUTE, report=True, threads=2).report


def test_a_long_call_lets_other_python_threads_run():
    system = condsim.System(**CACL2_SYSTEM, solution="debye-huckel")
    finished = []
    worker = threading.Thread(
        target=lambda: finished.append(system.fit(CACL2_DILUTE, "K1,MCA", threads=1)))
    start = last = time.perf_counter()
    longest_pause = 0.0
    worker.start()
    while worker.is_alive():
        now = time.perf_counter()
        longest_pause = max(longest_pause, now - last)
        last = now
    worker.join()
    # A call that kept the GIL would stop this loop for as long as the fit runs.
    assert finished and longest_pause < 0.25 * (last - start)
