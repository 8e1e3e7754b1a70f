#include "toolkit/frame/toolkit_state.hpp"

namespace toolkit {

ToolkitState State;

}  // namespace toolkit
