#include "reports/ShearTable.h"

#include "model/DesignTypes.h"
#include "model/Units.h"
#include "reports/MomentTable.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

void PrintShearTable(const Model& m, Surface& s, int page) {
    ForceTableColumns table;
    table.Heading = "&BShearing forces, V&Lu&l&b";
    table.Unit = ForcePerLengthLabel(m);
    table.Heads.assign(MemberCount, "Vu");
    table.Force = [&m](int row, int k) { return At(At(m.ShearForces, row), k); };
    table.AxialForce = [&m](int row, int k) { return At(At(m.ShearAxialForces, row), k); };
    table.Distance = [&m](int row, int k) { return At(At(m.ShearSectionDistances, row), k); };
    table.Governing = [&m](int k) { return At(m.GoverningShearCombinations, k); };
    // the wide member columns keep their digits well inside the right edge
    table.Kind = Quantity::ForcePerLength;
    table.Padding = "        ";
    table.NoDistance = "--        ";
    PrintForceTablePage(m, s, ReinforcementBlock::Current(s), page, table);
}

}  // namespace brindlemar
