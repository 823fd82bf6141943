#pragma once

class QWidget;

// Puts a tool window beside its owner where it covers none of it, so that the list and the
// preview stay in view: to the right, to the left, below or above, the first place that lies
// wholly on the owner's screen. Where none does, the window stays where the system put it.
// For a window not yet shown, before its first show.
void PlaceBeside(QWidget& window, const QWidget& owner);
