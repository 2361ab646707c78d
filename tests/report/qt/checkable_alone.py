#!/usr/bin/env python3
"""A checker with the report or the CSV alone rebuilds the circuit: the tree, every fitting and
valve, and each valve's loss worked out again from the flow the tables give.

Usage: checkable_alone.py IDROVELA IDROVELA_SESSION CIRCUIT OUTPUT_DIR
Runs `IDROVELA --relazione CIRCUIT OUTPUT_DIR/relazione.pdf`, reads it with pdftotext, runs
`circuit CIRCUIT` and `circuit-csv OUTPUT_DIR/tabelle.csv` through IDROVELA_SESSION, reads the CSV
with the csv module, and checks both against the circuit's file. The programs run through
IDROVELA_EMULATOR when it is set (wine, for the Windows build).
"""

import csv
import json
import os
import re
import subprocess
import sys

failures = []
emulator = os.environ.get("IDROVELA_EMULATOR", "").split()


def check(condition, what):
    if not condition:
        failures.append(what)


def number(cell):
    return float(cell.replace(",", "."))


def expected_from_file(path):
    """(id, upstream or "") of every segment, and (id, description, Kv) of every valve."""
    with open(path, encoding="utf-8") as handle:
        circuit = json.load(handle)
    segments = [(s["id"], s.get("a_monte") or "") for s in circuit["tratti"]]
    valves = [(s["id"], v["descrizione"], v["kv"]) for s in circuit["tratti"]
              for v in s.get("valvole", [])]
    return segments, valves


def kv_shown(kv):
    return ("%g" % kv).replace(".", ",")


def check_pdf(program, circuit, out_dir, segments, valves):
    pdf = os.path.join(out_dir, "relazione.pdf")
    subprocess.run(emulator + [program, "--relazione", circuit, pdf], check=True, timeout=120)
    text = subprocess.run(["pdftotext", "-layout", "-enc", "UTF-8", pdf, "-"], check=True,
                          capture_output=True, text=True, timeout=60).stdout
    lines = text.splitlines()
    # A segment's row: its id (marked ▶ on the index path), then the one upstream; for one that
    # leaves the source, the description straight after the id.
    for segment, upstream in segments:
        pattern = re.compile(r"^\s*(▶ )?%s\s+%s\s" % (re.escape(segment), re.escape(upstream))
                             if upstream else r"^\s*(▶ )?%s\s{2,}\S" % re.escape(segment))
        rows = [line for line in lines if pattern.search(line)]
        check(rows, "PDF: no row of %s with %s upstream" % (segment, upstream or "nothing"))
    # Each valve on a line with its segment, its description and its Kv.
    for segment, description, kv in valves:
        found = [line for line in lines
                 if re.search(r"^\s*%s\s+valvola\s+%s\s.*\s%s\s" %
                              (re.escape(segment), re.escape(description),
                               re.escape(kv_shown(kv))), line)]
        check(found, "PDF: no line for the valve %s of %s with Kv %s" %
              (description, segment, kv_shown(kv)))
    # The schematic is drawn as lines and text, not a picture: its words are in the text.
    schematic = text.find("Schema del circuito")
    check(schematic >= 0, "PDF: no section Schema del circuito")
    check(text.find("Sorgente", schematic) > schematic, "PDF: the schematic has no text")


def read_tables(path):
    with open(path, encoding="utf-8-sig", newline="") as handle:
        rows = list(csv.reader(handle, delimiter=";"))
    tables = {}
    current = None
    for row in rows:
        if len(row) == 1 and current is None:
            current = tables.setdefault(row[0], [])
        elif not row:
            current = None
        else:
            current.append(row)
    return tables


def check_csv(session, circuit, out_dir, segments, valves):
    path = os.path.join(out_dir, "tabelle.csv")
    if os.path.exists(path):
        os.remove(path)
    script = "circuit %s\ncircuit-csv %s\n" % (circuit, path)
    subprocess.run(emulator + [session], input=script, text=True, check=True, timeout=60,
                   capture_output=True)
    tables = read_tables(path)
    check(list(tables) == ["Tratti", "Terminali", "Accidenti e valvole", "Pompa", "Impianto"],
          "CSV: tables %s" % list(tables))

    head, *rows = tables["Tratti"]
    check(head[:2] == ["id", "a monte"], "CSV: segment captions %s" % head[:3])
    check([(row[0], row[1]) for row in rows] == segments,
          "CSV: segments and upstream %s" % [(row[0], row[1]) for row in rows])
    flow = {row[0]: number(row[head.index("G [l/h]")]) for row in rows}
    valves_pa = {row[0]: number(row[head.index("valvole [Pa]")]) for row in rows}

    head, *rows = tables["Accidenti e valvole"]
    check(head == ["id", "tipo", "descrizione", "ζ", "numero", "Kv", "Δp [Pa]"],
          "CSV: fitting captions %s" % head)
    found = [(row[0], row[2], number(row[5])) for row in rows if row[1] == "valvola"]
    check(found == valves, "CSV: valves %s" % found)
    # Each valve's loss again from the flow in the segment table, with water at 65 °C
    # (980,5 kg/m³): the flow is rounded to a litre an hour, which for some 80 l/h is within 2 %.
    sums = {}
    for row in rows:
        if row[1] != "valvola":
            continue
        loss = number(row[6])
        sums[row[0]] = sums.get(row[0], 0.0) + loss
        again = 980.5 / 1000 * (flow[row[0]] / 1000 / number(row[5])) ** 2 * 1e5
        check(abs(loss - again) <= 0.02 * again,
              "CSV: valve of %s loses %s Pa, not about %.1f" % (row[0], row[6], again))
    for segment, total in valves_pa.items():
        check(abs(sums.get(segment, 0.0) - total) <= 0.5 + 0.05 * len(valves),
              "CSV: the valves of %s add up to %.1f, the table says %s" %
              (segment, sums.get(segment, 0.0), total))

    head, *rows = tables["Pompa"]
    check(head == ["voce", "valore", "unità"], "CSV: pump captions %s" % head)
    check(any(row[0] == "prevalenza" and row[2] == "Pa" for row in rows), "CSV: no pump head")


def main():
    program, session, circuit, out_dir = sys.argv[1:5]
    os.makedirs(out_dir, exist_ok=True)
    segments, valves = expected_from_file(circuit)
    check(len(valves) >= 2, "the circuit has fewer than two valves")
    check_pdf(program, circuit, out_dir, segments, valves)
    check_csv(session, circuit, out_dir, segments, valves)
    for failure in failures:
        print(failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
