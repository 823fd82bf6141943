#pragma once

class QMainWindow;
struct TMainFormControls;

// Builds the main window's actions (from the command table), menu bar, toolbar, controls and
// status bar at the places of the window layout, with their names, tab order and look. Wiring
// them to the window's behaviour is the window's own business.
void BuildMainFormLayout(QMainWindow& window, TMainFormControls& controls);

// Puts every action of the window, its own and the tools', into the menus as the menu layout
// lists them; run once the tools have made theirs.
void FillMenus(QMainWindow& window, TMainFormControls& controls);
