#include "GLTextOutline.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cmath>
#include <filesystem>
#include <stdexcept>

namespace {

constexpr int OutlineSize = 1000;          // points
constexpr int DisplayPixelsPerInch = 96;
// Flatness in outline units (pixels at size 1000): at 100 points a symbol
// is a tenth of that, far below what the eye sees as a kink.
constexpr double Flatness = 0.25;

struct TFontFile {
  std::string Path;
  int Index = 0;
  std::string Family;
};

// The installed font that fontconfig thinks best for the name.
TFontFile MatchFont(const std::string& name) {
  if (std::filesystem::is_regular_file(name)) return {name, 0, name};
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(name.c_str()));
  if (!pattern) return {};
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  TFontFile file;
  if (match) {
    FcChar8 *path = nullptr, *family = nullptr;
    int index = 0;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) file.Path = reinterpret_cast<char*>(path);
    if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) file.Index = index;
    if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch) file.Family = reinterpret_cast<char*>(family);
    FcPatternDestroy(match);
  }
  return file;
}

T2DVector Point(const FT_Vector& v) { return {v.x / 64.0, v.y / 64.0}; }

// Collects contours, flattening curves by halving until they are flat.
struct TContourSink {
  TOutline outline;
  double ascender = 0;
  T2DVector pen;  // in font units, y up

  void Add(T2DVector p) {
    pen = p;
    T2DVector cell{p.X, ascender - p.Y};  // from the cell's top-left, y down
    std::vector<T2DVector>& polygon = outline.back();
    if (polygon.empty() || !(cell == polygon.front())) polygon.push_back(cell);
  }
  T2DVector Last() const { return pen; }
  void Cubic(T2DVector p0, T2DVector p1, T2DVector p2, T2DVector p3, int depth) {
    auto distance = [&](T2DVector p) {
      T2DVector chord = p3 - p0;
      double length = std::hypot(chord.X, chord.Y);
      T2DVector d = p - p0;
      return length > 0 ? std::abs(d.X * chord.Y - d.Y * chord.X) / length : std::hypot(d.X, d.Y);
    };
    if (depth >= 16 || std::max(distance(p1), distance(p2)) <= Flatness) {
      Add(p3);
      return;
    }
    T2DVector a = (p0 + p1) / 2, b = (p1 + p2) / 2, c = (p2 + p3) / 2, ab = (a + b) / 2, bc = (b + c) / 2,
              middle = (ab + bc) / 2;
    Cubic(p0, a, ab, middle, depth + 1);
    Cubic(middle, bc, c, p3, depth + 1);
  }
};

int MoveTo(const FT_Vector* to, void* user) {
  auto* sink = static_cast<TContourSink*>(user);
  if (!sink->outline.empty() && sink->outline.back().empty()) sink->outline.pop_back();
  sink->outline.emplace_back();
  sink->Add(Point(*to));
  return 0;
}
int LineTo(const FT_Vector* to, void* user) {
  static_cast<TContourSink*>(user)->Add(Point(*to));
  return 0;
}
int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
  auto* sink = static_cast<TContourSink*>(user);
  T2DVector p0 = sink->Last(), c = Point(*control), p3 = Point(*to);
  sink->Cubic(p0, p0 + (c - p0) * (2.0 / 3), p3 + (c - p3) * (2.0 / 3), p3, 0);
  return 0;
}
int CubicTo(const FT_Vector* control1, const FT_Vector* control2, const FT_Vector* to, void* user) {
  auto* sink = static_cast<TContourSink*>(user);
  sink->Cubic(sink->Last(), Point(*control1), Point(*control2), Point(*to), 0);
  return 0;
}

}  // namespace

struct TGlyphOutlines::TFace {
  FT_Face face = nullptr;
  ~TFace() {
    if (face) FT_Done_Face(face);
  }
};

TGlyphOutlines::TGlyphOutlines(std::function<void(const std::string&)> log) : log_(std::move(log)) {
  FT_Library library;
  if (FT_Init_FreeType(&library) != 0) throw std::runtime_error("Cannot start the font library");
  library_ = library;
}

TGlyphOutlines::~TGlyphOutlines() {
  faces_.clear();
  FT_Done_FreeType(static_cast<FT_Library>(library_));
}

TGlyphOutlines::TFace& TGlyphOutlines::FaceFor(const std::string& fontName) {
  std::unique_ptr<TFace>& entry = faces_[fontName];
  if (entry) return *entry;
  TFontFile file = MatchFont(fontName);
  auto face = std::make_unique<TFace>();
  if (file.Path.empty() ||
      FT_New_Face(static_cast<FT_Library>(library_), file.Path.c_str(), file.Index, &face->face) != 0 ||
      !FT_IS_SCALABLE(face->face))
    throw std::runtime_error("TrueType font required");
  if (log_ && file.Family != fontName)
    log_("Font \"" + fontName + "\" is not installed; using " + file.Family + " (" + file.Path + ")");
  // Fonts with a symbol character map (as Wingdings has) are addressed through it.
  if (FT_Select_Charmap(face->face, FT_ENCODING_MS_SYMBOL) != 0) FT_Select_Charmap(face->face, FT_ENCODING_UNICODE);
  FT_Set_Char_Size(face->face, 0, OutlineSize * 64, DisplayPixelsPerInch, DisplayPixelsPerInch);
  entry = std::move(face);
  return *entry;
}

const TOutline& TGlyphOutlines::GetStringOutline(const std::string& fontName, std::string_view text) {
  auto key = std::pair(fontName, std::string(text));
  if (auto found = outlines_.find(key); found != outlines_.end()) return found->second;
  FT_Face face = FaceFor(fontName).face;
  TContourSink sink;
  sink.ascender = face->size->metrics.ascender / 64.0;
  const FT_Outline_Funcs funcs{MoveTo, LineTo, ConicTo, CubicTo, 0, 0};
  double penX = 0;
  for (char c : text) {
    auto code = static_cast<unsigned char>(c);
    FT_UInt glyph = face->charmap && face->charmap->encoding == FT_ENCODING_MS_SYMBOL
                        ? FT_Get_Char_Index(face, 0xF000 | code)
                        : FT_Get_Char_Index(face, code);  // 8-bit text is ISO-8859-1: its codes are Unicode's
    if (FT_Load_Glyph(face, glyph, FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING) != 0 ||
        face->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
      throw std::runtime_error("TrueType font required");
    FT_Outline_Translate(&face->glyph->outline, static_cast<FT_Pos>(std::lround(penX * 64)), 0);
    FT_Outline_Decompose(&face->glyph->outline, &funcs, &sink);
    penX += face->glyph->advance.x / 64.0;
  }
  if (!sink.outline.empty() && sink.outline.back().empty()) sink.outline.pop_back();
  return outlines_.emplace(std::move(key), std::move(sink.outline)).first->second;
}
