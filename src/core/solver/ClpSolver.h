#pragma once
// The linear programmes of the optimiser answered by the simplex method of
// a maintained solver library.
#include "core/calc/LinearProgram.h"

namespace tintora {

LinearSolution solveLinearProgram(const LinearProgram& program);

}  // namespace tintora
