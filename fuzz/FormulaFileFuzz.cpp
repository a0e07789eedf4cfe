// Any bytes as a formula file, and as the material files it names: loading
// must neither crash nor leave anything but finite figures in the sheet.
#include "calc/Calculate.h"
#include "formulas/FormulaFile.h"
#include "materials/MaterialFile.h"
#include "print/LabPrintout.h"
#include "text/IniFile.h"
#include "text/NumberText.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

const std::filesystem::path& folder()
{
    static const std::filesystem::path path = [] {
        auto p = std::filesystem::temp_directory_path() / ("tintora-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(p);
        return p;
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const tintora::IniFile ini = tintora::IniFile::parse(bytes);
    (void)ini.readInteger("Formula", "rType1", 1);
    (void)tintora::parseNumberText(bytes.substr(0, 64));

    // The same bytes serve as the formula and as every material it names.
    std::ofstream(folder() / "f.tfx", std::ios::binary) << bytes;
    for (int n = 1; n <= tintora::SheetRowCount; ++n) {
        const std::string code = ini.readString("Formula", "Material" + std::to_string(n), "");
        if (tintora::MaterialFiles::codeNamesAFile(code) && code.size() < 200)
            std::ofstream(folder() / (code + ".rm"), std::ios::binary) << bytes;
    }
    tintora::FormulaSheet sheet;
    tintora::FormulaLoad(sheet, (folder() / "f.tfx").string(), folder());
    for (int b = 0; b < tintora::PropertyBoxCount; ++b)
        if (!std::isfinite(sheet.box(static_cast<tintora::PropertyBox>(b))))
            std::abort();
    (void)tintora::renderPageAsText(tintora::LabPrintPage(sheet, "f.tfx", "today"));
    std::filesystem::remove_all(folder());
    std::filesystem::create_directories(folder());
    return 0;
}
