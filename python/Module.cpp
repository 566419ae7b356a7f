// The Python module condsim: the system, the calculation, the sweep with its report, the
// fit and the import, each run by the batch tool's session on the headless windows, so
// that the module and condsim-batch give the same numbers and texts.

#include "System.h"
#include "core/ReleaseInfo.h"
#include "files/DecimalSeparator.h"

namespace {

constexpr const char* moduleDoc = R"(Molar conductivity of stepwise ion-pair formation.

condsim simulates the conductivity of a salt whose cation binds up to n univalent anions
step by step (K1..Kn), plots it against observed data, shows the species distribution and
fits the constants, in an ideal solution (the designed calculation) or with activity
coefficients and Onsager-Fuoss conductances (Debye-Hueckel, Davies). This module runs the
same steps as condsim-batch, on the same code, and gives the same numbers:

    import condsim
    system = condsim.System(n=2, beta1="100", mca="59.5", mcx="76.3")
    points = system.calculate([1e-4, 1e-3, 1e-2])          # a Calculation of numpy arrays
    sweep = system.sweep("data.txt", report=True)          # sweep.report: File/Save's text
    data = condsim.read_data("data.txt")
    fit = system.fit(data, ["K1", "MCA"])                   # a FitResult
    fit["K1"].value, fit["K1"].value_text, fit.rms, fit.table
    series = system.fit_series("series.txt", ["K1", "MCA"], global_fit="free")
    series.vant_hoff.dH, series.global_fit.dH, series.fits[0].walden_product

Classes: System, Calculation, Sweep, ObservedData, FitResult, FittedValue, Comparison,
SeriesResult, SeriesFit, VantHoff, GlobalFit, Estimate.
Functions: read_data, import_data, solvents, solvent_at.
Errors: Error (a ValueError) and its subclasses UsageError, InputError, DataError,
CalculationError, FitError; each message is the program's text.

The program computes in 80-bit reals: the floats here are those values rounded to Python
floats (53 bits), and the *_text attributes, the fit's table and the report keep the
program's 15-digit texts where exactness matters. Numbers go in as the text a field takes:
pass a str to give the program exactly the digits you mean. The decimal separator of
numbers is the period. Long calls release the GIL and take threads=; the results are the
same for every thread count. See docs/python.md.)";

}  // namespace

PYBIND11_MODULE(condsim, module) {
    using namespace condsim::python;
    module.doc() = moduleDoc;
    module.attr("__version__") = condsim::programVersion;
    // Numbers in fields and texts use the period, whatever the locale of the process.
    condsim::setDecimalSeparator('.');
    registerExceptions(module);
    py::class_<System> system(module, "System");
    registerSystem(module, system);
    registerImport(module);
    registerCalculation(module, system);
    registerSweep(module, system);
    registerFit(module, system);
    registerSeries(module, system);
}
