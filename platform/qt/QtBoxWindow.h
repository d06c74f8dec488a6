// How the game's boxes and dialogs sit on the desktop: close button only, wide enough for their caption, centred on
// their owner.
#pragma once

#include <QWidget>

// A modal box's window flags: caption and close button, no minimise or maximise.
Qt::WindowFlags BoxWindowFlags();

// The narrowest a box captioned `caption` may be so that a usual window
// manager shows the caption whole beside the window icon and close button.
int CaptionFitWidth(const QString& caption);

// Places the not yet shown pBox so that its frame is centred on pOwner's
// window. The box's frame is taken to be as thick as its owner's: both are
// decorated by the same window manager, and the box's own frame is not
// known before it is shown.
void CentreOnOwner(QWidget* pBox, const QWidget* pOwner);

// Waits, briefly, until pOwner's window, if just shown, is on the desktop
// (placed by the window manager), so that a box can be centred on it.
void AwaitPlacement(const QWidget* pOwner);

// After a box over pOwner closed, as on a desktop where a closed box hands
// the activation back to its owner, on every platform: keys go to the box
// still open below, or to pOwner's window while it is shown.
void RestoreActivation(QWidget* pOwner);
