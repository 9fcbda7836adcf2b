// The Win32 dialogs in real windows, answered by a timer as a user would.
// One screenshot of each kind of dialog.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>

#include "platform/files.h"
#include "platform/system.h"
#include "ui/dialogs.h"
#include "win32_host.h"

namespace tarvik::ui {
namespace {

using test::Children;
using test::TDialogRobot;
using test::TextOf;

const wchar_t kCaption[] = L"Sample Properties";

// The second edit box is lower than the others: heights are the table's.
TFormLayout SampleLayout() {
  TFormLayout layout{"Sample Properties", 650, 190, {}};
  const auto add = [&](TFormItemKind kind, const char* name, const char* text, int left, int top, int width,
                       int height, TButtonRole role = TButtonRole::Plain) {
    layout.Items.push_back({kind, name, text, left, top, width, height, role});
  };
  add(TFormItemKind::Label, "FLbl", "PowerPoint presentation (.pptx):", 24, 38, 0, 0);
  add(TFormItemKind::Edit, "FEdFirst", "first", 205, 34, 325, 25);
  add(TFormItemKind::Button, "FBtnBrowse", "Browse...", 540, 33, 85, 25);
  add(TFormItemKind::Edit, "FEdSecond", "", 205, 79, 325, 21);
  add(TFormItemKind::Button, "FBtnOK", "OK", 450, 135, 85, 25, TButtonRole::Default);
  add(TFormItemKind::Button, "FBtnCancel", "Cancel", 540, 135, 85, 25, TButtonRole::Cancel);
  return layout;
}

RECT BoundsIn(HWND parent, HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void ExpectCentred(HWND window) {
  const RECT r = BoundsIn(HWND_DESKTOP, window);
  EXPECT_NEAR(r.left + r.right, GetSystemMetrics(SM_CXSCREEN), 1);
  EXPECT_NEAR(r.top + r.bottom, GetSystemMetrics(SM_CYSCREEN), 1);
}

// Each control where its row puts it, in 9-point type: a label as large as
// its text, with a pixel for the last glyph's edge; edit boxes and buttons at
// their size. Tab visits edit boxes and buttons in table order.
void ExpectLayout(HWND dialog, const TFormLayout& layout) {
  RECT client;
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, layout.ClientWidth);
  EXPECT_EQ(client.bottom, layout.ClientHeight);
  ExpectCentred(dialog);
  EXPECT_EQ(GetWindowLongW(dialog, GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  const std::vector<HWND> controls = Children(dialog);
  ASSERT_EQ(controls.size(), layout.Items.size());
  HDC dc = GetDC(dialog);
  HWND tab = GetNextDlgTabItem(dialog, nullptr, FALSE);
  for (size_t i = 0; i < controls.size(); ++i) {
    const TFormItem& item = layout.Items[i];
    SCOPED_TRACE(item.Name);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(controls[i], WM_GETFONT, 0, 0));
    LOGFONTW face{};
    GetObjectW(font, sizeof(face), &face);
    EXPECT_EQ(face.lfHeight, -MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72));
    HGDIOBJ old = SelectObject(dc, font);
    RECT text{};
    DrawTextW(dc, TextOf(controls[i]).c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    const bool label = item.Kind == TFormItemKind::Label;
    const RECT r = BoundsIn(dialog, controls[i]);
    const RECT wanted{item.Left, item.Top, item.Left + (label ? text.right + 1 : item.Width),
                      item.Top + (label ? text.bottom : item.Height)};
    EXPECT_TRUE(EqualRect(&r, &wanted)) << r.left << "," << r.top << " " << r.right << "x" << r.bottom;
    if (label) continue;
    EXPECT_EQ(tab, controls[i]) << "tab order";
    tab = GetNextDlgTabItem(dialog, tab, FALSE);
  }
  ReleaseDC(dialog, dc);
}

TEST(Win32Dialogs, AFormPlacesItsControlsFromItsTableAndKeepsWhatWasTyped) {
  test::THostWindows host;
  const TFormLayout layout = SampleLayout();
  auto form = DefaultDialogs().CreateForm(layout);
  form->OnClick("FBtnBrowse", [&] { form->SetText("FEdFirst", "picked"); });
  TDialogRobot robot({{kCaption, [&](HWND dialog) {
                         ExpectLayout(dialog, layout);
                         EXPECT_FALSE(IsWindowEnabled(host.Host())) << "the host waits while the form is shown";
                         const std::vector<HWND> controls = Children(dialog);
                         EXPECT_EQ(GetFocus(), controls[1]);
                         EXPECT_TRUE(test::SaveScreenshot(dialog, "dialog_form"));
                         SendMessageW(controls[2], BM_CLICK, 0, 0);
                         for (wchar_t c : std::wstring(L"typed \u00e9")) SendMessageW(controls[3], WM_CHAR, c, 0);
                         test::PressKey(controls[3], VK_RETURN);
                         return true;
                       }}});
  EXPECT_EQ(form->ShowModal(), TModalResult::OK);
  EXPECT_EQ(form->Text("FEdFirst"), "picked");
  EXPECT_EQ(form->Text("FEdSecond"), "typed \xc3\xa9");
  EXPECT_TRUE(IsWindowEnabled(host.Host()));
}

// The validator refuses once and moves the focus; Enter then closes with OK.
TEST(Win32Dialogs, EnterAsksTheValidatorWhileEscTheCloseBoxAndCancelCloseWithCancel) {
  const struct {
    const char* Name;
    std::function<void(HWND dialog)> Press;
    TModalResult Result;
  } cases[] = {
      {"Enter", [](HWND d) { test::PressKey(Children(d)[1], VK_RETURN); }, TModalResult::OK},
      {"Esc", [](HWND d) { test::PressKey(Children(d)[1], VK_ESCAPE); }, TModalResult::Cancel},
      {"close box", [](HWND d) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, TModalResult::Cancel},
      {"Cancel button", [](HWND d) { PostMessageW(Children(d).back(), BM_CLICK, 0, 0); }, TModalResult::Cancel},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    auto form = DefaultDialogs().CreateForm(SampleLayout());
    int asked = 0;
    form->SetValidator([&] { return ++asked > 1 || (form->Focus("FEdSecond"), false); });
    const auto press = [&](HWND d) { return c.Press(d), true; };
    std::vector<test::TDialogStep> steps{{kCaption, press}};
    if (c.Result == TModalResult::OK)
      steps.push_back({kCaption, [&](HWND d) {
                         EXPECT_EQ(GetFocus(), Children(d)[3]);
                         return press(d);
                       }});
    TDialogRobot robot(steps);
    EXPECT_EQ(form->ShowModal(), c.Result);
    EXPECT_EQ(asked, c.Result == TModalResult::OK ? 2 : 0);
  }
}

TEST(Win32Dialogs, MessageBoxesShowTheirIconCentredOnTheScreen) {
  const std::pair<TMessageIcon, WORD> cases[] = {
      {TMessageIcon::Warning, 32515}, {TMessageIcon::Error, 32513}, {TMessageIcon::Information, 32516}};
  for (const auto& [kind, systemIcon] : cases) {
    TDialogRobot robot({{L"Caption \u00e9", [&](HWND box) {
                           EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)), L"Some text.");
                           const HICON wanted = LoadIconW(nullptr, MAKEINTRESOURCEW(systemIcon));
                           bool iconShown = false;
                           for (HWND child : Children(box))
                             iconShown |= SendMessageW(child, STM_GETICON, 0, 0) == reinterpret_cast<LRESULT>(wanted);
                           EXPECT_TRUE(iconShown);
                           ExpectCentred(box);
                           test::SaveScreenshot(box, "dialog_message");
                           return PostMessageW(box, WM_COMMAND, IDOK, 0);
                         }}});
    DefaultDialogs().ShowMessage("Caption \xc3\xa9", "Some text.", kind);
    EXPECT_TRUE(robot.Done());
  }
}

// A prompt wider than the box widens it; Esc leaves the text as it was.
TEST(Win32Dialogs, TheInputBoxHoldsItsPromptAndGivesWhatWasTypedOnlyWithOK) {
  const std::pair<std::string, UINT> cases[] = {
      {"Slide number to display (1-based):", VK_RETURN},
      {"A prompt far longer than the box would be wide, so that the box widens to show it:", VK_ESCAPE}};
  for (const auto& [prompt, key] : cases) {
    std::string text = "12";
    TDialogRobot robot({{L"Go Properties", [&](HWND box) {
                           const std::vector<HWND> controls = Children(box);
                           EXPECT_EQ(TextOf(controls[0]), test::Wide(prompt));
                           EXPECT_EQ(TextOf(controls[1]), L"12");
                           RECT client;
                           GetClientRect(box, &client);
                           EXPECT_LT(BoundsIn(box, controls[0]).right, client.right);
                           test::SaveScreenshot(box, "dialog_input");
                           SetWindowTextW(controls[1], L"abc");
                           return PostMessageW(controls[1], WM_KEYDOWN, key, 1);
                         }}});
    const bool ok = DefaultDialogs().InputBox("Go Properties", prompt, text);
    EXPECT_EQ(ok, key == VK_RETURN);
    EXPECT_EQ(text, ok ? "abc" : "12");
  }
}

// The save dialog takes its filter's pairs, starts in its folder and adds its
// extension; the folder browser confirms the folder it was started on.
TEST(Win32Dialogs, TheSystemPickersStartWhereAskedAndGiveWhatWasChosen) {
  const std::string dir = JoinPath(UserTempFolder(), "tarvik_dialogs_" + NewGuidHex());
  ForceDirectories(dir);
  TFileDialogOptions save;
  save.Save = save.OverwritePrompt = save.PathMustExist = save.HideReadOnly = true;
  save.Title = "Save Sample";
  save.Filter = "Samples (*.smp)|*.smp|All files (*.*)|*.*";
  save.DefaultExt = "smp";
  save.InitialDir = dir;
  std::string chosen;
  TDialogRobot saving({{L"Save Sample", [&](HWND dialog) {
                          EXPECT_EQ(SendDlgItemMessageW(dialog, 0x470, CB_GETCOUNT, 0, 0), 2);
                          if (!SetDlgItemTextW(dialog, 0x47c, L"out")) SetDlgItemTextW(dialog, 0x480, L"out");
                          test::SaveScreenshot(dialog, "dialog_save_file");
                          return PostMessageW(dialog, WM_COMMAND, IDOK, 0);
                        }}});
  EXPECT_TRUE(DefaultDialogs().PickFile(save, chosen));
  EXPECT_EQ(chosen, JoinPath(dir, "out.smp"));
  std::string folder = dir;
  TDialogRobot browsing({{L"", [&](HWND dialog) {
                            // The folder is chosen in the tree once the shell has walked down to it.
                            wchar_t chosenName[MAX_PATH] = L"";
                            HWND tree = FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr);
                            TVITEMW item{};
                            item.mask = TVIF_TEXT;
                            item.hItem = TreeView_GetSelection(tree);
                            item.pszText = chosenName;
                            item.cchTextMax = MAX_PATH;
                            SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
                            if (std::wstring(chosenName) != test::Wide(ExtractFileName(dir))) return false;
                            test::SaveScreenshot(dialog, "dialog_folder");
                            return PostMessageW(dialog, WM_COMMAND, IDOK, 0) != FALSE;
                          }}});
  EXPECT_TRUE(DefaultDialogs().BrowseForFolder("Select output web folder", folder));
  EXPECT_EQ(folder, dir);
  DeleteTree(dir);
}

}  // namespace
}  // namespace tarvik::ui
