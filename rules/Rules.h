// The puzzle rules: word queries, entry checking, completion check, Sudoku rule.
#pragma once

#include "Completion.h"
#include "EntryCheck.h"
#include "SudokuRule.h"
#include "WordQueries.h"
