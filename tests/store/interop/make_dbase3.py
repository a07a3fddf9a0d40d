#!/usr/bin/python3
"""Writes a dBase III transactions table with python3-dbf, an engine independent of ours, as a
fixture for the engine's interop tests: make_dbase3.py FILE.DBF. Windows-1252 text; the third
row is deleted. Needs Debian's python3-dbf (run it with /usr/bin/python3)."""
import datetime
import sys

import dbf


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_dbase3.py FILE.DBF")
    table = dbf.Table(
        sys.argv[1],
        "DATUM D; SOORT N(4,0); NAAM C(40); OMSCHRIJVI C(250); REKNUM C(15); BEDRAG N(15,2)",
        dbf_type="db3",
        codepage="cp1252",
    )
    table.open(dbf.READ_WRITE)
    rows = [
        (datetime.date(2024, 3, 5), 4, "BUURTWINKELS", "Betaalautomaat 12:01 pasnr. 001", "1234",
         -23.5),
        (datetime.date(2023, 12, 31), 7, "Café Noël", "Overboeking € 5", "NL01BANK", 1250.0),
        (datetime.date(2024, 1, 15), 3, "VERWIJDERD", "", "", 1.0),
        (datetime.date(1999, 2, 28), 5, "Bakker", "", "", 0.05),
    ]
    for row in rows:
        table.append(row)
    dbf.delete(table[2])
    table.close()


if __name__ == "__main__":
    main()
