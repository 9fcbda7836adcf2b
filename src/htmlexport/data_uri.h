// data: URIs for embedding pictures and media in the exported markup.
#pragma once
#include <string>

namespace tarvik {

// "data:<mime>;base64,<text>" of the whole file, or "" when the name is empty,
// the file does not exist or is empty. A file that exists but cannot be read
// raises ETarvikError.
std::string FileToDataUri(const std::string& fileName);
// The same, appended to out; returns false (out untouched) when it would be "".
bool AppendFileDataUri(std::string& out, const std::string& fileName);

}  // namespace tarvik
