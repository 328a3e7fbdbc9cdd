#!/usr/bin/env python3
"""Writes the fluid database sources: data/seed/dbStoffdaten.mdb/*.csv and its indexes.txt.

The committed CSV files are what the build uses; this script only keeps them consistent when the fluid data are
changed. Run it from anywhere:  python3 data/tools/make_fluids.py   (Python 3 standard library only).

One source per table family, one row per substance; the six language tables of a family differ only in the
substance names, never in a number.
"""
import csv
import os

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'seed'))
STOFF = os.path.join(ROOT, 'dbStoffdaten.mdb')

# Table suffixes of the six languages, in the program's language order (de, en, fr, it, es, cs).
LANGUAGES = ['d', 'e', 'f', 'i', 's', 'cz']


def write_csv(path, header, rows):
    with open(path, 'w', newline='', encoding='utf-8') as f:
        w = csv.writer(f, lineterminator='\n')
        w.writerow(header)
        for r in rows:
            w.writerow(r)


# --- Ideal gases and liquids of the editable lists ---------------------------------------------------------------

def list_tables():
    """Returns [(table name, header, rows, index lines)] of the ideal-gas and liquid lists."""
    return []


# --- Substances of the fluid-data wizard -------------------------------------------------------------------------

def wizard_tables():
    """Returns [(table name, header, rows, index lines)] of the wizard's substance base data."""
    return []


def main():
    tables = list_tables() + wizard_tables()
    if not tables:
        return
    os.makedirs(STOFF, exist_ok=True)
    indexes = []
    for name, header, rows, index_lines in tables:
        write_csv(os.path.join(STOFF, name + '.csv'), header, rows)
        indexes.extend(index_lines)
    with open(os.path.join(STOFF, 'indexes.txt'), 'w', encoding='utf-8') as f:
        f.write('# table\tindex\tcolumns\tkind\n')
        for line in indexes:
            f.write(line + '\n')


if __name__ == '__main__':
    main()
