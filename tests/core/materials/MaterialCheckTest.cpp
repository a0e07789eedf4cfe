#include "core/materials/MaterialCheck.h"

#include "core/text/IniFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tintora;
using F = MaterialFault;

namespace {

struct ContentCase {
    const char* what;
    std::string keys;  // the lines after [Material]
    std::vector<F> faults;
};

const std::string Sound = "Name=acrylic latex\nSpec=1.05\nCost=0.9\nVol_Wt=0.5\nVol_Vol=0.525\n";

std::vector<F> faultsOf(const std::string& keys)
{
    std::vector<F> faults;
    for (const MaterialProblem& p : materialContentProblems(IniFile::parse("[Material]\n" + keys)))
        faults.push_back(p.fault);
    return faults;
}

// Each rule on its own, at and just beyond its limits. The first of duplicate
// keys counts, so a case changes Sound by putting its keys before it.
TEST(MaterialContentCheck, EachRuleFindsItsFaultAndNothingElse)
{
    const std::vector<ContentCase> cases = {
        {"sound", Sound, {}},
        {"pigment", "Name=tio2\nSpec=4.1\nPig_Wt=1\nPig_Vol=1\n", {}},
        {"no Name", "Spec=1\n", {F::NoName}},
        {"empty Name", "Name=\n" + Sound, {F::NoName}},
        {"no Spec reads as 0", "Name=x\n", {F::SpecOutOfRange}},
        {"negative Spec", "Spec=-1\n" + Sound, {F::SpecOutOfRange}},
        {"Spec 25 is plausible", "Spec=25\n" + Sound, {}},
        {"Spec above 25", "Spec=25.001\n" + Sound, {F::SpecOutOfRange}},
        {"negative VOC fraction", "Voc_Vol=-0.01\n" + Sound, {F::FractionOutOfRange}},
        {"negative cost", "Cost=-0.5\n" + Sound, {F::NegativeCost}},
        {"two fractions above 1", "Vol_Wt=1.5\nVol_Vol=1.2\n" + Sound,
            {F::FractionOutOfRange, F::FractionOutOfRange, F::PigmentAndVolatileAboveOne,
                F::PigmentAndVolatileAboveOne}},
        {"VOC equal to the volatile", "Voc_Wt=0.5\nVoc_Vol=0.525\n" + Sound, {}},
        {"VOC above the volatile by volume", "Voc_Vol=0.6\nVoc_Wt=0.1\n" + Sound, {F::VocAboveVolatile}},
        {"0.7 + 0.3 is not above 1", "Spec=2\nPig_Wt=0.3\nVol_Wt=0.7\nPig_Vol=0.3\nVol_Vol=0.7\n" + Sound, {}},
        {"pigment and volatile above 1", "Spec=2\nPig_Wt=0.6\nPig_Vol=0.4\n" + Sound, {F::PigmentAndVolatileAboveOne}},
        {"volatile by weight only", "Vol_Vol=0\n" + Sound, {F::WeightVolumeMismatch}},
        {"pigment by volume only", "Pig_Vol=0.1\n" + Sound, {F::WeightVolumeMismatch}},
        {"a comma is not a number", "Cost=0,9\n" + Sound, {F::MalformedNumber}},
        {"a malformed Spec is not judged as 0", "Spec=1.05x\n" + Sound, {F::MalformedNumber}},
        {"a malformed fraction is not judged", "Vol_Vol=.5\n" + Sound, {F::MalformedNumber}},
        {"an empty value reads as 0 by the rule", "Cost=\n" + Sound, {}},
    };
    for (const ContentCase& c : cases)
        EXPECT_EQ(faultsOf(c.keys), c.faults) << c.what;
}

TEST(MaterialContentCheck, TheMessageNamesTheKeyAndTheValueAsWritten)
{
    const auto problems = materialContentProblems(IniFile::parse("[Material]\n" + ("Cost= 1,5 \n" + Sound)));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].text, "Cost \"1,5\" is not a number: it reads as 0");
}

// Opening a formula names the rows whose materials hold figures no raw
// material has; a Spec of 0, told elsewhere, and a note are not among them.
TEST(MaterialContentCheck, OpeningNamesTheRowsOfImplausibleMaterials)
{
    FormulaSheet sheet;
    const auto put = [&](int row, const char* code, RowMaterialProps props) {
        sheet.setCell(Column::Material, row, code);
        sheet.row(row).RowKind = true;
        sheet.row(row).props = props;
    };
    put(1, "water", {.Spec = 1, .Cost = 0.01, .Vol_Wt = 1, .Vol_Vol = 1});
    put(2, "nospec", {});
    put(3, "dear", {.Spec = 1, .Cost = -2});
    put(4, "osmium", {.Spec = 1e308});
    put(5, "leaky", {.Spec = 1, .Voc_Wt = 1.5});
    sheet.setCell(Column::Material, 6, "a note");
    EXPECT_EQ(implausibleMaterialsNotice(sheet).substr(0, 66),
        "The material files of rows 3 (dear), 4 (osmium), 5 (leaky) hold fi");
    sheet = FormulaSheet();
    put(1, "water", {.Spec = 1});
    EXPECT_EQ(implausibleMaterialsNotice(sheet), "");
}

}  // namespace
