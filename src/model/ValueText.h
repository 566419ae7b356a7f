#pragma once
// Numbers in the model's own messages and descriptions, with as many significant digits as
// the text needs ("%.*Lg"). The windows' fields and tables keep their own number text
// (files/NumberText.h), which the model does not use.

#include <string>

#include "core/Ext.h"

namespace condsim {

std::string valueText(ext value, int significantDigits);

}  // namespace condsim
