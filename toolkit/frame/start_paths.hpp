#pragma once
// The directories and file names that ToolkitStart derives from the
// environment and the file system.

#include <string_view>

#include "text/fixed_text.hpp"

namespace toolkit {

using ExistsTest = bool (*)(std::string_view name);

// The text with a "\" appended unless it is blank or already ends with one.
text::FixedText<140> WithSeparator(std::string_view directory);

// The toolkit's root directory from KESTRA (a directory, separator added).
text::FixedText<140> RootFromKestra(std::string_view kestra);
// ... from KIDE: the directory above the last "KIDE" in it, any case.
text::FixedText<140> RootFromKide(std::string_view kide);
// ... from the drive of the current directory: "X:\kest\".
text::FixedText<140> RootFromDrive(std::string_view currentDirectory);

// TEMP, else TMP, else C:\, followed by the first free name kvt$$00.plt to
// kvt$$99.plt (kvt$$99.plt when none is free).
text::FixedText<160> TempPlotFileName(std::string_view temp, std::string_view tmp, ExistsTest fileExists);

// LUMCHDIR, else the root directory's "charsets" when that directory exists.
text::FixedText<140> StrokeFontDirectory(std::string_view lumchdir, std::string_view root, ExistsTest directoryExists);

}  // namespace toolkit
