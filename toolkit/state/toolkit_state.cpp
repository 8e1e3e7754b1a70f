#include "toolkit/state/toolkit_state.hpp"

namespace toolkit {

ToolkitState State;

}  // namespace toolkit
