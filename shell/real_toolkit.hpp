#pragma once
// The toolkit itself behind the program's interface to it.

#include "shell/toolkit_interface.hpp"

namespace shell {

Toolkit& RealToolkit();

}  // namespace shell
