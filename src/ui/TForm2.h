#pragma once
// The abundance window without its widgets: the calculated-data table, the species
// distribution picture and its range fields.

#include "core/CellTable.h"
#include "ui/EditField.h"
#include "ui/Picture.h"
#include "ui/ProcessState.h"
#include "ui/SpinField.h"
#include "ui/WindowState.h"

namespace condsim {

class TForm2 {
  public:
    static constexpr int imageDesignWidth = 1233;
    static constexpr int imageDesignHeight = 777;

    TForm2(ProcessState& state, const CanvasFactory& canvasFactory);
    TForm2(const TForm2&) = delete;
    TForm2& operator=(const TForm2&) = delete;

    WindowState window;
    bool tableVisible = false;  // the table covers the picture when visible

    CellTable StringGrid1{3, 5};       // the calculated data of the last sweep
    SpinField SpinEdit1{1, 100, 100};  // y maximum in percent
    EditField Edit3{"0"};              // y minimum
    EditField Edit1{"Edit1"};          // x minimum
    EditField Edit2{"Edit2"};          // x maximum
    Picture Image1;

    void drawdistributionClick();  // draws the species distribution from the table
    void ReDraw1Click() { drawdistributionClick(); }
    void ShowHideData1Click() { tableVisible = !tableVisible; }
    void Exit1Click() { window.hide(); }
    void Save1Click() {}  // the menu item has no action

  private:
    ProcessState& state_;
};

}  // namespace condsim
