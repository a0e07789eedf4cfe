// The material editor's Save with any file name text and any figures: it is
// refused, and the folder is as it was, or exactly one material file of the
// folder is a regular ".rm" file; nothing is written outside the folder,
// and no temporary file stays.
#include "FuzzFolder.h"
#include "core/materials/MaterialFile.h"
#include "core/materials/MaterialWrite.h"
#include "core/text/NumberText.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

namespace fs = std::filesystem;
using tintora::fuzz::entriesIn;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::string fileName = input.ConsumeRandomLengthString(64);
    tintora::Material material;
    material.Name = input.ConsumeRandomLengthString(64);
    for (double* figure : {&material.props.Spec, &material.props.Cost, &material.props.Vol_Wt, &material.props.Vol_Vol,
             &material.props.Pig_Wt, &material.props.Pig_Vol, &material.props.Voc_Wt, &material.props.Voc_Vol})
        *figure = input.ConsumeFloatingPoint<double>();

    const tintora::fuzz::ScratchFolder scratch;
    const fs::path folder = scratch.path() / "Materials";
    fs::create_directory(folder);
    const bool written = tintora::SetNumbers(folder, fileName, material).ok();
    // Nothing beside the folder, whatever the name.
    if (entriesIn(scratch.path()) != 1)
        std::abort();
    if (!written) {
        if (entriesIn(folder) != 0)
            std::abort();
        return 0;
    }
    if (entriesIn(folder) != 1)
        std::abort();
    const fs::path file = fs::directory_iterator(folder)->path();
    if (tintora::asciiLower(file.extension().string()) != ".rm" || !fs::is_regular_file(file))
        std::abort();
    return 0;
}
