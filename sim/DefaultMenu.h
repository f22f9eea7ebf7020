#pragma once

// The menu built into the simulated drive: the text of sim/default-menu.txt.
const char* DefaultMenuText();
