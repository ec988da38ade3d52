#!/usr/bin/python3
"""Prints a workbook as JSON, read independently of the program that wrote it.

    read_workbook.py FILE.xlsx [--values] [--rows SHEET=N ...]

Output: {"sheets": [names in order],
         "cells": {sheet: {"A1": value}},   formulas as their "=..." text
         "values": {sheet: {"A1": value}},  with --values: the stored results of formulas
         "merged": {sheet: ["B12:B13", ...]},
         "charts": {sheet: number of charts},
         "dimensions": {sheet: {"max_row": n, "max_column": n}}}
Dates are written as "yyyy-mm-dd". --rows SHEET=N reads only the first N rows of SHEET.
"""
import datetime
import json
import posixpath
import sys
import zipfile
import xml.etree.ElementTree as ET

import openpyxl

NS = {
    "m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main",
    "r": "http://schemas.openxmlformats.org/officeDocument/2006/relationships",
    "rel": "http://schemas.openxmlformats.org/package/2006/relationships",
}


def plain(value):
    if isinstance(value, datetime.datetime):
        return value.date().isoformat()
    if isinstance(value, datetime.date):
        return value.isoformat()
    return value


def read_cells(book, limits):
    cells = {}
    for ws in book.worksheets:
        out = {}
        max_row = limits.get(ws.title, ws.max_row)
        for row in ws.iter_rows(min_row=1, max_row=max_row):
            for c in row:
                if c.value is not None:
                    out[c.coordinate] = plain(c.value)
        cells[ws.title] = out
    return cells


def rels(z, part):
    folder, name = posixpath.split(part)
    path = posixpath.join(folder, "_rels", name + ".rels")
    if path not in z.namelist():
        return []
    root = ET.fromstring(z.read(path))
    return [
        (r.get("Type").rsplit("/", 1)[-1], posixpath.normpath(posixpath.join(folder, r.get("Target"))))
        for r in root.findall("rel:Relationship", NS)
    ]


def count_charts(path):
    charts = {}
    with zipfile.ZipFile(path) as z:
        wb = ET.fromstring(z.read("xl/workbook.xml"))
        relmap = {}
        root = ET.fromstring(z.read("xl/_rels/workbook.xml.rels"))
        for r in root.findall("rel:Relationship", NS):
            relmap[r.get("Id")] = posixpath.normpath(posixpath.join("xl", r.get("Target")))
        for sheet in wb.find("m:sheets", NS):
            part = relmap[sheet.get("{%s}id" % NS["r"])]
            n = 0
            for kind, drawing in rels(z, part):
                if kind == "drawing":
                    n += sum(1 for k, _ in rels(z, drawing) if k == "chart")
            charts[sheet.get("name")] = n
    return charts


def main():
    args = sys.argv[1:]
    path = args[0]
    limits = {}
    if "--rows" in args:
        for spec in args[args.index("--rows") + 1:]:
            if spec.startswith("--"):
                break
            sheet, n = spec.rsplit("=", 1)
            limits[sheet] = int(n)
    book = openpyxl.load_workbook(path)
    result = {
        "sheets": book.sheetnames,
        "cells": read_cells(book, limits),
        "merged": {ws.title: sorted(str(r) for r in ws.merged_cells.ranges) for ws in book.worksheets},
        "dimensions": {ws.title: {"max_row": ws.max_row, "max_column": ws.max_column}
                       for ws in book.worksheets},
        "charts": count_charts(path),
    }
    if "--values" in args:
        result["values"] = read_cells(openpyxl.load_workbook(path, data_only=True), limits)
    json.dump(result, sys.stdout)


if __name__ == "__main__":
    main()
