/// \file
/// The grid unit's public header: the cell model, unions and the grid control. An application
/// includes this one file.
#pragma once

#include "grid/YCells.h"
#include "grid/YCellsHolder.h"
#include "grid/YCellsUnions.h"
#include "grid/YCustomGrid.h"
#include "grid/YGridTypes.h"

/// Registers the grid's classes and published properties for storing with a form (and the
/// host's visual classes they use). Safe to call more than once.
void RegisterYGridsClasses();
