#include "shell/application_state.hpp"

namespace shell {

ApplicationState Application;

}  // namespace shell
