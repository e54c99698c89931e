#pragma once
// The drawing routines shared by the screen and the paper.

#include "drawing/FactorTable.h"
#include "drawing/Primitives.h"
#include "drawing/Surface.h"
#include "drawing/TextPlacement.h"
#include "drawing/WallView.h"
