// Painting of the non-windowed controls.
#include "ui/win32/graphic_controls.h"

#include <algorithm>

namespace tarvik::ui::win32 {

TWin32Label::~TWin32Label() {
  if (native_) DeleteObject(native_);
}

void TWin32Label::SetText(const std::string& text) {
  if (text_ == text) return;
  text_ = text;
  Invalidate();
}

void TWin32Label::SetFont(const TFontStyle& font) {
  font_ = font;
  if (native_) DeleteObject(native_);
  native_ = nullptr;
  Invalidate();
}

HFONT TWin32Label::NativeFont() {
  if (native_) return native_;
  LOGFONTW log{};
  HDC screen = GetDC(nullptr);
  // Points to pixels as the screen counts them, negative for the character
  // height rather than the cell height, as font sizes are meant.
  log.lfHeight = -MulDiv(std::max(font_.SizePt, 1), screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96, 72);
  if (screen) ReleaseDC(nullptr, screen);
  log.lfWeight = font_.Bold ? FW_BOLD : FW_NORMAL;
  log.lfItalic = font_.Italic;
  log.lfUnderline = font_.Underline;
  log.lfCharSet = DEFAULT_CHARSET;
  const std::wstring face = Widen(font_.Name);
  face.copy(log.lfFaceName, LF_FACESIZE - 1);
  native_ = CreateFontIndirectW(&log);
  return native_;
}

void TWin32Label::Paint(HDC dc) {
  const TBounds& b = Area();
  RECT box{b.Left, b.Top, b.Left + b.Width, b.Top + b.Height};
  if (!style_.Transparent) {
    HBRUSH brush = CreateSolidBrush(ColorRef(ParentColor()));
    FillRect(dc, &box, brush);
    DeleteObject(brush);
  }
  if (text_.empty()) return;
  const std::wstring text = Widen(text_);
  HGDIOBJ oldFont = SelectObject(dc, NativeFont() ? NativeFont() : GuiFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, enabled_ ? ColorRef(font_.Color) : GetSysColor(COLOR_GRAYTEXT));
  UINT format = DT_NOPREFIX | DT_EXPANDTABS | (style_.CentreHorizontally ? DT_CENTER : DT_LEFT);
  if (style_.WordWrap) format |= DT_WORDBREAK;
  if (style_.CentreVertically) {
    // DT_VCENTER only works on single lines: measure the wrapped text and
    // place its block in the middle.
    RECT measured = box;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, format | DT_CALCRECT);
    const int height = measured.bottom - measured.top;
    box.top += (b.Height - height) / 2;
    box.bottom = box.top + height;
  }
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
  SelectObject(dc, oldFont);
}

void TWin32Shape::SetStyle(const TShapeStyle& style) {
  style_ = style;
  Invalidate();
}

void TWin32Shape::Paint(HDC dc) {
  if (!style_.Filled && !style_.Outlined) return;
  const TBounds& b = Area();
  // An inside-frame pen keeps the whole outline within the bounds, whatever
  // its width; mitred joins keep a rectangle's corners square.
  const LOGBRUSH ink{BS_SOLID, ColorRef(style_.OutlineColor), 0};
  HPEN pen = style_.Outlined ? ExtCreatePen(PS_GEOMETRIC | PS_INSIDEFRAME | PS_JOIN_MITER | PS_ENDCAP_FLAT,
                                            static_cast<DWORD>(std::max(style_.OutlineWidth, 1)), &ink, 0, nullptr)
                             : static_cast<HPEN>(GetStockObject(NULL_PEN));
  HBRUSH brush = style_.Filled ? CreateSolidBrush(ColorRef(style_.FillColor)) : static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  int right = b.Left + b.Width, bottom = b.Top + b.Height;
  if (!style_.Outlined) {
    // Without a pen GDI leaves the right and bottom pixel row unfilled.
    ++right;
    ++bottom;
  }
  switch (style_.Form) {
    case TShapeForm::Rectangle:
      Rectangle(dc, b.Left, b.Top, right, bottom);
      break;
    case TShapeForm::RoundRect: {
      const int corner = std::min(b.Width, b.Height) / 4;
      RoundRect(dc, b.Left, b.Top, right, bottom, corner, corner);
      break;
    }
    case TShapeForm::Ellipse:
      Ellipse(dc, b.Left, b.Top, right, bottom);
      break;
  }
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  if (style_.Outlined) DeleteObject(pen);
  if (style_.Filled) DeleteObject(brush);
}

bool TWin32Image::LoadPicture(const std::string& fileName) {
  Invalidate();
  picture_.reset();
  try {
    auto picture = std::make_unique<TPicture>();
    if (!picture->Load(fileName)) return false;
    picture_ = std::move(picture);
    return true;
  } catch (...) {
    return false;  // out of memory on a huge picture: an empty control
  }
}

void TWin32Image::Paint(HDC dc) {
  if (picture_) picture_->DrawFitted(dc, Area());
}

}  // namespace tarvik::ui::win32
