#pragma once
// Picking a material from the drop-down file list under a Material cell, and
// the status line shown while the list is open. The list widget itself is the
// window's; these are the rules it follows.
#include "core/sheet/FormulaSheet.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintora {

// Names in the status line longer than this are cut and get "...".
constexpr std::size_t LongestStatusName = 30;

// Drop1Click, when the list has just been shown: the item to select (and
// scroll to the top) among the list's file names. The item equal to code +
// ".rm" without regard to case; failing that the first item if the list
// still had a selection from an earlier use; otherwise none.
std::optional<std::size_t> materialListSelection(
    const std::vector<std::string>& items, std::string_view code, bool listHadSelection);

// The code a list item stands for: the file name without its final ".rm",
// capitalised by fCase (white.paint.rm gives White.paint).
std::string codeFromListItem(std::string_view fileName);

// File32Close: writes the picked file's code into the row's Material cell,
// loads the material from materialFolder and recalculates. The window then
// hides the list, empties the status line, focuses the grid and refreshes
// every cell and box. With no item selected the window must not call it.
void pickMaterial(FormulaSheet& sheet, int row, std::string_view fileName, const std::filesystem::path& materialFolder);

// MatStatus: the status line text for a list item (a file name in
// materialFolder): the material's name through fCase, cut at
// LongestStatusName characters, then its cost per pound and its weight per
// gallon (Spec x 8.334), both in the "%8.3f" form. A missing file or key
// reads as an empty name and zeros.
std::string MatStatus(const std::filesystem::path& materialFolder, std::string_view fileName);

}  // namespace tintora
