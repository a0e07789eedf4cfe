#include "core/solver/ClpSolver.h"

#include <Clp_C_Interface.h>

#include <memory>

namespace tintora {

namespace {

struct ModelDeleter {
    void operator()(Clp_Simplex* model) const { Clp_deleteModel(model); }
};

// The matrix column by column, as the library takes it.
struct ColumnMatrix {
    std::vector<CoinBigIndex> starts{0};
    std::vector<int> rows;
    std::vector<double> values;
};

ColumnMatrix columnsOf(const LinearProgram& program)
{
    ColumnMatrix m;
    for (int c = 0; c < program.columnCount(); ++c) {
        for (std::size_t r = 0; r < program.rows.size(); ++r) {
            const double value = program.rows[r].coefficients[static_cast<std::size_t>(c)];
            if (value != 0) {
                m.rows.push_back(static_cast<int>(r));
                m.values.push_back(value);
            }
        }
        m.starts.push_back(static_cast<CoinBigIndex>(m.rows.size()));
    }
    return m;
}

// The library takes a number this large or larger for no bound.
double bound(double value)
{
    constexpr double none = 1e30;
    return value >= none ? none : value <= -none ? -none : value;
}

}  // namespace

LinearSolution solveLinearProgram(const LinearProgram& program)
{
    const std::unique_ptr<Clp_Simplex, ModelDeleter> model(Clp_newModel());
    Clp_setLogLevel(model.get(), 0);
    const ColumnMatrix m = columnsOf(program);
    std::vector<double> columnLower, columnUpper, rowLower, rowUpper;
    for (int c = 0; c < program.columnCount(); ++c) {
        columnLower.push_back(bound(program.columnLower[static_cast<std::size_t>(c)]));
        columnUpper.push_back(bound(program.columnUpper[static_cast<std::size_t>(c)]));
    }
    for (const LinearRow& row : program.rows) {
        rowLower.push_back(bound(row.lower));
        rowUpper.push_back(bound(row.upper));
    }
    Clp_loadProblem(model.get(), program.columnCount(), static_cast<int>(program.rows.size()), m.starts.data(),
        m.rows.data(), m.values.data(), columnLower.data(), columnUpper.data(), program.objective.data(),
        rowLower.data(), rowUpper.data());
    Clp_initialSolve(model.get());
    LinearSolution solution;
    switch (Clp_status(model.get())) {
    case 0: {
        const double* x = Clp_primalColumnSolution(model.get());
        solution.status = LinearSolution::Status::Optimal;
        solution.x.assign(x, x + program.columnCount());
        break;
    }
    case 1:
        solution.status = LinearSolution::Status::Infeasible;
        break;
    case 2:
        solution.status = LinearSolution::Status::Unbounded;
        break;
    default:
        solution.status = LinearSolution::Status::Failed;
    }
    return solution;
}

}  // namespace tintora
