#pragma once
// The whole number written in a text, as spin fields, fit parameter names and
// command-line options read it.

#include <string>

namespace condsim {

// The whole number written in a text ("+5", "-12", surrounding blanks allowed), or false.
bool parseWholeNumber(const std::string& text, int& value);

}  // namespace condsim
