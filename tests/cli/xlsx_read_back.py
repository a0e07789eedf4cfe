"""Reads a workbook of tintora-report --xlsx with openpyxl (not the writer)
and checks it against tintora-report --csv: numbers stored as numbers, the
first sheet equal to the CSV, each formula sheet's SUM totals carrying the
program's weight and volume and agreeing with the rows they sum."""
import csv
import sys

import openpyxl

xlsx_path, csv_path = sys.argv[1], sys.argv[2]
with open(csv_path, newline="", encoding="utf-8") as f:
    expected = list(csv.reader(f))
values = openpyxl.load_workbook(xlsx_path, data_only=True)
formulas = openpyxl.load_workbook(xlsx_path)
summary = list(values.worksheets[0].iter_rows(values_only=True))
# The summary carries the CSV's columns up to missing_materials; the compliance
# columns after them are the CSV's alone.
width = expected[0].index("missing_materials") + 1
assert list(summary[0]) == expected[0][:width], summary[0]
assert len(summary) == len(expected), (len(summary), len(expected))
for got, want in zip(summary[1:], expected[1:]):
    assert list(got[:2]) == want[:2], (got, want)
    assert len(got) == width, got
    for g, w in zip(got[2:], want[2:width]):
        if w == "":
            assert g is None, (got, want)
        elif "." not in w:  # a count, such as the missing materials
            assert g == int(w), (got, want)
        else:
            assert isinstance(g, (int, float)), (got, want)
            assert f"{g:.3f}" == w, (g, w)
assert len(values.worksheets) == len(expected), values.sheetnames
for index, want in enumerate(expected[1:], start=1):
    sheet, formula_sheet = values.worksheets[index], formulas.worksheets[index]
    rows = list(sheet.iter_rows(values_only=True))
    total = next(i for i, r in enumerate(rows) if r[1] == "Total")
    weights = [r[2] for r in rows[2:total] if r[2] is not None]
    assert all(isinstance(w, (int, float)) for w in weights), weights
    for column, box in ((2, 2), (3, 3)):
        formula = formula_sheet.cell(row=total + 1, column=column + 1).value
        assert formula.startswith("=SUM("), formula
        stored = rows[total][column]
        assert f"{stored:.3f}" == want[box], (stored, want[box])
        summed = sum(r[column] for r in rows[2:total] if isinstance(r[column], (int, float)))
        assert abs(summed - stored) < 0.0015, (summed, stored)
    # a material not found has neither specific gravity nor cost
    for r in rows[2:total]:
        if r[1] == "Material not found":
            assert r[5] is None and r[6] is None, r
    first_weight = next(i for i, r in enumerate(rows[2:total], start=3) if r[2] is not None)
    assert sheet.cell(row=first_weight, column=3).number_format == "0.000"
    properties = [r for r in rows[total + 3:] if r[1]]
    assert len(properties) == 16 and all(isinstance(r[2], (int, float)) for r in properties), properties
print("ok")
