#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <iconv.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/d3d8/device/Device.h"
#include "platform/d3d8/d3dx/TextCache.h"
#include "platform/d3d8/d3dx8core.h"
#include "platform/win32/Cp932.h"

namespace D3D8Impl {
namespace {

constexpr const char* FallbackFamily = "IPAGothic";

std::u32string Decode(const char* text, size_t n) {
  std::u32string out;
  iconv_t cd = iconv_open("UTF-32LE", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) return out;
  std::string in(text, n);
  std::vector<char32_t> buffer(n + 1);
  char* src = in.data();
  size_t srcLeft = in.size();
  while (srcLeft > 0) {
    char* dst = reinterpret_cast<char*>(buffer.data());
    size_t dstLeft = buffer.size() * 4;
    size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer.data(), (buffer.size() * 4 - dstLeft) / 4);
    if (r == static_cast<size_t>(-1)) {
      // An invalid byte is shown as '?' and skipped.
      out.push_back(U'?');
      ++src, --srcLeft;
    }
  }
  iconv_close(cd);
  return out;
}

// The font file for a Shift-JIS face name.
std::string FontFile(const char* face) {
  std::string family = FallbackFamily;
  std::u32string name = Decode(face, std::strlen(face));
  static const std::u32string msGothic = U"ＭＳ ゴシック";
  bool mapped = name.empty() || name == msGothic || name == U"MS Gothic" || name == U"ＭＳ Ｐゴシック";
  if (!mapped) family = Platform::Cp932::ToUtf8(face, std::strlen(face));
  std::string file;
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family.c_str()));
  if (!pattern) return file;
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
    FcChar8* path = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) file = reinterpret_cast<char*>(path);
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  return file;
}

struct Glyph {
  int left = 0, top = 0, width = 0, height = 0, advance = 0;
  std::vector<uint8_t> coverage;
};

class Font final : public RefCounted<ID3DXFont> {
 public:
  Font(Device* device, const LOGFONTA& description) : device_(device), description_(description), drawn_(device) {
    device_->AddRef();
  }
  ~Font() override {
    drawn_.Clear();  // the textures go before the device reference
    if (face_) FT_Done_Face(face_);
    if (library_) FT_Done_FreeType(library_);
    device_->Release();
  }

  bool Open() {
    std::string file = FontFile(description_.lfFaceName);
    if (file.empty() || FT_Init_FreeType(&library_) != 0) return false;
    if (FT_New_Face(library_, file.c_str(), 0, &face_) != 0) return false;
    int height = description_.lfHeight;
    int em = height < 0 ? -height : height;
    if (height > 0 && face_->ascender - face_->descender > 0)
      em = static_cast<int>(static_cast<long>(height) * face_->units_per_EM / (face_->ascender - face_->descender));
    if (em <= 0) em = 16;
    int xEm = description_.lfWidth > 0 ? description_.lfWidth * 2 : em;
    if (FT_Set_Pixel_Sizes(face_, static_cast<FT_UInt>(xEm), static_cast<FT_UInt>(em)) != 0) return false;
    // A cell height splits into ascent and descent as the design does (GDI's
    // rule); the rounded-up pixel ascender left the descent no room.
    ascent_ = static_cast<int>(face_->size->metrics.ascender >> 6);
    if (height > 0 && face_->ascender - face_->descender > 0)
      ascent_ = static_cast<int>((2L * height * face_->ascender + (face_->ascender - face_->descender)) /
                                 (2L * (face_->ascender - face_->descender)));
    lineHeight_ = height > 0 ? height : static_cast<int>(face_->size->metrics.height >> 6);
    return true;
  }

  HRESULT GetDevice(IDirect3DDevice8** device) override {
    if (!device) return D3DERR_INVALIDCALL;
    device_->AddRef();
    *device = device_;
    return D3D_OK;
  }
  HRESULT GetLogFont(LOGFONTA* font) override {
    if (!font) return D3DERR_INVALIDCALL;
    *font = description_;
    return D3D_OK;
  }
  HRESULT Begin() override { return D3D_OK; }
  HRESULT End() override { return D3D_OK; }

  int DrawTextA(const char* text, int count, RECT* rect, DWORD format, D3DCOLOR colour) override {
    if (!text || !rect) return 0;
    size_t n = count < 0 ? std::strlen(text) : std::min(static_cast<size_t>(count), std::strlen(text));
    RECT clip = *rect;
    if (format & DT_NOCLIP) clip = {0, 0, 1 << 20, 1 << 20};
    // A string drawn before is drawn from its texture; only the layout bits
    // of the format change what it looks like.
    std::string key;
    if (!(format & DT_CALCRECT)) {
      key.assign(1, static_cast<char>((format & DT_SINGLELINE ? 1 : 0) | (format & DT_EXPANDTABS ? 2 : 0)));
      key.append(text, n);
      if (const TextCache::Entry* e = drawn_.Find(key)) {
        drawn_.Draw(*e, rect->left, rect->top, colour, clip);
        return e->textHeight;
      }
    }
    std::u32string chars = Decode(text, n);
    // Pen positions of each glyph, relative to the rectangle's top-left corner.
    struct Placed {
      const Glyph* glyph;
      int x, y;
    };
    std::vector<Placed> placed;
    int tabStop = std::max(1, Advance(U' ') * 8);
    int x = 0, line = 0, widest = 0;
    for (char32_t c : chars) {
      if (c == U'\r') continue;
      if (c == U'\n' && !(format & DT_SINGLELINE)) {
        x = 0, ++line;
        continue;
      }
      if (c == U'\t' && (format & DT_EXPANDTABS)) {
        x = (x / tabStop + 1) * tabStop;
        continue;
      }
      const Glyph* g = GlyphOf(c);
      if (!g) continue;
      placed.push_back({g, x, line * lineHeight_});
      x += g->advance;
      widest = std::max(widest, x);
    }
    int height = (line + 1) * lineHeight_;
    if (format & DT_CALCRECT) {
      rect->right = rect->left + widest;
      rect->bottom = rect->top + height;
      return height;
    }
    // Room for every glyph pixel below the last line: the rectangle clips, not the buffer.
    int h = height;
    for (const Placed& p : placed) h = std::max(h, p.y + ascent_ - p.glyph->top + p.glyph->height);
    int w = std::max(1, widest);
    std::vector<uint8_t> coverage(static_cast<size_t>(w) * h, 0);
    for (const Placed& p : placed) {
      const Glyph& g = *p.glyph;
      for (int gy = 0; gy < g.height; ++gy)
        for (int gx = 0; gx < g.width; ++gx) {
          int cx = p.x + g.left + gx, cy = p.y + ascent_ - g.top + gy;
          if (cx < 0 || cy < 0 || cx >= w || cy >= h) continue;
          uint8_t& dst = coverage[static_cast<size_t>(cy) * w + cx];
          dst = std::max(dst, g.coverage[static_cast<size_t>(gy) * g.width + gx]);
        }
    }
    if (const TextCache::Entry* e = drawn_.Add(key, coverage.data(), w, h, height))
      drawn_.Draw(*e, rect->left, rect->top, colour, clip);
    else
      device_->DrawCoverage(coverage.data(), w, h, rect->left, rect->top, colour, clip);
    return height;
  }

 private:
  int Advance(char32_t c) {
    const Glyph* g = GlyphOf(c);
    return g ? g->advance : lineHeight_ / 2;
  }

  const Glyph* GlyphOf(char32_t c) {
    auto it = glyphs_.find(c);
    if (it != glyphs_.end()) return &it->second;
    if (glyphs_.size() > 4096) glyphs_.clear();  // bounded cache
    Glyph g;
    FT_UInt index = FT_Get_Char_Index(face_, c);
    FT_Error loaded = FT_Load_Glyph(face_, index, FT_LOAD_RENDER);
    // The font's own hints round strokes thinner than a pixel (the underscore
    // at 16 pixels) away; such a glyph is rendered with light hinting.
    if (loaded == 0 && face_->glyph->bitmap.rows == 0 && face_->glyph->outline.n_contours > 0)
      loaded = FT_Load_Glyph(face_, index, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT);
    if (loaded == 0) {
      FT_GlyphSlot slot = face_->glyph;
      g.left = slot->bitmap_left, g.top = slot->bitmap_top;
      g.width = static_cast<int>(slot->bitmap.width), g.height = static_cast<int>(slot->bitmap.rows);
      g.advance = static_cast<int>(slot->advance.x >> 6);
      g.coverage.resize(static_cast<size_t>(g.width) * g.height);
      for (int y = 0; y < g.height; ++y) {
        const uint8_t* row = slot->bitmap.buffer + static_cast<ptrdiff_t>(y) * slot->bitmap.pitch;
        for (int x = 0; x < g.width; ++x)
          g.coverage[static_cast<size_t>(y) * g.width + x] =
              slot->bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? ((row[x / 8] >> (7 - x % 8)) & 1) * 255 : row[x];
      }
    }
    return &glyphs_.emplace(c, std::move(g)).first->second;
  }

  Device* device_;
  LOGFONTA description_;
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
  int ascent_ = 0, lineHeight_ = 16;
  std::map<char32_t, Glyph> glyphs_;
  TextCache drawn_;
};

}  // namespace
}  // namespace D3D8Impl

HRESULT D3DXCreateFontIndirect(IDirect3DDevice8* device, const LOGFONTA* description, ID3DXFont** font) {
  if (!font) return D3DERR_INVALIDCALL;
  *font = nullptr;
  auto* d = dynamic_cast<D3D8Impl::Device*>(device);
  if (!d || !description || description->lfHeight == 0) return D3DERR_INVALIDCALL;
  LOGFONTA copy = *description;
  copy.lfFaceName[sizeof copy.lfFaceName - 1] = '\0';
  auto* created = new D3D8Impl::Font(d, copy);
  if (!created->Open()) {
    created->Release();
    return D3DERR_NOTAVAILABLE;
  }
  *font = created;
  return D3D_OK;
}
