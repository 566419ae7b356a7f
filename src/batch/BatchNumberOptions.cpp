#include "batch/BatchNumberOptions.h"

#include <cctype>
#include <optional>

#include "core/Error.h"
#include "files/DecimalSeparator.h"
#include "files/NumberText.h"
#include "files/NumberTextForm.h"
#include "model/ionic/Solvent.h"

namespace condsim {

namespace {

// The process's decimal separator, set for the checks and restored afterwards.
class SeparatorForChecks {
  public:
    explicit SeparatorForChecks(char separator) : saved_(decimalSeparator()) {
        setDecimalSeparator(separator);
    }
    ~SeparatorForChecks() { setDecimalSeparator(saved_); }
    SeparatorForChecks(const SeparatorForChecks&) = delete;
    SeparatorForChecks& operator=(const SeparatorForChecks&) = delete;

  private:
    char saved_;
};

void checkNumber(const std::string& option, const std::optional<std::string>& value,
                 const std::string& takes, char separator) {
    if (!value || numberOrNothing(*value)) return;
    const std::string& text = *value;
    std::string reason = withFinalPoint(notANumberError(text).text()) + "\n" + option + " takes " +
                         takes + ", not '" + text + "'";
    if (hasNumberForm(text, separator)) {
        reason += "\nThe value is beyond the range of numbers (about 1e-4951 to 1e+4932 in size)";
    } else if (!withSeparatorForOtherMark(text, separator).empty()) {
        reason += separator == '.'
                      ? "\nDecimal commas are not read: option values take a period as the "
                        "decimal point, unless --decimal-separator , is given"
                      : std::string("\nDecimal points are not read: option values take '") +
                            separator +
                            "' as the decimal separator (the locale's), unless "
                            "--decimal-separator . is given";
    }
    throw BatchUsageError{reason};
}

}  // namespace

bool usableDecimalSeparator(char separator) {
    const auto c = static_cast<unsigned char>(separator);
    return std::ispunct(c) != 0 && separator != '+' && separator != '-';
}

void checkNumberOptions(const BatchOptions& options) {
    const char separator = options.decimalSeparator.value_or(decimalSeparatorOfUserLocale());
    const SeparatorForChecks checks(separator);
    // An example value with the separator of the run: "59.5", or "59,5" with a comma.
    const auto example = [separator](const char* whole, const char* fraction) {
        return std::string(" as a number, for example ") + whole + separator + fraction;
    };
    const std::optional<std::string> noValue;
    const struct {
        const char* option;
        const std::optional<std::string>& value;
        std::string takes;
    } numberOptions[] = {
        {"--beta1", options.beta1, "K1 as a number, for example 1e4"},
        {"--mca", options.mca, "lambda(A/z) in S cm2 mol-1" + example("59", "5")},
        {"--mcx", options.mcx, "lambda(X-) in S cm2 mol-1" + example("76", "3")},
        {"--hyperbolic", options.hyperbolic, "the parameter a" + example("2", "5")},
        {"--ion-size", options.ionSizeIsBjerrum() ? noValue : options.ionSize,
         "the ion size in Angstrom" + example("4", "5") + ", or bjerrum"},
        {"--temperature", options.temperature, "the temperature in K" + example("298", "15")},
        {"--permittivity", options.permittivity, "the relative permittivity" + example("35", "9")},
        {"--viscosity", options.viscosity, "the viscosity in mPa s" + example("0", "341")},
        {"--density", options.importing.density, "the density in kg/L" + example("0", "997")},
    };
    for (const auto& entry : numberOptions)
        checkNumber(entry.option, entry.value, entry.takes, separator);
    // --temperature without a solvent of one's own: the temperatures the preset allows.
    if (options.temperature && !options.permittivity) {
        const std::string solvent = options.solvent.value_or("water");
        const auto kelvin = numberOrNothing(*options.temperature);
        const SolventTemperatures allowed = solventTemperatures(solvent);
        if (!kelvin || !(*kelvin >= allowed.low && *kelvin <= allowed.high)) {
            throw BatchUsageError{"--temperature takes " + solvent +
                                  (allowed.low == allowed.high ? " at " : " from ") +
                                  solventTemperaturesText(solvent) + ", not '" +
                                  *options.temperature + "'"};
        }
    }
}

}  // namespace condsim
