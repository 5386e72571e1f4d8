// The grid unit: cell model, unions and the grid control.
#pragma once

#include "grid/YCells.h"
#include "grid/YCellsHolder.h"
#include "grid/YCellsUnions.h"
#include "grid/YCustomGrid.h"
#include "grid/YGridTypes.h"
