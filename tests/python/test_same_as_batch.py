"""The module and condsim-batch on the same inputs: the same report, byte for byte, and the
same fitted values to the last of their 15 digits."""

import pytest

import condsim
from conftest import (CACL2_DILUTE, CACL2_SYSTEM, SALT_2TO1, SALT_6TO1, SERIES_SYSTEM, run_batch,
                      synthetic_series)

SWEEPS = {
    "default 6:1": ({}, SALT_6TO1),
    "2:1 with Model #1 off": (dict(n=2, beta1="300", model1=False), SALT_2TO1),
    "gradient factors": (dict(gradient=20, points=40), SALT_6TO1),
    "hyperbolic factors": (dict(hyperbolic="2"), SALT_6TO1),
    "Debye-Hueckel in methanol": (dict(**CACL2_SYSTEM, solution="debye-huckel",
                                       solvent="methanol"), CACL2_DILUTE),
    "Debye-Hueckel in water at 37 C": (dict(**CACL2_SYSTEM, solution="debye-huckel",
                                            temperature="310.15"), CACL2_DILUTE),
    "Davies in a solvent of its own": (dict(**CACL2_SYSTEM, solution="davies", ion_size="6",
                                            temperature="298.15", permittivity="36",
                                            viscosity="0.34"), CACL2_DILUTE),
}


@pytest.mark.parametrize("name", SWEEPS)
def test_sweep_report_is_the_batch_tools(name, private_folder):
    keywords, data = SWEEPS[name]
    system = condsim.System(**keywords)
    sweep = system.sweep(data, report=True)
    batch = run_batch(["--data", data, *system.arguments(), "--report", "batch.txt"],
                      private_folder)
    assert batch.returncode == 0, batch.stderr
    assert sweep.report_bytes == (private_folder / "batch.txt").read_bytes()


FITS = {
    "ideal K1, MCA": (CACL2_SYSTEM, "K1,MCA", "absolute", None),
    "ideal relative": (CACL2_SYSTEM, "K1,MCA", "relative", None),
    "Debye-Hueckel K1, MCA": (dict(**CACL2_SYSTEM, solution="debye-huckel"), "K1,MCA",
                              "absolute", None),
    "comparison of n": (dict(), "K1,alfa", "absolute", (2, 4)),
}


@pytest.mark.parametrize("name", FITS)
def test_fit_table_values_and_report_are_the_batch_tools(name, private_folder):
    keywords, parameters, weights, compare = FITS[name]
    data = SALT_6TO1 if compare else CACL2_DILUTE
    system = condsim.System(**keywords)
    fit = system.fit(data, parameters, weights=weights, compare_n=compare, report=True)
    extra = ["--fit-n", f"{compare[0]}..{compare[1]}"] if compare else []
    batch = run_batch(["--data", data, *system.arguments(), "--fit", parameters,
                       "--weights", weights, *extra, "--report", "batch.txt"], private_folder)
    assert batch.returncode == 0, batch.stderr
    printed = batch.stdout.decode()
    expected = (fit.comparison.table + "\n" if compare else "") + fit.table
    assert printed == expected
    # The first line that starts with a name: the value's row (the correlation's comes later).
    rows = {}
    for line in printed.splitlines():
        rows.setdefault(line.split("\t")[0], line.split("\t"))
    for value in fit.values:
        assert rows[value.name][1] == value.value_text
        if value.standard_error_text is not None:
            assert rows[value.name][2] == value.standard_error_text
    assert rows["RMS residual"][1] == fit.rms_text
    assert fit.sweep.report_bytes == (private_folder / "batch.txt").read_bytes()


def test_import_converts_as_the_batch_tool(private_folder):
    molal = CACL2_DILUTE.parent / "cacl2-25C-water-dilute-molal.csv"
    units = dict(columns=(2, 3), concentration_unit="mol/kg", density="0.997047",
                 conductivity_unit="equivalent")
    data = condsim.import_data(molal, **units, system=condsim.System(n=2))
    batch = run_batch(["--n", "2", "--import", molal, "--columns", "2,3",
                       "--concentration-unit", "mol/kg", "--density", "0.997047",
                       "--conductivity-unit", "equivalent", "--write-data", "pairs.txt"],
                      private_folder)
    assert batch.returncode == 0, batch.stderr
    assert data.text.encode() == (private_folder / "pairs.txt").read_bytes()
    assert any("guessed" in message for message in data.messages)


def test_data_read_with_read_data_report_their_file(private_folder):
    data = condsim.read_data(SALT_6TO1)
    batch = run_batch(["--data", SALT_6TO1, "--report", "batch.txt"], private_folder)
    assert batch.returncode == 0, batch.stderr
    assert condsim.System().sweep(data, report=True).report_bytes == \
        (private_folder / "batch.txt").read_bytes()


SERIES = {
    "separate fits": {},
    "global fit, lambda free": dict(global_fit="free"),
    "global fit, Walden, dCp": dict(global_fit="walden", vant_hoff_cp=True),
}


@pytest.mark.parametrize("name", SERIES)
def test_series_texts_and_values_are_the_batch_tools(name, private_folder):
    keywords = SERIES[name]
    (private_folder / "data").mkdir()
    series = synthetic_series(private_folder / "data")
    system = condsim.System(**SERIES_SYSTEM)
    result = system.fit_series(series, "K1,MCA", **keywords)
    extra = (["--global-fit", keywords["global_fit"]] if "global_fit" in keywords else []) + \
        (["--vant-hoff-cp", "on"] if keywords.get("vant_hoff_cp") else [])
    batch = run_batch(["--series", series, *system.arguments(), "--fit", "K1,MCA", *extra,
                       "--series-csv", "table.csv", "--series-report", "report.txt"],
                      private_folder)
    assert batch.returncode == 0, batch.stderr
    printed = batch.stdout.decode()
    assert printed == result.table
    assert (private_folder / "table.csv").read_bytes() == result.csv.encode()
    assert (private_folder / "report.txt").read_bytes() == result.report.encode()
    # The first row that starts with a temperature: the separate fit's (the global fit's
    # rows come later).
    rows = {}
    for line in printed.splitlines():
        rows.setdefault(line.split("\t")[0], line)
    for fit in result.fits:
        row = rows[repr(fit.temperature)]
        for value in fit.fit.values:
            assert "\t" + value.value_text + "\t" in row
    assert "\t" + result.vant_hoff.dH.value_text + "\t" in printed
    if result.global_fit:
        for estimate in result.global_fit.estimates:
            assert "\t" + estimate.value_text + "\t" in printed


def test_a_saved_session_gives_the_batch_tools_report(private_folder):
    fitted = condsim.System(**CACL2_SYSTEM, solution="debye-huckel")
    saved = run_batch(["--data", CACL2_DILUTE, *fitted.arguments(), "--fit", "K1,MCA",
                       "--save-session", "work.condsim"], private_folder)
    assert saved.returncode == 0, saved.stderr
    session = private_folder / "work.condsim"
    for keywords, options in [({}, []), (dict(mca="70", points=40), ["--mca", "70", "--points",
                                                                       "40"])]:
        system = condsim.System(session=session, **keywords)
        batch = run_batch(["--session", session, *options, "--report", "batch.txt"],
                          private_folder)
        assert batch.returncode == 0, batch.stderr
        assert system.sweep(report=True).report_bytes == (private_folder / "batch.txt").read_bytes()
    damaged = private_folder / "damaged.condsim"
    damaged.write_text(session.read_text().replace('"n": 2', '"n": 31'))
    with pytest.raises(condsim.DataError, match=r"main\.n: 31 is outside 2\.\.30"):
        condsim.System(session=damaged)
