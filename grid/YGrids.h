/// \file
/// The grid unit's public header: the cell model, unions and the grid control. An application
/// includes this one file.
#pragma once

#include "grid/YCells.h"
#include "grid/YCellsHolder.h"
#include "grid/YCellsUnions.h"
#include "grid/YCustomGrid.h"
#include "grid/YGridTypes.h"

/// The most cells (columns times rows) a grid read from a stored form may hold. Counts past it
/// raise EReadError naming the count, so a few bytes of a damaged or hostile form cannot
/// demand gigabytes or minutes; a program may still size its grid beyond it in code.
inline constexpr std::int64_t YGridMaxStoredCells = 1'000'000;

/// Registers the grid's classes and published properties for storing with a form (and the
/// host's visual classes they use). Safe to call more than once.
void RegisterYGridsClasses();
