#pragma once
// The one formula the program holds: 36 rows of cell texts with their marks,
// row kinds and material properties, the formula's name, and the sixteen
// property values as the property boxes show them.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tintora {

constexpr int SheetRowCount = 36;

// Grid columns; formula row n is grid row n (row 0 is the header row).
enum class Column { Number = 0, Material = 1, Description = 2, Weight = 3, Volume = 4, Percent = 5 };
constexpr int ColumnCount = 6;

enum class PercentBasis { Weight, Volume };

struct RowMaterialProps {
    double Spec = 0, Cost = 0, Vol_Wt = 0, Vol_Vol = 0, Pig_Wt = 0, Pig_Vol = 0, Voc_Wt = 0, Voc_Vol = 0;
    // Keys a material file may leave out, which then have no value (never 0):
    // the weight fraction that is VOC by the EU's definition, where it
    // differs from Voc_Wt, and the oil absorption of the pigment part in g of
    // linseed oil per 100 g.
    std::optional<double> EUVoc_Wt = std::nullopt, Oil_Abs = std::nullopt;
    bool operator==(const RowMaterialProps&) const = default;
};

// The product's kind and its VOC category in the limits table, kept with the
// formula; empty texts when none was chosen.
struct ComplianceChoice {
    std::string category;  // the table's section name: "EU 2004/42/EC A/d"
    std::string type;  // "WB" (water-borne) or "SB" (solvent-borne)
    bool operator==(const ComplianceChoice&) const = default;
};

// The sixteen read-only property boxes of the main window.
enum class PropertyBox {
    WeightBox,
    VolumeBox,
    DensityBox,
    SPGBox,
    PBBox,
    VocBox,
    BinderWtBox,
    CostWtBox,
    PigmentWtBox,
    SolidsWtBox,
    VolatileWtBox,
    BinderVolBox,
    CostVolBox,
    PigmentVolBox,
    SolidsVolBox,
    VolatileVolBox,
};
constexpr int PropertyBoxCount = 16;
const char* propertyBoxName(PropertyBox box);

struct SheetRow {
    std::array<std::string, ColumnCount> cells;  // cells[0] is the row number
    bool marked = false;
    bool RowKind = false;  // true: material row
    RowMaterialProps props;
};

class FormulaSheet {
public:
    FormulaSheet();

    // Rows are numbered 1 ... SheetRowCount; an index outside that range is a programming error.
    SheetRow& row(int n);
    const SheetRow& row(int n) const;

    const std::string& cell(Column column, int n) const { return row(n).cells[index(column)]; }
    // The rules read figures, not cell text: the number row n's Weight or
    // Volume cell holds by the number-text rule (0 when it is empty).
    double weight(int n) const;
    double volume(int n) const;
    // Whether row n holds a loaded material (a code whose file was read),
    // rather than a note or a missing material's code.
    bool isMaterialRow(int n) const { return row(n).RowKind; }
    void setCell(Column column, int n, std::string text) { row(n).cells[index(column)] = std::move(text); }

    const std::string& name() const { return name_; }
    // Every change of the name marks the sheet modified, as the name box does.
    void setName(std::string name);

    double box(PropertyBox b) const { return boxes_[static_cast<int>(b)]; }
    // Stores the value as the box shows it: rounded to three decimals.
    void setBox(PropertyBox b, double value);

    PercentBasis percentBasis = PercentBasis::Weight;
    ComplianceChoice compliance;
    bool SheetModified = false;
    bool CellTypingStarted = false;

    // The caption of the percent column for the current basis.
    const char* percentTitle() const { return percentBasis == PercentBasis::Weight ? "W%" : "V%"; }

    static constexpr int index(Column c) { return static_cast<int>(c); }

private:
    std::array<SheetRow, SheetRowCount> rows_;
    std::string name_;
    std::array<double, PropertyBoxCount> boxes_{};
};

// Empties the sheet: marks, columns 1-5, properties, kinds and the name; then
// runs Calculate and clears SheetModified. Row numbers, the percent basis and
// everything outside the sheet stay as they are.
void ClearGrid(FormulaSheet& sheet);

}  // namespace tintora
