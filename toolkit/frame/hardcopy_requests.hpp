#pragma once
// The printer, plotter and HPGL2 choices of the configuration file, turned
// into the driver selection in toolkit::State.

#include "toolkit/frame/configuration_file.hpp"

namespace toolkit {

void ApplyHardcopyRequests(const ConfigurationRequests& requests);

}  // namespace toolkit
