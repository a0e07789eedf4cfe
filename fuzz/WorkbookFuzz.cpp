// A workbook of a sheet of any names, codes, notes and figures: it is
// written whole (a zip archive) and nothing but the workbook stays in the
// folder, its temporary file and scratch folder gone.
#include "FuzzFolder.h"
#include "core/calc/Calculate.h"
#include "core/export/FormulaWorkbook.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;
using tintora::fuzz::entriesIn;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    tintora::FormulaSheet sheet;
    sheet.setName(input.ConsumeRandomLengthString(80));
    for (int row = 1; row <= tintora::SheetRowCount && input.remaining_bytes() > 0; ++row) {
        sheet.row(row).RowKind = input.ConsumeBool();
        sheet.setCell(tintora::Column::Material, row, input.ConsumeRandomLengthString(16));
        sheet.setCell(tintora::Column::Description, row, input.ConsumeRandomLengthString(40));
        sheet.setCell(tintora::Column::Weight, row, input.ConsumeRandomLengthString(12));
        sheet.row(row).props.Spec = input.ConsumeFloatingPoint<double>();
        sheet.row(row).props.Cost = input.ConsumeFloatingPoint<double>();
    }
    tintora::Calculate(sheet);

    const tintora::fuzz::ScratchFolder scratch;
    const fs::path target = scratch.path() / "w.xlsx";
    const tintora::Result<tintora::FileStamp> written = tintora::writeFormulaWorkbook(target, "w.tfx", sheet);
    if (!written.ok() || entriesIn(scratch.path()) != 1)
        std::abort();
    std::ifstream in(target, std::ios::binary);
    char magic[2] = {};
    in.read(magic, 2);
    if (magic[0] != 'P' || magic[1] != 'K')
        std::abort();
    return 0;
}
