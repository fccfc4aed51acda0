// The game's palette. Screens and sprites share these colours so the whole game reads as one piece:
// a dark plum ink for outlines, copper for accents and highlights, cream for text, deep navy for panels,
// and muted landscape tones that stay darker and greyer than any sprite on top of them.
#pragma once

#include "Color.h"

namespace assetgen::palette
{
inline const tColor kInk = Hex(0x1E1A22);
inline const tColor kInkSoft = Hex(0x3A3340);
inline const tColor kCream = Hex(0xFBF1DA);
inline const tColor kCreamShade = Hex(0xE8D3A8);
inline const tColor kCopper = Hex(0xC8743A);
inline const tColor kCopperLight = Hex(0xEFA861);
inline const tColor kCopperPale = Hex(0xF6CF96);
inline const tColor kCopperDark = Hex(0x7A3E1C);
inline const tColor kNavyDeep = Hex(0x101A2B);
inline const tColor kNavy = Hex(0x1B2A41);
inline const tColor kNavyMid = Hex(0x263A57);
inline const tColor kNavyLight = Hex(0x3C5A7E);
inline const tColor kSlate = Hex(0x6E7F96);
inline const tColor kSky = Hex(0x8FB8D8);
inline const tColor kDusk = Hex(0xE58F5C);
inline const tColor kLeaf = Hex(0x5E8A3C);
inline const tColor kLeafDark = Hex(0x3C5E2B);
inline const tColor kRed = Hex(0xC8402F);
inline const tColor kRedDark = Hex(0x7E2119);
inline const tColor kGold = Hex(0xF2C94C);
inline const tColor kTeal = Hex(0x3FA7A0);
} // namespace assetgen::palette
