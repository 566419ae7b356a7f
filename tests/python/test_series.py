"""The temperature series from Python: the same fits whatever form the series takes, the
van 't Hoff line and the global fit on a series made by the model, bad series refused
before anything is fitted, and calls that leave the caller's folder as it was."""

import pytest

import condsim
from conftest import CACL2_DILUTE, SERIES_SYSTEM, SERIES_TEMPERATURES, synthetic_series


@pytest.fixture
def series(private_folder):
    folder = private_folder / "data"
    folder.mkdir()
    return synthetic_series(folder)


def data_files(series):
    return sorted(series.parent.glob("set-*.txt"))


FORMS = {
    "series file": lambda s: s,
    "list of file names": lambda s: [(f, t) for f, t in zip(data_files(s), SERIES_TEMPERATURES)],
    "list of read_data": lambda s: [(condsim.read_data(f), t)
                                    for f, t in zip(data_files(s), SERIES_TEMPERATURES)],
    "list of arrays": lambda s: [((d.concentration, d.conductivity), t) for d, t in
                                 zip(map(condsim.read_data, data_files(s)), SERIES_TEMPERATURES)],
}


@pytest.mark.parametrize("form", FORMS)
def test_every_form_of_a_series_gives_the_same_fits(form, series):
    system = condsim.System(**SERIES_SYSTEM)
    expected = system.fit_series(series, "K1,MCA")
    result = system.fit_series(FORMS[form](series), ["K1", "MCA"])
    assert [f.fit["K1"].value_text for f in result.fits] == \
        [f.fit["K1"].value_text for f in expected.fits]
    assert result.vant_hoff.dH.value_text == expected.vant_hoff.dH.value_text
    if form == "list of arrays":
        # Data without a file of their own are named as such, never by a temporary file.
        assert all(f.data_file == "(data from Python)" for f in result.fits)
        assert "(series from Python), line 2" in result.fits[1].where
        assert "/tmp" not in result.table + result.csv + result.report
    if form == "list of read_data":
        # A name with a comma stays one field of the CSV.
        named = [(condsim.ObservedData(d.concentration, d.conductivity, name=f"set {i}, cold"),
                  t) for i, (d, t) in enumerate(FORMS[form](series))]
        rows = system.fit_series(named, "K1,MCA").csv.splitlines()[1:]
        assert [row.split('"')[1] for row in rows] == [f"set {i}, cold" for i in range(5)]


@pytest.mark.parametrize("global_fit, parameters", [(None, 10), ("free", 7), ("walden", 3)])
def test_van_t_hoff_and_global_fit_recover_the_series(global_fit, parameters, series):
    result = condsim.System(**SERIES_SYSTEM).fit_series(series, "K1,MCA", global_fit=global_fit)
    assert result.complete and result.messages == []
    assert [f.temperature for f in result.fits] == list(SERIES_TEMPERATURES)
    assert all(f.mcx_from == "Walden" for f in result.fits)
    # lambda x eta of the cation was made constant: the fits find it so to within 2 %.
    products = [f.walden_product for f in result.fits]
    assert max(products) / min(products) < 1.02
    vant_hoff = result.vant_hoff
    assert vant_hoff.fitted and vant_hoff.left_out == []
    assert vant_hoff.dH.interval[0] < 8 < vant_hoff.dH.interval[1]
    assert vant_hoff.dS.interval[0] < 48 < vant_hoff.dS.interval[1]
    assert vant_hoff.dCp is None
    if global_fit is None:
        assert result.global_fit is None
        return
    fit = result.global_fit
    assert fit.converged and fit.walden == (global_fit == "walden")
    assert fit.parameter_count == parameters and fit.separate_parameter_count == 10
    for estimate, truth in [(fit.dH, 8), (fit.dS, 48)]:
        low, high = estimate.profile_interval
        assert low < estimate.value < high
        assert abs(estimate.value - truth) < 3 * estimate.standard_error
    assert fit.sum_of_squares >= fit.separate_sum_of_squares
    assert 0 <= fit.f_probability <= 1
    assert fit.table in result.table and fit.dH.value_text in fit.table


def test_anion_conductivity_from_the_series_file(series):
    lines = series.read_text().splitlines()
    lines[3] += "\t80.5"
    series.write_text("\n".join(lines) + "\n")
    fits = condsim.System(**SERIES_SYSTEM).fit_series(series, "K1,MCA").fits
    assert [f.mcx_from for f in fits] == ["Walden", "Walden", "series file", "Walden", "Walden"]
    assert fits[2].mcx == 80.5


def test_a_data_set_that_cannot_be_fitted_leaves_the_others_standing(series):
    given = [(f, t) for f, t in zip(data_files(series), SERIES_TEMPERATURES)]
    given[1] = (([1e-3, 2e-3], [0.2, 0.4]), given[1][1])
    result = condsim.System(**SERIES_SYSTEM).fit_series(given, "K1,MCA", global_fit="free")
    assert [f.fitted for f in result.fits] == [True, False, True, True, True]
    failed = result.fits[1]
    assert failed.fit is None and failed.rms is None
    assert failed.failure.startswith("(series from Python), line 2: (data from Python)")
    assert result.messages == [failed.failure] and not result.complete
    assert len(result.vant_hoff.temperatures) == 4 and len(result.vant_hoff.left_out) == 1
    assert result.global_fit.converged and len(result.global_fit.temperatures) == 4
    assert failed.failure in result.table


def series_with(series, line):
    """The series with one more line."""
    series.write_text(series.read_text() + line + "\n")
    return series


BAD = {
    "missing data file": (lambda s: (series_with(s, "no-such.txt\t300"), {}),
                          condsim.DataError, "line 7: the data file"),
    "duplicate temperature": (lambda s: (series_with(s, "set-298K.txt\t278.15"), {}),
                              condsim.DataError, "is already that of line 2"),
    "water at 400 K": (lambda s: (series_with(s, "set-298K.txt\t400"), {}),
                       condsim.InputError, "line 7"),
    "methanol at 310 K": (lambda s: ([(data_files(s)[0], 298.15), (data_files(s)[1], 310)],
                                     dict(solution="debye-huckel", solvent="methanol")),
                          condsim.InputError, "line 2"),
    "missing series file": (lambda s: (s.parent / "none.txt", {}), condsim.DataError,
                            "none.txt"),
    "an item without T": (lambda s: [(data_files(s)[0],)], condsim.UsageError, "series takes"),
    "data of the wrong kind": (lambda s: [(42, 298.15)], condsim.UsageError,
                               "the data of a series take"),
    "a bad T in a list": (lambda s: ([(data_files(s)[0], "25C")], {}), condsim.DataError,
                          "the temperature '25C' is not a positive number"),
}


@pytest.mark.parametrize("name", BAD)
def test_a_bad_series_raises_before_anything_is_fitted(name, series, private_folder):
    make, error, words = BAD[name]
    made = make(series)
    given, keywords = made if isinstance(made, tuple) else (made, {})
    system = condsim.System(**SERIES_SYSTEM, **keywords)
    before = repr(system)
    with pytest.raises(error) as raised:
        system.fit_series(given, "K1,MCA")
    assert words in str(raised.value)
    assert repr(system) == before
    assert sorted(p.name for p in private_folder.iterdir()) == ["data"]


def test_solvents_say_which_temperatures_they_allow():
    allowed = {row["name"]: row["temperatures"] for row in condsim.solvents()}
    assert allowed["water"] == (273.15, 373.15) and allowed["methanol"] == (298.15, 298.15)
    warm = condsim.solvent_at("water", 310.15)
    assert warm["viscosity"] < condsim.solvent_at("water", 298.15)["viscosity"]
    with pytest.raises(condsim.InputError, match="methanol"):
        condsim.solvent_at("methanol", 310)
    with pytest.raises(condsim.UsageError, match="methanol"):
        condsim.System(solution="davies", solvent="methanol", temperature=310)


CALLS = {
    "sweep": lambda s: s.sweep(CACL2_DILUTE, report=True),
    "calculate": lambda s: s.calculate([1e-3]),
    "fit": lambda s: s.fit(CACL2_DILUTE, "K1,MCA", report=True),
    "series": lambda s: s.fit_series([(CACL2_DILUTE, 298.15), (CACL2_DILUTE, 308.15)], "K1"),
}


@pytest.mark.parametrize("name", CALLS)
def test_calls_leave_the_current_folder_as_it_was(name, private_folder):
    CALLS[name](condsim.System(**SERIES_SYSTEM))
    assert list(private_folder.iterdir()) == []


NAMED = {
    "arrays": (lambda d: (d.concentration, d.conductivity), "(data from Python)"),
    "named ObservedData": (lambda d: condsim.ObservedData(d.concentration, d.conductivity,
                                                          name="run 7"), "run 7"),
    "imported": (lambda d: condsim.import_data(
        CACL2_DILUTE.parent / "cacl2-25C-water-dilute-molal.csv", columns=(2, 3),
        concentration_unit="mol/kg", conductivity_unit="equivalent"),
        str(CACL2_DILUTE.parent / "cacl2-25C-water-dilute-molal.csv") + " (imported)"),
}


@pytest.mark.parametrize("name", NAMED)
def test_a_report_names_data_given_from_python(name):
    make, shown = NAMED[name]
    data = make(condsim.read_data(CACL2_DILUTE))
    report = condsim.System(**SERIES_SYSTEM).sweep(data, report=True).report
    assert shown in report and "/condsim-" not in report
