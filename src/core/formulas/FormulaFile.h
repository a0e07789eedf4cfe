#pragma once
// Formula files (INI text, extension "tfx") and reading one into the sheet.
#include "sheet/FormulaSheet.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace tintora {

constexpr const char* ProductTitle = "Tintora";
constexpr const char* ProductShortName = "Korvel";
constexpr const char* ProductVersion = "2.31";
constexpr const char* FormulaExt = "tfx";
constexpr const char* MaterialNotFound = "Material not found";

// The part of a path after its last "/" (the whole text when there is none).
std::string fileNameOf(std::string_view path);

// "Tintora 2.31 - [primer.tfx]", or "Tintora 2.31 - []" when untitled.
std::string TitleText(std::string_view formulaPath);

// Reads the formula named by formulaPath into the sheet, loads every row's
// material from materialFolder and recalculates. An empty path names no file
// and does not clear the sheet first. Returns the formula's Protect flag
// (FormulaProtected). The caller makes row 1, column Material the current cell.
bool FormulaLoad(FormulaSheet& sheet, const std::string& formulaPath, const std::filesystem::path& materialFolder);

}  // namespace tintora
