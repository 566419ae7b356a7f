#pragma once
// File/Save Session and File/Open Session without their dialogs: the session taken from
// the windows as they stand, and the windows restored from a session.

#include <string>

#include "files/SessionFile.h"
#include "fit/FitParameter.h"
#include "ui/Application.h"

namespace condsim {

class FitWindow;
class ObservedDataImport;
class SeriesWindow;

// The windows a session holds beside the application's own, where there are they.
struct SessionWindows {
    FitWindow* fit = nullptr;
    SeriesWindow* series = nullptr;
};

// The session of the windows. The Fit window's choice and the Temperature Series window's
// list and choices are taken where there are those windows.
Session takeSession(const Application& app, const SessionWindows& windows = {});

// Checks every value of the session against the window that holds it, refusing the
// first one that window would refuse (Error naming fileName and the key) before anything
// changes; then restores the fields, tables, observed data, constants, scaling factors and
// the solution model, and runs Conduct Calculations where the session held calculated
// results, so that File/Save writes the report saved with it. The Fit window, where there
// is one, takes the chosen parameters and the weighting; the Temperature Series window the
// session's series, or its start-up state when the session has none.
void restoreSession(Application& app, const Session& session, const std::string& fileName,
                    const SessionWindows& windows = {});

// Fit parameters as --fit and the session take them: "K1,alfa,MCA".
std::string fitParameterOption(const std::vector<FitParameter>& parameters);

// The choices of an import that has just loaded its pairs, by their session names.
SessionImport sessionImportOf(const ObservedDataImport& import);

}  // namespace condsim
