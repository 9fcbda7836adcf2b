// The answers file of tarvik edit: JSON, in UTF-8.
//
//   {
//     "dialogs": [                        one answer per dialog, in the order they open
//       {"form": [{"FEdSource": "deck.pptx"}, "FBtnOutput", "FBtnOK"]},
//                                         an object types into boxes, a string presses a button
//       {"file": "out.html"},             an open or save dialog; null cancels
//       {"folder": "out"},                the folder browser; null cancels
//       {"input": "3"},                   an input box; null cancels
//       {"message": "OK"}                 a message box (any value)
//     ],
//     "host": {"8": "Rectangle1", "12": null},
//                                         the host's answers to interface-access codes:
//                                         a text answers true with it, null false
//     "interfaceAccess": false            a host that offers none (default true)
//   }
#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "cli/plugin_host.h"
#include "ui/headless/dialog_script.h"

namespace tarvik {

struct TEditAnswers {
  ui::TDialogScript Dialogs;
  std::map<int32_t, THostAnswer> Host;
  bool InterfaceAccess = true;
};

// Raises ETarvikError saying where the text is not such a file.
TEditAnswers ParseEditAnswers(const std::string& json);

}  // namespace tarvik
