#include "toolkit/frame/hardcopy_requests.hpp"

#include "toolkit/state/toolkit_state.hpp"

namespace toolkit {
namespace {

// The HPGL2 mode that goes with a printer driver of that family.
std::int32_t PrinterHpgl2Mode(std::int32_t driver) {
  switch (driver) {
    case 32:
    case 35:
      return 2;
    case 29:
      return 3;
    case 38:
      return 5;
    default:
      return 1;
  }
}

}  // namespace

void ApplyHardcopyRequests(const ConfigurationRequests& requests) {
  const std::int32_t printer = requests.Printer;
  if (printer >= 1 && printer <= 38) {
    State.PrinterDriver = printer;
    State.PrinterDriverChosen = 1;
  } else {
    State.PrinterDriver = 28;
  }

  const std::int32_t plotter = requests.Plotter;
  bool modeSet = false;
  if (plotter >= 1 && plotter <= 10) {
    State.PlotterDriver = plotter;
    State.PlotterDriverChosen = 1;
  } else if (plotter >= 11 && plotter <= 15) {
    State.PlotterDriver = 1;
    State.Hpgl2Mode = plotter - 10;
    State.Hpgl2ModeChosen = 1;
    modeSet = true;
  } else {
    State.PlotterDriver = 1;
  }

  const std::int32_t hpgl2 = requests.Hpgl2;
  if (hpgl2 == 0 && modeSet) return;
  if (hpgl2 >= 1 && hpgl2 <= 5) {
    State.Hpgl2Mode = hpgl2;
    State.Hpgl2ModeChosen = 1;
  } else {
    State.Hpgl2Mode = PrinterHpgl2Mode(State.PrinterDriver);
  }
}

}  // namespace toolkit
