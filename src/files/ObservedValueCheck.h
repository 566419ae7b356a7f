#pragma once
// Observed values that no calculation can use, refused while the data are read rather than
// when the plot or the sweep first meets them: every concentration must be above 0 (the
// plot divides by it and the sweep takes its logarithm), and at least one conductivity must
// be above 0 (the plot's height comes from the largest). Each refusal keeps the text that
// the calculation would have shown, and names the file, the line and the value below it.

#include <string>
#include <utility>

#include "core/Ext.h"

namespace condsim {

class ObservedValueCheck {
  public:
    explicit ObservedValueCheck(std::string fileName) : fileName_(std::move(fileName)) {}

    // One pair, read from the given line (from 1). Throws for a concentration at or below 0.
    void add(ext concentration, ext conductivity, int line);
    // After the last pair: throws when no conductivity was above 0.
    void finish() const;

  private:
    std::string fileName_;
    bool conductivityAboveZero_ = false;
};

}  // namespace condsim
