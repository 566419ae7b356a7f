#pragma once
// A single-line edit field: its text is read and written whole. Also the hidden carriers
// that pass values between the solver's steps as text.

#include <string>

namespace condsim {

class EditField {
  public:
    explicit EditField(std::string text = {}) : text_(std::move(text)) {}

    const std::string& text() const { return text_; }
    void setText(std::string text) {
        if (text == text_) return;
        text_ = std::move(text);
        ++revision_;
    }
    unsigned long long revision() const { return revision_; }

  private:
    std::string text_;
    unsigned long long revision_ = 0;
};

}  // namespace condsim
