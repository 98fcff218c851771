// The code converter library, loaded by name at run time and kept loaded once found.
#pragma once

#include <string>

namespace device {

// The converter's answer to the encoded capture without its first five characters; empty when
// the library or its ConvertCode is missing or it converts nothing. The answer is copied at once.
// With the maker's files in use it is the maker's converter that answers, through the host.
std::string convertCode(const std::string& converterInput);

// The same with the library of another name (as LoadLibrary takes it, without prefix or suffix),
// looked for next to the program first; for trying a missing or foreign library.
std::string convertCodeWith(const std::string& libraryName, const std::string& converterInput);

} // namespace device
