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
    messages: list[str]
    def __init__(self, concentration: Sequence[Number], conductivity: Sequence[Number]) -> None: ...
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

def solvents() -> list[dict[str, str | float]]:
    """The preset solvents of the ionic-strength models."""
