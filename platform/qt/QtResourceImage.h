// The program's embedded pixel art as Qt images and icons.
#pragma once

#include <QIcon>
#include <QImage>

// Image resource nID as an opaque image; a null image for an unknown id.
QImage LoadResourceImage(unsigned nID);
// The same as an icon that stays sharp when enlarged: besides the image
// itself it holds copies enlarged by whole pixels, for large icons and
// high-density screens.
QIcon LoadResourceIcon(unsigned nID);
