// The answers file of tarvik edit: every kind of answer and host reply it
// can say, and a clear refusal of whatever it cannot.
#include <gtest/gtest.h>

#include "cli/answers_file.h"
#include "platform/error.h"

using namespace tarvik;
using namespace tarvik::ui;

namespace {

TEST(AnswersFile, ReadsEveryAnswerInOrder) {
  const char* json = R"({
    "dialogs": [
      {"form": [{"FEdSource": "C:\\a \"b\".pptx", "FEdOutput": "\u00e9\ud83d\ude00"}, "FBtnOutput", "FBtnOK"]},
      {"file": "out.html"}, {"file": null}, {"folder": "site"}, {"input": ""}, {"input": null},
      {"message": "OK"}, {"form": []}
    ],
    "host": {"8": "Rectangle2", "12": null},
    "interfaceAccess": false
  })";
  TEditAnswers answers = ParseEditAnswers(json);
  using K = TDialogAnswer::TKind;
  TDialogScript expected = {
      FormAnswer({Fill("FEdSource", "C:\\a \"b\".pptx"), Fill("FEdOutput", "\xC3\xA9\xF0\x9F\x98\x80"),
                  Press("FBtnOutput"), Press("FBtnOK")}),
      Confirm(K::File, "out.html"), Dismiss(K::File), Confirm(K::Folder, "site"), Confirm(K::Input, ""),
      Dismiss(K::Input), Dismiss(K::Message), FormAnswer({})};
  EXPECT_EQ(FormatDialogScript(answers.Dialogs), FormatDialogScript(expected));
  ASSERT_EQ(answers.Host.size(), 2u);
  EXPECT_TRUE(answers.Host[8].Result);
  EXPECT_EQ(answers.Host[8].Text, "Rectangle2");
  EXPECT_FALSE(answers.Host[12].Result);
  EXPECT_FALSE(answers.InterfaceAccess);
  EXPECT_TRUE(ParseEditAnswers("{}").InterfaceAccess);
}

TEST(AnswersFile, RefusesWhatIsNoAnswerWithAMessage) {
  for (const char* bad : {"[]", "{\"dialogs\": [}", "{\"dialogs\": []} x", "{\"dialog\": []}",
                          "{\"dialogs\": [{\"file\": 1}]}", "{\"dialogs\": [{\"file\": \"a\", \"input\": \"b\"}]}",
                          "{\"dialogs\": [{\"picker\": \"a\"}]}", "{\"dialogs\": [{\"form\": [3]}]}",
                          "{\"dialogs\": [{\"form\": [{\"FEdA\": null}]}]}", "{\"host\": {\"eight\": \"x\"}}",
                          "{\"host\": {\"8\": true}}", "{\"dialogs\": [{\"input\": \"\\u12\"}]}",
                          "{\"dialogs\": [{\"input\": \"a\nb\"}]}"}) {
    try {
      ParseEditAnswers(bad);
      ADD_FAILURE() << "accepted: " << bad;
    } catch (const ETarvikError& e) {
      EXPECT_EQ(std::string(e.what()).rfind("answers file: ", 0), 0u) << e.what();
    }
  }
}

}  // namespace
