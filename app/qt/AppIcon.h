#pragma once

#include <QIcon>

// The program's icon, drawn here so that no image file has to travel with it: a
// servo's dial on a blue plate.
QIcon TovamoIcon();
