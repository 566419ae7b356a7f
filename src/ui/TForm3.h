#pragma once
// The scaling-factor window without its widgets: the factor table, the two gradient
// rules, the factor file and cell editing.

#include "core/CellTable.h"
#include "ui/EditField.h"
#include "ui/Platform.h"
#include "ui/ProcessState.h"
#include "ui/SpinField.h"
#include "ui/WindowState.h"

namespace condsim {

class TForm1;

class TForm3 {
  public:
    TForm3(ProcessState& state, Platform& platform);
    TForm3(const TForm3&) = delete;
    TForm3& operator=(const TForm3&) = delete;

    void connect(TForm1& form1) { form1_ = &form1; }

    WindowState window;

    CellTable StringGrid2{2, 5};  // species label, scaling factor
    SpinField selectcol{0, 0, 0};
    SpinField selectrow{0, 0, 0};
    EditField cellvalue;
    SpinField katamuki{-100, 100, 0};  // gradient of the Type 1 rule
    EditField a_value{"1"};            // parameter a of the Type 2 rule

    // Refills the table from the factor array with m factor rows labelled AX0^m+ ...
    void FillFactorTable(int m);

    void katamukiChange();  // Type 1 rule
    void Button6Click();    // "Apply": Type 2 rule
    void StringGrid2SelectCell(int column, int row);
    void AdoptClick();
    void Open1Click();  // File/Open: a factor file
    void Exit1Click() { window.hide(); }

  private:
    ProcessState& state_;
    Platform& platform_;
    TForm1* form1_ = nullptr;
};

}  // namespace condsim
