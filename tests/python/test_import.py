"""Observed data: read, imported in their units, given as arrays; and the solvent table."""

import pytest

import condsim
from conftest import CACL2_DILUTE, EXAMPLES


def test_the_three_ways_to_give_data_give_the_same_fit(private_folder):
    read = condsim.read_data(CACL2_DILUTE)
    imported = condsim.import_data(EXAMPLES / "cacl2-25C-water-dilute-molal.csv",
                                   columns=(2, 3), concentration_unit="mol/kg",
                                   density=0.997047, conductivity_unit="equivalent",
                                   system=condsim.System(n=2))
    assert len(read) == len(imported) == 12
    assert list(read.concentration) == pytest.approx(list(imported.concentration), rel=1e-9)
    system = condsim.System(n=2, mcx="76.35", alfa=1)
    tables = {system.fit(data, "K1,MCA").table
              for data in (CACL2_DILUTE, read, (read.concentration, read.conductivity))}
    assert len(tables) == 1
    read.save(private_folder / "copy.txt")
    assert (private_folder / "copy.txt").read_text() == CACL2_DILUTE.read_text()


@pytest.mark.parametrize("unit, factor", [("S/cm", 1e3), ("mS/cm", 1.0), ("uS/cm", 1e-3)])
def test_import_converts_specific_conductance(private_folder, unit, factor):
    (private_folder / "measured.csv").write_text("c;kappa\n0,001;0,25\n0,002;0,5\n")
    data = condsim.import_data(private_folder / "measured.csv", conductivity_unit=unit)
    assert list(data.concentration) == [0.001, 0.002]
    assert list(data.conductivity) == pytest.approx([0.25 * factor, 0.5 * factor])


def test_solvent_table_lists_the_presets():
    solvents = {row["name"]: row for row in condsim.solvents()}
    assert set(solvents) == {"water", "acetonitrile", "methanol"}
    assert solvents["water"]["temperature"] == pytest.approx(298.15)
    assert 78 < solvents["water"]["permittivity"] < 79
    assert 0.8 < solvents["water"]["viscosity"] < 0.9
