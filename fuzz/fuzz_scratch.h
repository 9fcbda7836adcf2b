// What both fuzz targets share: a scratch folder of the process's own, and a
// load of one package that accepts only the reader's own failure type.
#pragma once
#include <string>

namespace tarvik::fuzz {

// A folder below the temporary folder, created on first use and removed when
// the process exits normally.
const std::string& ScratchFolder();

// Loads the package, reads every field of the model it gives, and removes
// the extraction folder. ETarvikError is the expected answer to bad input;
// any other exception escapes and the fuzzer reports it as a finding.
void LoadAndDiscard(const std::string& pptx);

}  // namespace tarvik::fuzz
