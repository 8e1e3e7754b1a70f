#pragma once
// Standard input and output for logs and pushpin files: bytes pass unchanged,
// so that the CR LF line ends come out exactly on every platform.

#include <cstdio>
#include <string_view>

namespace conversion {

std::FILE* BinaryStandardInput();
std::FILE* BinaryStandardOutput();

// The open descriptor that a name such as /dev/stdout or /dev/fd/3 stands
// for, or -1 (always on Windows, which has no such names).
int DescriptorOfName(std::string_view name);

}  // namespace conversion
