#pragma once
// A check box without a handler of its own: the user toggles it, the program may clear it.

namespace condsim {

class CheckBox {
  public:
    explicit CheckBox(bool checked) : checked_(checked) {}
    bool checked() const { return checked_; }
    void setChecked(bool checked) {
        if (checked == checked_) return;
        checked_ = checked;
        ++revision_;
    }
    unsigned long long revision() const { return revision_; }

  private:
    bool checked_;
    unsigned long long revision_ = 0;
};

}  // namespace condsim
