#pragma once
// A spin field: a whole number held as text, with a minimum and a maximum.
//
// Reading gives the whole number in the text, or the minimum when the text is not one.
// The range applies when the program sets the value, on each arrow step and when the
// field loses the focus; never while the user types. A text that is not a whole number
// is replaced by the minimum it reads as when the field loses the focus, so that the
// field shows the value in effect; that replacement runs no handler (the value is the
// same). A minimum equal to the maximum
// means no range. The change handler runs for every change of the text that the user
// causes (typing, arrow steps, the correction on leaving), never for values that the
// program sets.
//
// Typed text is not yet committed: Enter, an arrow step or leaving the field commits it,
// and runs the commit handler (after the change handler of that step or correction), so
// that what must not interrupt the typing (a message box) can wait for it.

#include <functional>
#include <string>

#include "files/WholeNumber.h"

namespace condsim {

class SpinField {
  public:
    SpinField(int minimum, int maximum, int value);

    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    const std::string& text() const { return text_; }
    int value() const;

    // Program access: clamps to the range, runs no handler.
    void setValue(int value);

    // User actions.
    void userSetText(const std::string& text);  // typing or pasting: no range applied
    void userStep(int delta);                   // arrow button or arrow key: +1 or -1
    void userLeave();                           // losing the keyboard focus
    // Enter: commits typed text. False when nothing was typed since the last commit.
    bool userCommit();
    // Whether the text was typed and not yet committed.
    bool typing() const { return typing_; }

    void setChangeHandler(std::function<void()> handler) { onChange_ = std::move(handler); }
    void setCommitHandler(std::function<void()> handler) { onCommit_ = std::move(handler); }

    unsigned long long revision() const { return revision_; }

  private:
    bool hasRange() const { return minimum_ != maximum_; }
    int clamped(int value) const;
    void setUserText(std::string text);
    void committed(bool wasTyping);

    int minimum_;
    int maximum_;
    std::string text_;
    std::function<void()> onChange_;
    std::function<void()> onCommit_;
    bool typing_ = false;
    unsigned long long revision_ = 0;
};

}  // namespace condsim
