#pragma once

#include "TarvoExport.h"
#include "afx/Wnd.h"

// Anchor bits: which edges of a control follow a change of its parent's size.
#define ANCHOR_RIGHT 1      // the right edge follows dx
#define ANCHOR_BOTTOM 2     // the bottom edge follows dy
#define ANCHOR_MOVE_RIGHT 4 // left and right edges follow dx
#define ANCHOR_MOVE_DOWN 8  // top and bottom edges follow dy

// Moves the control's edges by dx and dy as the anchor bits say, in the
// parent's client coordinates, without repainting. A null control is skipped,
// so a layout may run before every control exists.
TARVO_API void MoveControlBy(CWnd* pControl, CWnd* pParent, int dx, int dy, int nAnchor);
