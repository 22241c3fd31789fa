// The puzzle rules: word queries, entry checking, completion check, Sudoku rule.
#pragma once

#include "rules/Completion.h"
#include "rules/EntryCheck.h"
#include "rules/SudokuRule.h"
#include "rules/WordQueries.h"
