// The peers of the anti-aliased text figures, both with FreeType (Carlito Regular at
// 14 pixels) blending coverage into an ARGB pixel buffer, as the plug-in's renderer
// blends into the box it saved from the screen: FreeTypePeer rasterises each glyph at
// every call (a renderer without a glyph cache); FreeTypeCachedPeer keeps the
// rendered glyphs in FreeType's cache subsystem (FTC_Manager with an FTC_SBitCache,
// code points mapped through an FTC_CMapCache), as a careful renderer does.
#ifndef SCRAPDECK_BENCH_PEER_H
#define SCRAPDECK_BENCH_PEER_H

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_CACHE_H
#include FT_MODULE_H

#include <cstdint>
#include <cstdlib>

namespace bench {

// FreeType's memory for both peers: every block comes zeroed. FreeType 2.12's cache
// reads a field of its records that it never sets (valgrind: "conditional jump depends
// on uninitialised value" inside FTC_CMapCache_Lookup and FTC_SBitCache_Lookup), so
// on a heap that held other data before (as in a program whose libraries allocate
// and free at start, the stand's HTTP library for one) the cache took itself for
// full and flushed every glyph it had just rendered: the "cached" peer rasterised
// each glyph again. Zeroed blocks give the field the value the cache expects.
inline void* PeerAlloc(FT_Memory, long size) {
  return std::calloc(1, size_t(size));
}
inline void PeerFree(FT_Memory, void* block) {
  std::free(block);
}
inline void* PeerRealloc(FT_Memory, long, long size, void* block) {
  return std::realloc(block, size_t(size));
}
inline FT_MemoryRec_ peerMemory{nullptr, PeerAlloc, PeerFree, PeerRealloc};

inline bool PeerLibrary(FT_Library* library) {
  if (FT_New_Library(&peerMemory, library)) return false;
  FT_Add_Default_Modules(*library);
  FT_Set_Default_Properties(*library);
  return true;
}

inline const char kPeerFace[] = "/usr/share/fonts/truetype/crosextra/Carlito-Regular.ttf";

// One channel at a time: coverage a of fore over back, divided by 255.
inline uint32_t PeerBlend(unsigned a, uint32_t fore, uint32_t back) {
  uint32_t out = 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const unsigned f = (fore >> shift) & 0xFF, b = (back >> shift) & 0xFF;
    out |= ((f * a + b * (255 - a)) / 255) << shift;
  }
  return out;
}

// Blends one glyph's coverage rows (pitch bytes apart) with its top left corner at
// left, top; returns the covered pixels drawn.
inline int PeerBlit(uint32_t* pixels, int width, int height, int left, int top,
                    const unsigned char* buffer, int rows, int columns, int pitch, uint32_t fore) {
  int covered = 0;
  for (int row = 0; row < rows; ++row) {
    const int py = top + row;
    if (py < 0 || py >= height) continue;
    const unsigned char* coverage = buffer + row * pitch;
    for (int column = 0; column < columns; ++column) {
      const int px = left + column;
      const unsigned a = coverage[column];
      if (a == 0 || px < 0 || px >= width) continue;
      uint32_t& pixel = pixels[py * width + px];
      pixel = PeerBlend(a, fore, pixel);
      ++covered;
    }
  }
  return covered;
}

class FreeTypePeer {
 public:
  FreeTypePeer() = default;
  FreeTypePeer(const FreeTypePeer&) = delete;
  FreeTypePeer& operator=(const FreeTypePeer&) = delete;
  ~FreeTypePeer() {
    if (face_) FT_Done_Face(face_);
    if (library_) FT_Done_Library(library_);
  }

  bool Open(unsigned pixels) {
    return PeerLibrary(&library_) && FT_New_Face(library_, kPeerFace, 0, &face_) == 0 &&
           FT_Set_Pixel_Sizes(face_, 0, pixels) == 0;
  }

  // Draws an ASCII text into pixels (width x height) with its top at row y. Returns
  // the number of covered pixels drawn.
  int Draw(uint32_t* pixels, int width, int height, int x, int y, const char* text, uint32_t fore) {
    const int baseline = y + int(face_->size->metrics.ascender >> 6);
    int pen = x;
    int covered = 0;
    for (const char* p = text; *p; ++p) {
      if (FT_Load_Char(face_, FT_ULong(static_cast<unsigned char>(*p)), FT_LOAD_RENDER)) continue;
      const FT_GlyphSlot slot = face_->glyph;
      const FT_Bitmap& bitmap = slot->bitmap;
      covered +=
          PeerBlit(pixels, width, height, pen + slot->bitmap_left, baseline - slot->bitmap_top,
                   bitmap.buffer, int(bitmap.rows), int(bitmap.width), bitmap.pitch, fore);
      pen += int(slot->advance.x >> 6);
    }
    return covered;
  }

 private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
};

class FreeTypeCachedPeer {
 public:
  FreeTypeCachedPeer() = default;
  FreeTypeCachedPeer(const FreeTypeCachedPeer&) = delete;
  FreeTypeCachedPeer& operator=(const FreeTypeCachedPeer&) = delete;
  ~FreeTypeCachedPeer() {
    if (manager_) FTC_Manager_Done(manager_);
    if (library_) FT_Done_Library(library_);
  }

  bool Open(unsigned pixels) {
    if (!PeerLibrary(&library_) || FTC_Manager_New(library_, 1, 1, 0, Face, nullptr, &manager_) ||
        FTC_SBitCache_New(manager_, &sbits_) || FTC_CMapCache_New(manager_, &cmaps_))
      return false;
    type_.face_id = FaceId();
    type_.width = 0;
    type_.height = pixels;
    type_.flags = FT_LOAD_DEFAULT | FT_LOAD_RENDER;
    FTC_ScalerRec scaler{};
    scaler.face_id = FaceId();
    scaler.height = pixels;
    scaler.pixel = 1;
    FT_Size size = nullptr;
    if (FTC_Manager_LookupSize(manager_, &scaler, &size)) return false;
    ascender_ = int(size->metrics.ascender >> 6);
    return true;
  }

  // As FreeTypePeer::Draw; the first call fills the caches.
  int Draw(uint32_t* pixels, int width, int height, int x, int y, const char* text, uint32_t fore) {
    const int baseline = y + ascender_;
    int pen = x;
    int covered = 0;
    for (const char* p = text; *p; ++p) {
      const FT_UInt index =
          FTC_CMapCache_Lookup(cmaps_, FaceId(), -1, FT_UInt32(static_cast<unsigned char>(*p)));
      FTC_SBit sbit = nullptr;
      if (FTC_SBitCache_Lookup(sbits_, &type_, index, &sbit, nullptr) || !sbit) continue;
      covered += PeerBlit(pixels, width, height, pen + sbit->left, baseline - sbit->top,
                          sbit->buffer, sbit->height, sbit->width, sbit->pitch, fore);
      pen += sbit->xadvance;
    }
    return covered;
  }

 private:
  static FTC_FaceID FaceId() { return reinterpret_cast<FTC_FaceID>(const_cast<char*>(kPeerFace)); }
  static FT_Error Face(FTC_FaceID id, FT_Library library, FT_Pointer, FT_Face* face) {
    return FT_New_Face(library, static_cast<const char*>(id), 0, face);
  }

  FT_Library library_ = nullptr;
  FTC_Manager manager_ = nullptr;
  FTC_SBitCache sbits_ = nullptr;
  FTC_CMapCache cmaps_ = nullptr;
  FTC_ImageTypeRec type_{};
  int ascender_ = 0;
};

}  // namespace bench

#endif
