#pragma once

namespace kelmora {

// The settings name the Japanese Windows faces; where a face is missing,
// the nearest free one stands in (IPA P Gothic / P Mincho).
void installFontSubstitutes();

}  // namespace kelmora
