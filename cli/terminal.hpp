#pragma once

namespace cli {

// Whether standard error is a terminal, where progress can be drawn in place.
bool StandardErrorIsTerminal();

}  // namespace cli
