#pragma once

class QMainWindow;
struct TMainFormControls;

// Builds the main window's actions (from the command table), menu bar, toolbar, controls and
// status bar at the places of the window layout, with their names, tab order and look. Wiring
// them to the window's behaviour is the window's own business.
void BuildMainFormLayout(QMainWindow& window, TMainFormControls& controls);
