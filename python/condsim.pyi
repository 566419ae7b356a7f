"""Molar conductivity of stepwise ion-pair formation (the types of the module condsim)."""

import os
from typing import Literal, Sequence, Union

import numpy
import numpy.typing

__version__: str

Number = Union[str, int, float]
PathName = Union[str, os.PathLike[str]]
FloatArray = numpy.typing.NDArray[numpy.float64]
Data = Union[PathName, "ObservedData", tuple[Sequence[Number], Sequence[Number]]]
SeriesItem = Union[tuple[Data, Number], tuple[Data, Number, Number]]

class Error(ValueError):
    """An error of condsim; its message is the program's text."""

class UsageError(Error):
    """An argument that condsim-batch's options refuse."""

class InputError(Error):
    """A value the program refuses when it takes the inputs."""

class DataError(Error):
    """Observed data the program refuses."""

class CalculationError(Error):
    """Conduct Calculations failed."""

class FitError(Error):
    """The fit or the comparison of n could not run or did not converge."""

class System:
    """The system and its solution model, as condsim-batch's options give them."""

    n: int | None
    beta1: str | None
    alfa: int | None
    model1: bool | None
    mca: str | None
    mcx: str | None
    points: int | None
    gradient: int | None
    hyperbolic: str | None
    factors: str | None
    solution: Literal["ideal", "debye-huckel", "davies"] | None
    ion_size: str | None
    solvent: Literal["water", "acetonitrile", "methanol"] | None
    temperature: str | None
    permittivity: str | None
    viscosity: str | None
    session: str | None
    K: list[str] | None
    def __init__(
        self,
        *,
        n: int | None = None,
        beta1: Number | None = None,
        alfa: int | None = None,
        model1: bool | None = None,
        mca: Number | None = None,
        mcx: Number | None = None,
        points: int | None = None,
        gradient: int | None = None,
        hyperbolic: Number | None = None,
        factors: PathName | None = None,
        K: Sequence[Number] | None = None,
        solution: Literal["ideal", "debye-huckel", "davies"] | None = None,
        ion_size: Number | None = None,
        solvent: Literal["water", "acetonitrile", "methanol"] | None = None,
        temperature: Number | None = None,
        permittivity: Number | None = None,
        viscosity: Number | None = None,
        session: PathName | None = None,
    ) -> None: ...
    def replace(self, **changes: object) -> System:
        """A copy with the keywords changed (None: the program's start value)."""
    def arguments(self) -> list[str]:
        """The condsim-batch arguments of this system."""
    def calculate(
        self, concentrations: float | Sequence[float] | FloatArray, *, threads: int | None = None
    ) -> Calculation:
        """The calculation at the given total concentrations C0 (mol/L)."""
    def sweep(
        self, data: Data | None = None, *, report: bool = False, threads: int | None = None
    ) -> Sweep:
        """Conduct Calculations, with the report File/Save writes when report=True."""
    def fit(
        self,
        data: Data,
        parameters: str | Sequence[str],
        *,
        weights: Literal["absolute", "relative"] = "absolute",
        compare_n: tuple[int, int] | None = None,
        report: bool = False,
        threads: int | None = None,
    ) -> FitResult:
        """Fits the parameters as condsim-batch --fit does, and applies them."""
    def fit_series(
        self,
        series: PathName | Sequence[SeriesItem],
        parameters: str | Sequence[str],
        *,
        weights: Literal["absolute", "relative"] = "absolute",
        global_fit: Literal["free", "walden"] | None = None,
        vant_hoff_cp: bool = False,
        threads: int | None = None,
    ) -> SeriesResult:
        """A temperature series as condsim-batch --series fits it."""

class Calculation:
    """Calculated points as numpy arrays (80-bit reals rounded to floats)."""

    n: int
    parameters: str
    solution_model: str
    notes: list[str]
    @property
    def concentration(self) -> FloatArray: ...
    @property
    def free_anion(self) -> FloatArray: ...
    @property
    def conductivity(self) -> FloatArray: ...
    @property
    def molar_conductivity(self) -> FloatArray: ...
    @property
    def abundance(self) -> FloatArray: ...
    @property
    def ionic_strength(self) -> FloatArray | None: ...
    @property
    def activity_coefficient(self) -> FloatArray | None: ...
    def __len__(self) -> int: ...

class Sweep:
    """The result of Conduct Calculations."""

    calculated: Calculation
    notes: list[str]
    @property
    def report(self) -> str | None: ...
    @property
    def report_bytes(self) -> bytes | None: ...
    @property
    def observed_concentration(self) -> FloatArray: ...
    @property
    def observed_conductivity(self) -> FloatArray: ...
    @property
    def observed_calculated(self) -> FloatArray: ...
    @property
    def observed_free_anion(self) -> FloatArray: ...

class ObservedData:
    """Pairs of C0 (mol/L) and the measured conductivity (MC*M)."""

    text: str
    name: str
    messages: list[str]
    def __init__(
        self,
        concentration: Sequence[Number],
        conductivity: Sequence[Number],
        name: str = "(data from Python)",
    ) -> None: ...
    @property
    def concentration(self) -> FloatArray: ...
    @property
    def conductivity(self) -> FloatArray: ...
    def save(self, file: PathName) -> None: ...
    def __len__(self) -> int: ...

class FittedValue:
    """One fitted parameter; *_text attributes hold the program's 15-digit texts."""

    name: str
    state: Literal["estimated", "at zero", "no effect", "not determined"]
    value: float
    value_text: str
    standard_error: float | None
    standard_error_text: str | None
    jacobian_interval: tuple[float, float] | None
    jacobian_interval_text: tuple[str, str] | None
    profile_interval: tuple[float, float] | None
    profile_interval_text: tuple[str, str] | None
    profile_leads: bool
    searched: tuple[float, float] | None

class Comparison:
    """The same fit at each n of a range, with RMS residual and AIC."""

    best_n: int
    n: list[int]
    aic: FloatArray
    rms: FloatArray
    fits: list[FitResult]
    table: str

class FitResult:
    """A fit: values, errors, intervals, correlation, RMS and what it left undetermined."""

    converged: bool
    message: str
    values: list[FittedValue]
    names: list[str]
    undetermined: list[str]
    correlation: FloatArray
    rms: float
    rms_text: str
    sum_of_squares: float
    iterations: int
    evaluations: int
    total_evaluations: int
    n: int
    point_count: int
    calculated: FloatArray
    stepwise_constants: FloatArray
    notes: list[str]
    solution_model: str
    model_notes: list[str]
    table: str
    comparison: Comparison | None
    sweep: Sweep | None
    def __getitem__(self, name: str) -> FittedValue: ...

class Estimate:
    """A quantity of the van 't Hoff line or the global fit, with its 95 % intervals."""

    name: str
    value: float
    value_text: str
    standard_error: float
    standard_error_text: str
    interval: tuple[float, float]
    interval_text: tuple[str, str]
    profile_interval: tuple[float, float] | None
    profile_interval_text: tuple[str, str] | None

class SeriesFit:
    """The separate fit of one data set of a series at its temperature."""

    temperature: float
    where: str
    data_file: str
    fitted: bool
    failure: str | None
    permittivity: float
    viscosity: float
    mcx: float
    mcx_from: Literal["series file", "Walden"]
    mca: float
    walden_product: float
    rms: float | None
    fit: FitResult | None

class VantHoff:
    """ln K1 against 1/T: dH, dS (dCp) of association and dG at 298.15 K."""

    fitted: bool
    refusal: str | None
    left_out: list[str]
    note: str | None
    with_heat_capacity: bool
    degrees_of_freedom: int
    scaled_by_chi_square: bool
    chi_square: float
    dH: Estimate
    dS: Estimate
    dCp: Estimate | None
    dG: Estimate
    temperatures: FloatArray
    ln_k1: FloatArray
    sigma: FloatArray
    table: str

class GlobalFit:
    """All data sets at once with dH and dS in place of one K1 per temperature."""

    converged: bool
    failure: str | None
    left_out: list[str]
    note: str | None
    walden: bool
    estimates: list[Estimate]
    dH: Estimate | None
    dS: Estimate | None
    dCp: Estimate | None
    where: list[str]
    temperatures: FloatArray
    K1: FloatArray
    mca: FloatArray
    point_count: int
    parameter_count: int
    separate_parameter_count: int
    sum_of_squares: float
    separate_sum_of_squares: float
    f_statistic: float
    f_probability: float
    rms: float
    evaluations: int
    table: str

class SeriesResult:
    """A temperature series: the separate fits, van 't Hoff and the global fit."""

    fits: list[SeriesFit]
    parameters: list[str]
    vant_hoff: VantHoff
    global_fit: GlobalFit | None
    complete: bool
    messages: list[str]
    table: str
    csv: str
    report: str

def read_data(file: PathName) -> ObservedData:
    """Reads an observed data file with the program's reader."""

def import_data(
    file: PathName,
    *,
    conductivity_unit: Literal["S/cm", "mS/cm", "uS/cm", "S/m", "molar", "equivalent"],
    concentration_unit: Literal["mol/L", "mmol/L", "mol/kg"] | None = None,
    columns: tuple[int, int] | None = None,
    skip: int | None = None,
    separator: Literal["auto", "space", "comma", "semicolon", "tab"] | None = None,
    decimal_comma: bool | None = None,
    density: Number | None = None,
    system: System | None = None,
) -> ObservedData:
    """Imports measured data in their own units, as condsim-batch --import does."""

def solvents() -> list[dict[str, str | float | tuple[float, float]]]:
    """The preset solvents of the ionic-strength models."""

def solvent_at(name: str, temperature: Number) -> dict[str, str | float | tuple[float, float]]:
    """The preset solvent at a temperature (K)."""
