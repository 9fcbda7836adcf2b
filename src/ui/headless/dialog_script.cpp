#include "ui/headless/dialog_script.h"

#include <array>

namespace tarvik::ui {

namespace {

constexpr std::array<const char*, 5> kKindNames = {"form", "file", "folder", "input", "message"};

std::string EscapeField(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && c != '%') {
      out += c;
      continue;
    }
    out += '%';
    out += kHex[byte >> 4];
    out += kHex[byte & 15];
  }
  return out;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// A "%" not followed by two hex digits stands for itself.
std::string UnescapeField(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    int high = i + 2 < text.size() && text[i] == '%' ? HexValue(text[i + 1]) : -1;
    int low = high >= 0 ? HexValue(text[i + 2]) : -1;
    if (low < 0) {
      out += text[i];
      continue;
    }
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return out;
}

std::vector<std::string> SplitLine(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  while (true) {
    size_t tab = line.find('\t', start);
    fields.push_back(UnescapeField(line.substr(start, tab - start)));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

std::string JoinFields(const std::vector<std::string>& fields) {
  std::string line;
  for (size_t i = 0; i < fields.size(); ++i) line += (i ? "\t" : "") + EscapeField(fields[i]);
  return line + "\n";
}

// One line of the answers file into Script; false when it is none of its forms.
bool ParseAnswerLine(const std::vector<std::string>& f, TDialogScript& script) {
  const std::string& word = f[0];
  if ((word == "set" && f.size() == 3) || (word == "press" && f.size() == 2)) {
    if (script.empty() || script.back().Kind != TDialogAnswer::Form) return false;
    script.back().Steps.push_back({word == "press", f[1], f.size() == 3 ? f[2] : std::string()});
    return true;
  }
  if (word == "form" && f.size() == 1) {
    script.push_back(FormAnswer({}));
    return true;
  }
  if (word == "message" && f.size() == 2 && f[1] == "ok") {
    script.push_back(Dismiss(TDialogAnswer::Message));
    return true;
  }
  for (size_t k = TDialogAnswer::File; k <= TDialogAnswer::Input; ++k) {
    if (word != kKindNames[k]) continue;
    auto kind = static_cast<TDialogAnswer::TKind>(k);
    if (f.size() == 3 && f[1] == "ok") script.push_back(Confirm(kind, f[2]));
    else if (f.size() == 2 && f[1] == "cancel") script.push_back(Dismiss(kind));
    else return false;
    return true;
  }
  return false;
}

}  // namespace

const char* AnswerKindName(TDialogAnswer::TKind kind) { return kKindNames[static_cast<size_t>(kind)]; }

std::string FormatDialogScript(const TDialogScript& script) {
  std::string text;
  for (const TDialogAnswer& answer : script) {
    std::string kind = AnswerKindName(answer.Kind);
    if (answer.Kind == TDialogAnswer::Form) {
      text += JoinFields({kind});
      for (const TFormStep& step : answer.Steps)
        text += step.Press ? JoinFields({"press", step.Name}) : JoinFields({"set", step.Name, step.Text});
    } else if (answer.Kind == TDialogAnswer::Message) {
      text += JoinFields({kind, "ok"});
    } else {
      text += answer.Confirm ? JoinFields({kind, "ok", answer.Text}) : JoinFields({kind, "cancel"});
    }
  }
  return text;
}

bool ParseDialogScript(const std::string& text, TDialogScript& script, std::string& error) {
  script.clear();
  std::vector<std::string> lines = Lines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].empty()) continue;
    if (!ParseAnswerLine(SplitLine(lines[i]), script)) {
      error = "line " + std::to_string(i + 1) + " is no answer: " + lines[i];
      script.clear();
      return false;
    }
  }
  return true;
}

std::string FormatTranscriptLine(const TTranscriptLine& line) {
  std::vector<std::string> fields{line.Kind};
  fields.insert(fields.end(), line.Fields.begin(), line.Fields.end());
  return JoinFields(fields);
}

std::vector<TTranscriptLine> ParseTranscript(const std::string& text) {
  std::vector<TTranscriptLine> transcript;
  for (const std::string& line : Lines(text)) {
    if (line.empty()) continue;
    std::vector<std::string> fields = SplitLine(line);
    transcript.push_back({fields[0], std::vector<std::string>(fields.begin() + 1, fields.end())});
  }
  return transcript;
}

}  // namespace tarvik::ui
