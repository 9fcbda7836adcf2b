#include "cli/answers_file.h"

#include <utility>
#include <vector>

#include "platform/codepage.h"
#include "platform/error.h"

namespace tarvik {

namespace {

// Just enough JSON for the answers: numbers are kept as their text.
struct TJsonValue {
  enum TType { Null, Bool, Number, String, Array, Object } Type = Null;
  bool B = false;
  std::string S;
  std::vector<TJsonValue> Items;
  std::vector<std::pair<std::string, TJsonValue>> Members;
};

class TJsonReader {
 public:
  explicit TJsonReader(const std::string& text) : t_(text) {}
  TJsonValue Document() {
    TJsonValue v = Value(0);
    Space();
    if (p_ != t_.size()) Fail("text after the end");
    return v;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) {
    throw ETarvikError("answers file: " + what + " at offset " + std::to_string(p_));
  }
  void Space() {
    while (p_ < t_.size() && (t_[p_] == ' ' || t_[p_] == '\t' || t_[p_] == '\n' || t_[p_] == '\r')) ++p_;
  }
  bool Take(char c) {
    Space();
    if (p_ < t_.size() && t_[p_] == c) return ++p_, true;
    return false;
  }
  void Word(const char* word, TJsonValue& v, TJsonValue::TType type, bool b) {
    std::string w(word);
    if (t_.compare(p_, w.size(), w) != 0) Fail("unexpected character");
    p_ += w.size();
    v.Type = type;
    v.B = b;
  }
  TJsonValue Value(int depth);
  std::string String();
  void Escape(std::string& out);
  char16_t Hex4() {
    if (p_ + 4 > t_.size()) Fail("short \\u escape");
    char16_t value = 0;
    for (int i = 0; i < 4; ++i) {
      char c = t_[p_++];
      int digit = c >= '0' && c <= '9'   ? c - '0'
                  : c >= 'a' && c <= 'f' ? c - 'a' + 10
                  : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                         : -1;
      if (digit < 0) Fail("bad \\u escape");
      value = static_cast<char16_t>(value * 16 + digit);
    }
    return value;
  }
  void List(TJsonValue& v, int depth);

  const std::string& t_;
  size_t p_ = 0;
};

TJsonValue TJsonReader::Value(int depth) {
  if (depth > 64) Fail("nested too deeply");
  Space();
  if (p_ >= t_.size()) Fail("unexpected end");
  TJsonValue v;
  char c = t_[p_];
  if (c == '{' || c == '[') List(v, depth);
  else if (c == '"') v.Type = TJsonValue::String, v.S = String();
  else if (c == 't') Word("true", v, TJsonValue::Bool, true);
  else if (c == 'f') Word("false", v, TJsonValue::Bool, false);
  else if (c == 'n') Word("null", v, TJsonValue::Null, false);
  else {
    size_t start = p_;
    while (p_ < t_.size() && std::string_view("+-.0123456789eE").find(t_[p_]) != std::string_view::npos) ++p_;
    if (p_ == start) Fail("unexpected character");
    v.Type = TJsonValue::Number;
    v.S = t_.substr(start, p_ - start);
  }
  return v;
}

void TJsonReader::List(TJsonValue& v, int depth) {
  bool object = t_[p_++] == '{';
  v.Type = object ? TJsonValue::Object : TJsonValue::Array;
  if (Take(object ? '}' : ']')) return;
  do {
    if (object) {
      Space();
      if (p_ >= t_.size() || t_[p_] != '"') Fail("expected a member name");
      std::string key = String();
      if (!Take(':')) Fail("expected ':'");
      v.Members.emplace_back(std::move(key), Value(depth + 1));
    } else {
      v.Items.push_back(Value(depth + 1));
    }
  } while (Take(','));
  if (!Take(object ? '}' : ']')) Fail(object ? "expected ',' or '}'" : "expected ',' or ']'");
}

std::string TJsonReader::String() {
  std::string out;
  ++p_;
  while (true) {
    if (p_ >= t_.size()) Fail("unterminated string");
    char c = t_[p_++];
    if (c == '"') return out;
    if (static_cast<unsigned char>(c) < 0x20) Fail("raw control character in a string");
    if (c == '\\') Escape(out);
    else out += c;
  }
}

void TJsonReader::Escape(std::string& out) {
  if (p_ >= t_.size()) Fail("unterminated string");
  char e = t_[p_++];
  static const std::string kPlain = "\"\\/bfnrt", kMeaning = "\"\\/\b\f\n\r\t";
  if (size_t at = kPlain.find(e); at != std::string::npos) return void(out += kMeaning[at]);
  if (e != 'u') Fail("bad escape");
  std::u16string unit(1, Hex4());
  // A surrogate pair arrives as two escapes.
  if (unit[0] >= 0xD800 && unit[0] < 0xDC00 && t_.compare(p_, 2, "\\u") == 0) {
    p_ += 2;
    unit += Hex4();
  }
  out += Utf16ToUtf8(unit);
}

// A string presses a button; an object types each of its texts into the box it names.
void AddFormStep(const TJsonValue& step, std::vector<ui::TFormStep>& steps) {
  if (step.Type == TJsonValue::String) return steps.push_back(ui::Press(step.S));
  if (step.Type != TJsonValue::Object)
    throw ETarvikError("answers file: a form step is a button name or an object of box texts");
  for (const auto& [box, text] : step.Members) {
    if (text.Type != TJsonValue::String) throw ETarvikError("answers file: the text for " + box + " is not a string");
    steps.push_back(ui::Fill(box, text.S));
  }
}

ui::TDialogAnswer Answer(const TJsonValue& entry) {
  if (entry.Type != TJsonValue::Object || entry.Members.size() != 1)
    throw ETarvikError("answers file: each dialog answer is an object with one member");
  const auto& [kind, value] = entry.Members[0];
  if (kind == "message") return ui::Dismiss(ui::TDialogAnswer::Message);
  if (kind == "form") {
    if (value.Type != TJsonValue::Array) throw ETarvikError("answers file: a form's answer is a list of steps");
    std::vector<ui::TFormStep> steps;
    for (const TJsonValue& step : value.Items) AddFormStep(step, steps);
    return ui::FormAnswer(std::move(steps));
  }
  for (auto k : {ui::TDialogAnswer::File, ui::TDialogAnswer::Folder, ui::TDialogAnswer::Input}) {
    if (kind != ui::AnswerKindName(k)) continue;
    if (value.Type == TJsonValue::Null) return ui::Dismiss(k);
    if (value.Type == TJsonValue::String) return ui::Confirm(k, value.S);
    throw ETarvikError("answers file: \"" + kind + "\" takes a string, or null to cancel");
  }
  throw ETarvikError("answers file: no dialog is called \"" + kind + "\"");
}

void HostAnswers(const TJsonValue& host, TEditAnswers& answers) {
  for (const auto& [code, value] : host.Members) {
    if (code.empty() || code.size() > 9 || code.find_first_not_of("0123456789") != std::string::npos)
      throw ETarvikError("answers file: \"" + code + "\" is no interface-access code");
    if (value.Type != TJsonValue::Null && value.Type != TJsonValue::String)
      throw ETarvikError("answers file: the host answers code " + code + " with a string, or null for false");
    THostAnswer answer;
    answer.Result = value.Type == TJsonValue::String;
    if (answer.Result) answer.Text = Utf8ToAnsi(value.S);
    answers.Host[std::stoi(code)] = answer;
  }
}

}  // namespace

TEditAnswers ParseEditAnswers(const std::string& json) {
  TJsonValue root = TJsonReader(json).Document();
  if (root.Type != TJsonValue::Object) throw ETarvikError("answers file: the document is not an object");
  TEditAnswers answers;
  for (const auto& [name, value] : root.Members) {
    if (name == "dialogs" && value.Type == TJsonValue::Array) {
      for (const TJsonValue& entry : value.Items) answers.Dialogs.push_back(Answer(entry));
    } else if (name == "host" && value.Type == TJsonValue::Object) {
      HostAnswers(value, answers);
    } else if (name == "interfaceAccess" && value.Type == TJsonValue::Bool) {
      answers.InterfaceAccess = value.B;
    } else {
      throw ETarvikError("answers file: unexpected member \"" + name + "\"");
    }
  }
  return answers;
}

}  // namespace tarvik
