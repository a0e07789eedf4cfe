#pragma once
// Material files: one INI file per raw material, named code + ".rm" in the
// material folder, section [Material].
#include "core/sheet/FormulaSheet.h"
#include "core/text/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tintora {

struct Material {
    std::string Name = "No Name";
    RowMaterialProps props;
};

// A material file is a few hundred bytes; a larger one than this is no
// material file and counts as missing.
constexpr std::size_t MaxMaterialFileBytes = std::size_t{1} * 1024 * 1024;

// Finds material files by code. Linux file names are case-sensitive while
// codes are not: a code names the file code + ".rm" exactly, else in lower
// case, else the first name in the folder (in byte order) that equals it
// without regard to ASCII case. A code is tried as its text (UTF-8) and, when
// that finds nothing, as its Windows-1252 bytes, the file names that Windows
// wrote. The folder is listed at most once in the lifetime of a lookup, and
// only when the first tries fail, each code is looked up once and each file
// read once, however many names (links) reach it; make one lookup per
// operation so that nothing is cached between operations.
class MaterialFiles {
public:
    explicit MaterialFiles(std::filesystem::path folder);

    const std::filesystem::path& folder() const { return folder_; }
    std::optional<std::filesystem::path> find(std::string_view code) const;
    // Looks up many codes at once, listing the folder at most once for all of
    // those that need it and keeping only their matches; find() then answers
    // them at once.
    void findAll(const std::vector<std::string>& codes) const;
    // The material of the file a code names; null when no file matches or
    // the file cannot be read (more than MaxMaterialFileBytes, a folder, a
    // pipe, a device).
    const Material* material(std::string_view code) const;
    bool exists(std::string_view code) const { return material(code) != nullptr; }

    // A code that would leave the folder ("/" or NUL in it, "." or "..") or is
    // empty names no file.
    static bool codeNamesAFile(std::string_view code);

private:
    std::optional<std::filesystem::path> lookUp(std::string_view code) const;
    std::optional<std::filesystem::path> lookUpByName(const std::vector<std::string>& names) const;
    std::optional<std::filesystem::path> findInListing(const std::vector<std::string>& names) const;
    const std::optional<Material>& readOnce(const std::filesystem::path& file) const;

    std::filesystem::path folder_;
    // code -> file, for the codes asked so far in this operation
    mutable std::map<std::string, std::optional<std::filesystem::path>, std::less<>> found_;
    // lower-case file name -> first matching name in byte order; built on demand
    mutable std::optional<std::unordered_map<std::string, std::string>> listing_;
    // file name -> the material of the file it reaches
    mutable std::map<std::filesystem::path, const std::optional<Material>*> byName_;
    // file (device, inode) -> its material, nullopt when it cannot be read
    mutable std::map<std::pair<std::uint64_t, std::uint64_t>, std::optional<Material>> byFile_;
};

constexpr const char* MaterialSection = "Material";
constexpr const char* DefaultMaterialName = "No Name";

// The sections of a material file that the program reads ([Material]).
const IniSectionNames& materialSections();

// A material file's contents, read up to MaxMaterialFileBytes: an empty
// reading (every key its default) for a file beyond it, not readable or not
// text.
IniFile readMaterialIni(const std::filesystem::path& file);
// The material a reading holds; a missing key, an empty value or a malformed
// number gives the default ("No Name", 0).
Material materialOf(const IniFile& ini);

// Reads a material file; a missing key, an empty value or a malformed number
// gives the default ("No Name", 0). nullopt when the file is missing, cannot
// be read or is not text (UTF-16 without its byte-order mark): such a
// material counts as missing.
std::optional<Material> loadMaterial(const std::filesystem::path& file);
// The same with every default for a file that cannot be read.
Material readMaterial(const std::filesystem::path& file);

// Fills a row from the material file named by its Material cell: description
// through fCase, the eight properties, and makes it a material row. When the
// file is missing, a material row is emptied and a text row keeps its code.
// Does not recalculate; callers run Calculate.
void MaterialLoad(FormulaSheet& sheet, int rowNumber, const MaterialFiles& files);

// Writing material files: materials/MaterialWrite.h.

}  // namespace tintora
