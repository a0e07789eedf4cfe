#pragma once
// A linear programme as plain data, so that the rules that build one stay in
// the core and the solver that answers it is a library of its own
// (core/solver): minimise objective·x subject to
// rowLower ≤ rows·x ≤ rowUpper and columnLower ≤ x ≤ columnUpper.
#include <limits>
#include <vector>

namespace tintora {

constexpr double Unlimited = std::numeric_limits<double>::infinity();

struct LinearRow {
    std::vector<double> coefficients;  // one per column
    double lower = -Unlimited;
    double upper = Unlimited;
};

struct LinearProgram {
    std::vector<double> objective;  // one per column
    std::vector<double> columnLower, columnUpper;
    std::vector<LinearRow> rows;

    int columnCount() const { return static_cast<int>(objective.size()); }
};

struct LinearSolution {
    enum class Status { Optimal, Infeasible, Unbounded, Failed };
    Status status = Status::Failed;
    std::vector<double> x;  // one per column when Optimal
};

// The solver is handed in: the window and tintora-report pass the library's.
using LinearSolver = LinearSolution (*)(const LinearProgram& program);

}  // namespace tintora
