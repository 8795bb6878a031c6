// Drawing into regions: boxes, frames, block copies, saved blocks and host graphics.
//
// Every call clips what it draws to its region. A call on a handle that names no region
// draws nothing and answers -1; the firmware's answer for success is 0.
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "stand/gd/DecodeCompressedGd.h"
#include "stand/osd_internal.h"
#include "stand/stand.h"

namespace stand::osd {
namespace {

// Largest block TAP_Osd_SaveBox hands out: a whole screen.
constexpr uint64_t SAVE_BOX_MAX_PIXELS = uint64_t(SCREEN_WIDTH) * SCREEN_HEIGHT;

Region* Target(word handle, const char* call) {
  Region* r = Find(handle);
  if (!r)
    LogLine(std::string(call) + " on region " + std::to_string(handle) + ", which does not exist");
  return r;
}

void Fill(Region& r, int64_t x, int64_t y, int64_t width, int64_t height, dword colour) {
  Rect c;
  if (!Clip(r, x, y, width, height, c)) return;
  for (dword py = c.y; py < c.y + c.height; ++py)
    std::fill_n(&r.At(c.x, py), c.width, colour);
}

// A frame `thickness` pixels wide inside the rectangle.
void Frame(Region& r, int64_t x, int64_t y, int64_t width, int64_t height, int64_t thickness,
           dword colour) {
  if (thickness <= 0) return;
  int64_t tx = std::min(thickness, width);
  int64_t ty = std::min(thickness, height);
  Fill(r, x, y, width, ty, colour);                              // top
  Fill(r, x, y + height - ty, width, ty, colour);                // bottom
  Fill(r, x, y + ty, tx, height - 2 * ty, colour);               // left
  Fill(r, x + width - tx, y + ty, tx, height - 2 * ty, colour);  // right
}

int FillBox(word handle, dword x, dword y, dword width, dword height, dword colour) {
  Trace({Call::FillBox, {handle, x, y, width, height, colour}});
  Region* r = Target(handle, "TAP_Osd_FillBox");
  if (!r) return -1;
  Fill(*r, x, y, width, height, colour);
  return 0;
}

// The fill with a one-pixel edge: light along the top and left, dark along the bottom and
// right, as a raised button looks.
int Draw3dBoxFill(word handle, dword x, dword y, dword width, dword height, dword light, dword dark,
                  dword fill) {
  Trace({Call::Draw3dBoxFill, {handle, x, y, width, height, light, dark, fill}});
  Region* r = Target(handle, "TAP_Osd_Draw3dBoxFill");
  if (!r) return -1;
  int64_t X = x, Y = y, W = width, H = height;
  Fill(*r, X, Y, W, H, fill);
  Fill(*r, X, Y, W, 1, light);
  Fill(*r, X, Y, 1, H, light);
  Fill(*r, X, Y + H - 1, W, 1, dark);
  Fill(*r, X + W - 1, Y, 1, H, dark);
  return 0;
}

int DrawRectangle(word handle, dword x, dword y, dword width, dword height, dword thickness,
                  dword colour) {
  Trace({Call::DrawRectangle, {handle, x, y, width, height, thickness, colour}});
  Region* r = Target(handle, "TAP_Osd_DrawRectangle");
  if (!r) return -1;
  Frame(*r, x, y, width, height, thickness, colour);
  return 0;
}

int Copy(word source, word destination, dword sourceX, dword sourceY, dword width, dword height,
         dword destinationX, dword destinationY, bool sprite) {
  Trace(
      {Call::Copy,
       {source, destination, sourceX, sourceY, width, height, destinationX, destinationY, sprite}});
  Region* from = Target(source, "TAP_Osd_Copy");
  Region* to = Target(destination, "TAP_Osd_Copy");
  if (!from || !to) return -1;
  // Cut the block to the source, then move the cut to the destination and cut again.
  Rect s;
  if (!Clip(*from, sourceX, sourceY, width, height, s)) return 0;
  int64_t dx = int64_t(destinationX) + (int64_t(s.x) - sourceX);
  int64_t dy = int64_t(destinationY) + (int64_t(s.y) - sourceY);
  Rect d;
  if (!Clip(*to, dx, dy, s.width, s.height, d)) return 0;
  dword sx = dword(s.x + (d.x - dx));
  dword sy = dword(s.y + (d.y - dy));
  // Copy through a buffer: the block may overlap itself within one region.
  std::vector<dword> block;
  block.reserve(size_t(d.width) * d.height);
  for (dword py = 0; py < d.height; ++py)
    block.insert(block.end(), &from->At(sx, sy + py), &from->At(sx, sy + py) + d.width);
  for (dword py = 0; py < d.height; ++py)
    for (dword px = 0; px < d.width; ++px) {
      dword& p = to->At(d.x + px, d.y + py);
      dword v = block[size_t(py) * d.width + px];
      p = sprite ? Over(v, p) : v;
    }
  return 0;
}

byte* SaveBox(word handle, dword x, dword y, dword width, dword height) {
  Trace({Call::SaveBox, {handle, x, y, width, height}});
  Region* r = Target(handle, "TAP_Osd_SaveBox");
  if (!r) return nullptr;
  uint64_t pixels = uint64_t(width) * height;
  if (!pixels || pixels > SAVE_BOX_MAX_PIXELS) {
    LogLine("TAP_Osd_SaveBox of " + std::to_string(width) + " x " + std::to_string(height) +
            " pixels refused");
    return nullptr;
  }
  auto* block = static_cast<dword*>(TAP_MemAlloc(dword(pixels * 4)));
  if (!block) return nullptr;
  // Pixels outside the region come back transparent.
  for (dword py = 0; py < height; ++py)
    for (dword px = 0; px < width; ++px) {
      uint64_t rx = uint64_t(x) + px, ry = uint64_t(y) + py;
      block[size_t(py) * width + px] =
          rx < r->width && ry < r->height ? r->At(dword(rx), dword(ry)) : 0;
    }
  return reinterpret_cast<byte*>(block);
}

void RestoreBox(word handle, dword x, dword y, dword width, dword height, const void* pixels) {
  Trace({Call::RestoreBox, {handle, x, y, width, height}});
  Region* r = Target(handle, "TAP_Osd_RestoreBox");
  if (!r || !pixels) return;
  uint64_t count = uint64_t(width) * height;
  // A block from the host allocator knows its size: never read past it.
  size_t blockSize = BlockSize(pixels);
  if (blockSize && blockSize / 4 < count) {
    LogLine("TAP_Osd_RestoreBox of " + std::to_string(width) + " x " + std::to_string(height) +
            " pixels from a block of " + std::to_string(blockSize) + " bytes refused");
    return;
  }
  Rect c;
  if (!Clip(*r, x, y, width, height, c)) return;
  const auto* block = static_cast<const byte*>(pixels);
  for (dword py = 0; py < c.height; ++py)
    for (dword px = 0; px < c.width; ++px) {
      size_t index = size_t(c.y - y + py) * width + (c.x - x + px);
      std::memcpy(&r->At(c.x + px, c.y + py), block + index * 4, 4);
    }
}

// What is wrong with a graphic descriptor, or "" when it can be decoded.
std::string DescriptorFault(const TYPE_GrData* gd) {
  if (!gd) return "no graphic";
  if (gd->version != 1) return "version " + std::to_string(gd->version);
  if (gd->dataFormat != 1) return "pixel format " + std::to_string(gd->dataFormat);
  if (gd->compressMethod != 2) return "compression method " + std::to_string(gd->compressMethod);
  if (!gd->width || !gd->height) return "empty picture";
  if (uint64_t(gd->width) * gd->height * 4 != gd->size)
    return "size " + std::to_string(gd->size) + " for " + std::to_string(gd->width) + " x " +
           std::to_string(gd->height);
  if (!gd->data) return "no pixel data";
  return "";
}

// Pictures unpacked before, by where their packed bytes lie. An entry keeps those bytes,
// so that other bytes at the same place are unpacked anew.
struct UnpackedPicture {
  std::string packed;
  word width = 0, height = 0;
  std::vector<uint32_t> argb;
};
std::map<const byte*, UnpackedPicture> unpacked;

// The pixels of a checked descriptor, unpacked once per picture; null with the reason in
// `fault` when the packed data is bad.
const std::vector<uint32_t>* Unpacked(const TYPE_GrData& gd, std::string& fault) {
  // Packed pixels from the host allocator have a known length; a picture compiled into
  // the plug-in does not.
  size_t available = BlockSize(gd.data);
  if (!available) available = SIZE_MAX;
  const size_t length = CompressedGdLength(gd.data, available);
  UnpackedPicture u{
      std::string(reinterpret_cast<const char*>(gd.data), length), gd.width, gd.height, {}};
  auto it = unpacked.find(gd.data);
  if (length && it != unpacked.end() && it->second.packed == u.packed &&
      it->second.width == gd.width && it->second.height == gd.height)
    return &it->second.argb;
  if (!DecodeCompressedGd(gd.data, available, gd.size, gd.width, gd.height, u.argb, fault))
    return nullptr;
  if (unpacked.size() >= 64) unpacked.clear();
  return &(unpacked[gd.data] = std::move(u)).argb;
}

int PutGd(word handle, int x, int y, const TYPE_GrData* gd, bool sprite) {
  Trace({Call::PutGd,
         {handle, x, y, gd ? gd->width : 0, gd ? gd->height : 0, sprite},
         gd ? "" : "null"});
  Region* r = Target(handle, "TAP_Osd_PutGd");
  if (!r) return -1;
  std::string fault = DescriptorFault(gd);
  const std::vector<uint32_t>* pixels = fault.empty() ? Unpacked(*gd, fault) : nullptr;
  if (!pixels) {
    LogLine("TAP_Osd_PutGd: bad graphic (" + fault + "), nothing drawn");
    return -1;
  }
  Rect c;
  if (!Clip(*r, x, y, gd->width, gd->height, c)) return 0;
  for (dword py = 0; py < c.height; ++py)
    for (dword px = 0; px < c.width; ++px) {
      size_t index = size_t(int64_t(c.y) + py - y) * gd->width + size_t(int64_t(c.x) + px - x);
      dword& p = r->At(c.x + px, c.y + py);
      p = sprite ? Over((*pixels)[index], p) : (*pixels)[index];
    }
  return 0;
}

}  // namespace

void ResetDrawing() {
  TAP_Osd_FillBox = FillBox;
  TAP_Osd_Draw3dBoxFill = Draw3dBoxFill;
  TAP_Osd_DrawRectangle = DrawRectangle;
  TAP_Osd_Copy = Copy;
  TAP_Osd_SaveBox = SaveBox;
  TAP_Osd_RestoreBox = RestoreBox;
  TAP_Osd_PutGd = PutGd;
}

}  // namespace stand::osd
