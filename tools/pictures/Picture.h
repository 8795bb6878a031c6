// A picture of the plug-in, made from its description rather than drawn by hand: 32-bit
// ARGB pixels, rows from the top.
#ifndef SCRAPDECK_TOOLS_PICTURES_PICTURE_H
#define SCRAPDECK_TOOLS_PICTURES_PICTURE_H

#include <cstdint>
#include <string>
#include <vector>

namespace pictures {

struct Picture {
  Picture(uint32_t w, uint32_t h, uint32_t argb = 0) : width(w), height(h), pixels(w * h, argb) {}

  uint32_t& At(uint32_t x, uint32_t y) { return pixels.at(size_t(y) * width + x); }
  // Fills the rectangle, cut to the picture.
  void Fill(uint32_t x, uint32_t y, uint32_t w, uint32_t h, uint32_t argb);

  uint32_t width;
  uint32_t height;
  std::vector<uint32_t> pixels;
};

// Writes the picture as an RGBA PNG; false with a reason when it cannot.
bool WritePng(const Picture& picture, const std::string& path, std::string& error);

// The pictures, one function each (named after the picture).
Picture InfoBox();
Picture MessageBoxSelectedButtonBackground();

// The menu's pictures.
Picture CursorTile(uint32_t height, bool dark);
Picture Cursor_Blue_Normal();
Picture Cursor_Dark_Normal();
Picture Cursor_Blue_Small();
Picture Cursor_Dark_Small();
Picture Cursor_Blue_Tiny();
Picture Cursor_Dark_Tiny();
Picture ScrollBarVisible();
Picture ScrollBarInvisible();
Picture ScrollBarKnob();
Picture pfeil_l();
Picture pfeil_l_bright();
Picture pfeil_r();
Picture pfeil_r_bright();
Picture Button_exit();

}  // namespace pictures

#endif
