#pragma once
// Standard input and output for logs and pushpin files: bytes pass unchanged,
// so that the CR LF line ends come out exactly on every platform.

#include <cstdio>

namespace conversion {

std::FILE* BinaryStandardInput();
std::FILE* BinaryStandardOutput();

}  // namespace conversion
