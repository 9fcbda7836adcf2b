#include "ui/headless/headless_toolkit.h"

#include <algorithm>
#include <cstdlib>

#include "platform/files.h"
#include "platform/system.h"

namespace tarvik::ui {

namespace {

THeadlessNode* ParentNode(TPanel& parent) { return NodeOf(parent); }

bool ParseSize(const std::string& text, TUiSize& size) {
  size_t x = text.find_first_of("xX");
  if (x == std::string::npos || x == 0 || x + 1 >= text.size()) return false;
  char* end = nullptr;
  long width = std::strtol(text.c_str(), &end, 10);
  if (end != text.c_str() + x) return false;
  long height = std::strtol(text.c_str() + x + 1, &end, 10);
  if (*end != '\0' || width < 0 || height < 0 || width > 100000 || height > 100000) return false;
  size = {static_cast<int32_t>(width), static_cast<int32_t>(height)};
  return true;
}

bool HasPictureSignature(const std::string& head) {
  auto starts = [&](const char* magic, size_t n) { return head.size() >= n && head.compare(0, n, magic, n) == 0; };
  return starts("\x89PNG\r\n\x1a\n", 8) || starts("\xFF\xD8\xFF", 3) || starts("GIF87a", 6) ||
         starts("GIF89a", 6) || starts("BM", 2);
}

}  // namespace

// ---- nodes ------------------------------------------------------------------

THeadlessNode::THeadlessNode(THeadlessToolkit& toolkit, THeadlessNode* parent) : toolkit_(toolkit), parent_(parent) {
  if (parent_ != nullptr) parent_->children_.push_back(this);
}

THeadlessNode::~THeadlessNode() {
  if (toolkit_.focus_ == this) toolkit_.focus_ = nullptr;
  // Children are destroyed first by contract; one that outlives its parent
  // must not point at freed memory.
  for (THeadlessNode* child : children_) child->parent_ = nullptr;
  if (parent_ != nullptr) {
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
}

void THeadlessNode::Raise() {
  if (parent_ == nullptr) return;
  auto& siblings = parent_->children_;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  siblings.push_back(this);
}

bool THeadlessNode::Showing() const {
  for (const THeadlessNode* node = this; node != nullptr; node = node->parent_)
    if (!node->Control().Visible()) return false;
  return true;
}

TBounds THeadlessNode::BoundsInRoot() const {
  TBounds bounds = Control().Bounds();
  bounds.Left = bounds.Top = 0;
  for (const THeadlessNode* node = this; node->parent_ != nullptr; node = node->parent_) {
    TBounds own = node->Control().Bounds();
    bounds.Left += own.Left;
    bounds.Top += own.Top;
  }
  return bounds;
}

THeadlessNode* NodeOf(TControl& control) { return dynamic_cast<THeadlessNode*>(&control); }

// ---- controls ---------------------------------------------------------------

THeadlessRootPanel::THeadlessRootPanel(THeadlessToolkit& toolkit, TWindowHandle parentWindow, const TPanelStyle& style)
    : THeadlessControl(toolkit, nullptr, /*visible=*/false), parentWindow_(parentWindow), style_(style) {
  toolkit_.roots_.push_back(this);
  zOrder_ = ++toolkit_.nextZ_;
}

THeadlessRootPanel::~THeadlessRootPanel() {
  auto& roots = toolkit_.roots_;
  roots.erase(std::remove(roots.begin(), roots.end(), this), roots.end());
}

void THeadlessRootPanel::FitToParentWindow() {
  if (parentWindow_ != 0) {
    TUiSize size = toolkit_.WindowClientSize(parentWindow_);
    SetBounds({0, 0, size.Width, size.Height});
    zOrder_ = ++toolkit_.nextZ_;
  }
  SetVisible(true);
}

THeadlessEdit::~THeadlessEdit() = default;

void THeadlessEdit::SetFocus() { toolkit_.focus_ = this; }

bool THeadlessEdit::Focused() const { return toolkit_.focus_ == this; }

void THeadlessEdit::Type(char key) {
  if (OnKeyPress && OnKeyPress(key)) return;
  if (key == 8) {
    if (selected_) text_.clear();
    else if (!text_.empty()) text_.pop_back();
  } else if (key >= '0' && key <= '9') {
    if (selected_) text_.clear();
    text_ += key;
  } else {
    return;
  }
  selected_ = false;
}

bool THeadlessImage::LoadPicture(const std::string& fileName) {
  picture_.clear();
  if (!FileExists(fileName) || !HasPictureSignature(ReadFileHead(fileName, 8))) return false;
  picture_ = fileName;
  return true;
}

bool THeadlessMediaPlayer::Open(const std::string& fileName, TPanel* display) {
  fileName_ = fileName;
  display_ = display;
  opened_ = FileExists(fileName) && FileSize(fileName) >= 0;
  return opened_;
}

// ---- the toolkit ------------------------------------------------------------

std::unique_ptr<TRootPanel> THeadlessToolkit::CreateRootPanel(TWindowHandle parentWindow, const TPanelStyle& style) {
  return std::make_unique<THeadlessRootPanel>(*this, parentWindow, style);
}

std::unique_ptr<TPanel> THeadlessToolkit::CreatePanel(TPanel& parent, const TPanelStyle& style) {
  return std::make_unique<THeadlessPanel>(*this, ParentNode(parent), style);
}

std::unique_ptr<TButton> THeadlessToolkit::CreateButton(TPanel& parent, const std::string& caption) {
  return std::make_unique<THeadlessButton>(*this, ParentNode(parent), caption);
}

std::unique_ptr<TLabel> THeadlessToolkit::CreateLabel(TPanel& parent, const TLabelStyle& style) {
  return std::make_unique<THeadlessLabel>(*this, ParentNode(parent), style);
}

std::unique_ptr<TEdit> THeadlessToolkit::CreateEdit(TPanel& parent) {
  return std::make_unique<THeadlessEdit>(*this, ParentNode(parent));
}

std::unique_ptr<TImage> THeadlessToolkit::CreateImage(TPanel& parent) {
  return std::make_unique<THeadlessImage>(*this, ParentNode(parent));
}

std::unique_ptr<TShapeControl> THeadlessToolkit::CreateShape(TPanel& parent, const TShapeStyle& style) {
  return std::make_unique<THeadlessShape>(*this, ParentNode(parent), style);
}

std::unique_ptr<TMediaPlayer> THeadlessToolkit::CreateMediaPlayer(TPanel& parent) {
  return std::make_unique<THeadlessMediaPlayer>(*this, ParentNode(parent));
}

TUiSize THeadlessToolkit::WindowClientSize(TWindowHandle window) const {
  if (window == 0) return {};
  auto it = windows_.find(window);
  if (it != windows_.end()) return it->second;
  TUiSize size;
  if (LookUpWindowSize(GetEnvVar("TARVIK_HEADLESS_WINDOWS"), window, size)) return size;
  return {800, 600};
}

void THeadlessToolkit::SetHostWindow(TWindowHandle window, TUiSize clientSize) { windows_[window] = clientSize; }

std::vector<THeadlessRootPanel*> THeadlessToolkit::RootsIn(TWindowHandle window) const {
  std::vector<THeadlessRootPanel*> roots;
  for (THeadlessRootPanel* root : roots_)
    if (root->ParentWindow() == window) roots.push_back(root);
  std::stable_sort(roots.begin(), roots.end(),
                   [](const THeadlessRootPanel* a, const THeadlessRootPanel* b) { return a->ZOrder() < b->ZOrder(); });
  return roots;
}

void THeadlessToolkit::SendMessage(TRootPanel& root, uint32_t message, intptr_t wParam, intptr_t lParam) {
  if (root.OnMessage) root.OnMessage(message, wParam, lParam);
}

bool THeadlessToolkit::Click(TButton& button) {
  THeadlessNode* node = NodeOf(button);
  if (node == nullptr || !node->Showing() || !button.Enabled() || !button.OnClick) return false;
  button.OnClick();
  return true;
}

bool LookUpWindowSize(const std::string& table, TWindowHandle window, TUiSize& size) {
  size_t start = 0;
  while (start < table.size()) {
    size_t end = table.find(',', start);
    if (end == std::string::npos) end = table.size();
    std::string entry = table.substr(start, end - start);
    size_t eq = entry.find('=');
    if (eq != std::string::npos) {
      char* stop = nullptr;
      long long handle = std::strtoll(entry.c_str(), &stop, 10);
      if (stop == entry.c_str() + eq && handle == window && ParseSize(entry.substr(eq + 1), size)) return true;
    }
    start = end + 1;
  }
  return false;
}

#if !defined(_WIN32)
TToolkit& DefaultToolkit() {
  static THeadlessToolkit toolkit;
  return toolkit;
}
#endif

}  // namespace tarvik::ui
