#pragma once
// Text from outside the log (its file name) made fit for the map formats:
// UTF-8, escaped as XML and JSON require.

#include <string>
#include <string_view>

namespace conversion {

// The bytes as UTF-8: valid UTF-8 stays as it is; any other byte is taken as
// Windows-1252, the code page such names were written in.
std::string Utf8Text(std::string_view bytes);

// UTF-8 text as XML character data or attribute value. The characters XML
// cannot hold (control characters, U+FFFE, U+FFFF) become U+FFFD.
void AppendXmlText(std::string& out, std::string_view utf8);

// UTF-8 text as a JSON string, quotes included.
void AppendJsonString(std::string& out, std::string_view utf8);

// "<name>...</name>" and a line end; nothing for an empty name.
void AppendXmlName(std::string& out, std::string_view utf8);

// The file name of a log as its formats show it: UTF-8, without its folder;
// empty for standard input.
std::string LogTitle(std::string_view logName);

}  // namespace conversion
