// The import action (6, ovPPTXImport): a presentation becomes a VisualNEO Win
// publication source file, which is then opened through the shell.
#pragma once
#include <string>
#include <vector>

namespace tarvik {

// Checks the presentation and the output name, runs ConvertPPTXToPub, sets
// "[PPTXImportedPub]", "[PPTXImportedSlides]", "[PPTXImportedObjects]" and an
// empty "[LastError]", and gives the result of OpenGeneratedPublication.
bool ExecImport(const std::vector<std::string>& params);

// Asks the shell to open FileName with its associated application. True when
// the shell accepted; otherwise "[LastError]" says why and the result is false.
// A host without a desktop sets TARVIK_SHELL_OPEN=0 in the environment: the
// request is then taken as accepted and nothing is launched.
bool OpenGeneratedPublication(const std::string& fileName);

}  // namespace tarvik
