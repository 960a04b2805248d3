#pragma once
// Glyph outlines of symbol fonts, from FreeType, with the font found by
// fontconfig (the best match when the named font is not installed; a font
// file's path also names a font). Outlines are taken at size 1000 as a
// display of 96 pixels per inch gives them, curves flattened to line
// segments, origin at the top-left of the text cell, y downward. Each
// character's outline is worked out once and kept.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "support/Color.h"
#include "support/Vector.h"

struct TFontInfo {
  std::string Name;
  int Style = 0;  // no styles are used: the outline is of the plain face
  int Size = 0;   // points
  TColor Color = 0;
};

using TOutline = std::vector<std::vector<T2DVector>>;  // closed polygons

class TGlyphOutlines {
public:
  // log hears which font stands in for a name that is not installed.
  explicit TGlyphOutlines(std::function<void(const std::string&)> log = {});
  ~TGlyphOutlines();
  TGlyphOutlines(const TGlyphOutlines&) = delete;
  TGlyphOutlines& operator=(const TGlyphOutlines&) = delete;

  // The outline polygons of the text in the named font at size 1000. Fails
  // with "TrueType font required" for a font without scalable outlines.
  const TOutline& GetStringOutline(const std::string& fontName, std::string_view text);

private:
  struct TFace;
  TFace& FaceFor(const std::string& fontName);

  std::function<void(const std::string&)> log_;
  void* library_ = nullptr;  // FT_Library
  std::map<std::string, std::unique_ptr<TFace>> faces_;
  std::map<std::pair<std::string, std::string>, TOutline> outlines_;
};
