#pragma once

class QWidget;

// Places a window in the middle of the screen it is on (the primary screen
// when it has none yet), frame included.
void CentreOnScreen(QWidget &window);
