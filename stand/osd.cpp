// On-screen regions, the screen they make up and the firmware's display modes.
#include <cstring>
#include <map>
#include <utility>

#include "stand/osd_internal.h"
#include "stand/stand.h"

namespace stand {
namespace osd {
namespace {

// Live regions by handle, and the order in which they were created (composition order).
std::map<word, Region> regions;
std::vector<word> creationOrder;

std::vector<dword> synced;  // the screen as the last TAP_Osd_Sync showed it
// The screen composed from the regions as they are now, valid while `composedFresh`.
std::vector<dword> composed;
bool composedFresh = false;
size_t syncCount = 0;
dword videoColour = 0xFF000000;
bool normalMode = true;
std::map<dword, dword> sysOsdItems;
std::vector<TraceEntry> trace;

void WriteMapEntry(word handle, const Region* region) {
  TYPE_OsdMapEntry* map = OsdMap();
  if (!map || handle >= OSD_HANDLES) return;
  std::memset(&map[handle], 0, sizeof map[handle]);
  if (region) {
    map[handle].x = word(region->x);
    map[handle].y = word(region->y);
    map[handle].width = word(region->width);
  }
}

bool Shown(const Region& r) {
  return !(r.flags & OSD_FLAG_MEMORY);
}

const std::vector<dword>& Composed() {
  if (!composedFresh) {
    ComposeScreen(composed);
    composedFresh = true;
  }
  return composed;
}

word Create(dword x, dword y, dword width, dword height, byte, dword flags) {
  // The region must lie on the OSD plane: the firmware has no pixels beyond it.
  bool fits = width && height && x < SCREEN_WIDTH && y < SCREEN_HEIGHT &&
              width <= SCREEN_WIDTH - x && height <= SCREEN_HEIGHT - y;
  word handle = 0;
  if (fits) {
    for (word h = 1; h < OSD_HANDLES; ++h)
      if (!regions.count(h)) {
        handle = h;
        break;
      }
  }
  Trace({Call::Create, {handle, x, y, width, height, flags}});
  if (!fits) {
    LogLine("TAP_Osd_Create(" + std::to_string(x) + ", " + std::to_string(y) + ", " +
            std::to_string(width) + ", " + std::to_string(height) + ") lies off the screen");
    return 0;
  }
  if (!handle) {
    LogLine("TAP_Osd_Create: every region handle is in use");
    return 0;
  }
  Region& r = regions[handle];
  r.handle = handle;
  r.x = x;
  r.y = y;
  r.width = width;
  r.height = height;
  r.flags = flags;
  r.pixels.assign(size_t(width) * height, 0);
  creationOrder.push_back(handle);
  WriteMapEntry(handle, &r);
  return handle;
}

int Delete(word handle) {
  Trace({Call::Delete, {handle}});
  if (!regions.erase(handle)) {
    LogLine("TAP_Osd_Delete of region " + std::to_string(handle) + ", which does not exist");
    return -1;
  }
  for (auto it = creationOrder.begin(); it != creationOrder.end(); ++it)
    if (*it == handle) {
      creationOrder.erase(it);
      break;
    }
  WriteMapEntry(handle, nullptr);
  return 0;
}

void Sync() {
  Trace({Call::Sync});
  ++syncCount;
  synced = Composed();
}

void SysOsdControl(dword item, dword on) {
  Trace({Call::SysOsdControl, {item, on}});
  sysOsdItems[item] = on;
}

void ExitNormal() {
  Trace({Call::ExitNormal});
  normalMode = false;
}

void EnterNormal() {
  Trace({Call::EnterNormal});
  normalMode = true;
}

}  // namespace

Region* Find(word handle) {
  auto it = regions.find(handle);
  return it == regions.end() ? nullptr : &it->second;
}

bool Clip(const Region& region, int64_t x, int64_t y, int64_t width, int64_t height, Rect& out) {
  int64_t left = std::max<int64_t>(x, 0);
  int64_t top = std::max<int64_t>(y, 0);
  int64_t right = std::min<int64_t>(x + width, region.width);
  int64_t bottom = std::min<int64_t>(y + height, region.height);
  if (width <= 0 || height <= 0 || left >= right || top >= bottom) return false;
  out = Rect{dword(left), dword(top), dword(right - left), dword(bottom - top)};
  return true;
}

dword Mix(dword fore, dword back, unsigned coverage) {
  dword result = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    unsigned f = (fore >> shift) & 0xFF;
    unsigned b = (back >> shift) & 0xFF;
    result |= dword((f * coverage + b * (255 - coverage) + 127) / 255) << shift;
  }
  return result;
}

dword Over(dword source, dword destination) {
  unsigned sa = source >> 24;
  if (sa == 0xFF) return source;
  if (sa == 0) return destination;
  unsigned da = destination >> 24;
  // Straight (not premultiplied) alpha: the colour below counts by its own coverage too.
  unsigned below = da * (255 - sa);  // 0..255*255
  unsigned total = sa * 255 + below;
  dword result = dword((total + 127) / 255) << 24;
  for (int shift = 0; shift < 24; shift += 8) {
    unsigned s = (source >> shift) & 0xFF;
    unsigned d = (destination >> shift) & 0xFF;
    result |= dword((s * sa * 255 + d * below + total / 2) / total) << shift;
  }
  return result;
}

void Trace(TraceEntry entry) {
  // Every host call that can change a pixel is traced first.
  composedFresh = false;
  trace.push_back(std::move(entry));
}

void ComposeScreen(std::vector<dword>& screen) {
  screen.assign(size_t(SCREEN_WIDTH) * SCREEN_HEIGHT, videoColour);
  for (word handle : creationOrder) {
    const Region& r = regions.at(handle);
    if (!Shown(r)) continue;
    for (dword py = 0; py < r.height; ++py) {
      dword* out = screen.data() + size_t(r.y + py) * SCREEN_WIDTH + r.x;
      const dword* in = r.pixels.data() + size_t(py) * r.width;
      for (dword px = 0; px < r.width; ++px)
        out[px] = Over(in[px], out[px]);
    }
  }
}

std::vector<dword> ComposeScreen() {
  std::vector<dword> screen;
  ComposeScreen(screen);
  return screen;
}

}  // namespace osd

void ResetOsd() {
  for (auto& [handle, region] : osd::regions)
    osd::WriteMapEntry(handle, nullptr);
  osd::regions.clear();
  osd::creationOrder.clear();
  osd::videoColour = 0xFF000000;
  osd::synced.assign(size_t(SCREEN_WIDTH) * SCREEN_HEIGHT, osd::videoColour);
  osd::syncCount = 0;
  osd::normalMode = true;
  osd::sysOsdItems.clear();
  osd::trace.clear();
  osd::composedFresh = false;
  TAP_Osd_Create = osd::Create;
  TAP_Osd_Delete = osd::Delete;
  TAP_Osd_Sync = osd::Sync;
  TAP_SysOsdControl = osd::SysOsdControl;
  TAP_ExitNormal = osd::ExitNormal;
  TAP_EnterNormal = osd::EnterNormal;
  osd::ResetDrawing();
  osd::ResetText();
}

std::vector<OsdRegion> Regions() {
  std::vector<OsdRegion> list;
  for (word handle : osd::creationOrder) {
    const osd::Region& r = osd::regions.at(handle);
    list.push_back({handle, r.x, r.y, r.width, r.height, r.flags, osd::Shown(r)});
  }
  return list;
}

bool RegionExists(word handle) {
  return osd::Find(handle) != nullptr;
}

dword RegionPixel(word handle, dword x, dword y) {
  osd::Region* r = osd::Find(handle);
  if (!r || x >= r->width || y >= r->height) return 0;
  return r->At(x, y);
}

dword ScreenPixel(dword x, dword y) {
  if (x >= SCREEN_WIDTH || y >= SCREEN_HEIGHT) return 0;
  return osd::Composed()[size_t(y) * SCREEN_WIDTH + x];
}

dword SyncedPixel(dword x, dword y) {
  if (x >= SCREEN_WIDTH || y >= SCREEN_HEIGHT) return 0;
  return osd::synced[size_t(y) * SCREEN_WIDTH + x];
}

size_t SyncCount() {
  return osd::syncCount;
}

void SetVideoColour(dword argb) {
  osd::videoColour = argb;
  osd::composedFresh = false;
}
dword VideoColour() {
  return osd::videoColour;
}

const std::vector<TraceEntry>& OsdTrace() {
  return osd::trace;
}
void ClearOsdTrace() {
  osd::trace.clear();
}

bool NormalMode() {
  return osd::normalMode;
}

dword SysOsdItem(dword item) {
  auto it = osd::sysOsdItems.find(item);
  return it == osd::sysOsdItems.end() ? 1 : it->second;
}

}  // namespace stand
