#pragma once
// File > Save and File > Save As: convert the opened log and report it in the
// progress lines.

#include <string_view>

#include "conversion/formats/output_format.hpp"
#include "conversion/run/convert_log_file.hpp"
#include "shell/toolkit_interface.hpp"

namespace shell {

inline constexpr int SaveMode = 0;
inline constexpr int SaveAsMode = 1;

// Save asks for a name only when none is set, and writes the default format;
// Save As always asks, offering every format as a file type (that one first):
// an extension typed of one of them chooses that format, otherwise the type
// chosen does. A name chosen without an extension gets the format's
// (".txt" only when it has no dot at all), and a file of that name is
// replaced only when the user says yes. A failed run is told in a message box with the
// system's reason; the log stays chosen, so that Save As can try another
// place.
void ConvertLog(Toolkit& toolkit, int mode);

// The conversion of a log into a format as the options are set: the
// number style, the resolution, the fixes kept and the zone of the times.
conversion::ConversionRequest ChosenRequest(std::string_view log, std::string_view output,
                                            conversion::OutputFormat format);

// The box of a failed conversion: "<file>: <the system's reason>".
void ReportFailure(Toolkit& toolkit, std::string_view file, std::string_view reason);

}  // namespace shell
