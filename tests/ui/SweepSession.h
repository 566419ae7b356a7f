#pragma once
// Steps shared by the sweep, distribution and report tests: File/Open of an observed data
// file written into the session's folder, and the sweep with a chosen number of points.

#include <gtest/gtest.h>

#include <string>

#include "TestSession.h"
#include "plot/RecordingCanvas.h"

namespace condsim::testing {

// Writes the observed data file and opens it through File/Open; returns its full name.
inline std::string openObservedFile(Session& s, const std::string& name,
                                    const std::string& content) {
    const std::string file = s.directory.write(name, content);
    s.platform.answerNextDialog(file);
    EXPECT_TRUE(s.act([&] { s.form1.Open1Click(); }))
        << (s.errors().empty() ? "" : s.errors().back());
    return file;
}

// Runs "Conduct Calculations" with N points; true when it completed.
inline bool sweep(Session& s, int points) {
    s.form1.SpinEdit3.setValue(points);
    return s.act([&] { s.form1.Button3Click(); });
}

// The operations recorded on a picture so far; empty while it is blank.
inline std::vector<CanvasOperation> operationsOf(const Picture& picture) {
    const auto* canvas = dynamic_cast<const RecordingCanvas*>(picture.canvas());
    return canvas != nullptr ? canvas->operations() : std::vector<CanvasOperation>{};
}

// Three observed points, 0.001 to 0.004 M, CR LF line ends.
inline const char* const threePoints = "0.001 0.11\r\n0.002 0.2\r\n0.004 0.35\r\n";

}  // namespace condsim::testing
