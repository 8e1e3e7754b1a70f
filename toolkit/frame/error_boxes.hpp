#pragma once
// The boxes in which errors are shown on Windows: the "Library Error" box of
// report mode 4 and the fatal box of AbnormalExit. ToolkitStart registers
// them, so that they serve from the program's first toolkit call on.

namespace toolkit {

void RegisterErrorBoxes();

}  // namespace toolkit
