#include "MaterialCheck.h"

#include "core/materials/MaterialCheck.h"

#include <iostream>

namespace tintora::report {

int materialCheckReport(const std::filesystem::path& folder)
{
    const std::vector<MaterialFinding> findings = checkMaterialFolder(folder);
    for (const MaterialFinding& finding : findings)
        std::cout << finding.file << ": " << finding.problem.text << "\n";
    return findings.empty() ? 0 : 1;
}

}  // namespace tintora::report
