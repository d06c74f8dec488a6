// The game's bitmaps, and its embedded pixel art, as Qt images and icons.
#pragma once

#include <QIcon>
#include <QImage>

class CBitmap;

// The bitmap's pixels as an opaque image that shares them: valid while the
// bitmap is neither changed in size nor deleted.
QImage BitmapImage(const CBitmap& bmp);
// Image resource nID as an opaque image, decoded as CBitmap::LoadBitmap
// decodes it; a null image for an unknown id.
QImage LoadResourceImage(unsigned nID);
// The same as an icon that stays sharp when enlarged: besides the image
// itself it holds copies enlarged by whole pixels, for large icons and
// high-density screens.
QIcon LoadResourceIcon(unsigned nID);
