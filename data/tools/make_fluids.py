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

# Ideal gases: names (de, en, fr, it, es, cs), isentropic exponent cp/cv near 20 °C and 1 bar, norm density in
# kg/m3 at 0 °C and 1.01325 bar (the real gas, as the standard density tables list it).
GASES = [
    (('Luft', 'Air', 'Air', 'Aria', 'Aire', 'Vzduch'), '1.40', '1.2930'),
    (('Stickstoff', 'Nitrogen', 'Azote', 'Azoto', 'Nitrógeno', 'Dusík'), '1.40', '1.2505'),
    (('Sauerstoff', 'Oxygen', 'Oxygène', 'Ossigeno', 'Oxígeno', 'Kyslík'), '1.40', '1.4290'),
    (('Wasserstoff', 'Hydrogen', 'Hydrogène', 'Idrogeno', 'Hidrógeno', 'Vodík'), '1.41', '0.0899'),
    (('Helium', 'Helium', 'Hélium', 'Elio', 'Helio', 'Helium'), '1.66', '0.1785'),
    (('Argon', 'Argon', 'Argon', 'Argon', 'Argón', 'Argon'), '1.67', '1.7837'),
    (('Kohlendioxid', 'Carbon dioxide', 'Dioxyde de carbone', 'Anidride carbonica', 'Dióxido de carbono',
      'Oxid uhličitý'), '1.29', '1.9768'),
    (('Kohlenmonoxid', 'Carbon monoxide', 'Monoxyde de carbone', 'Monossido di carbonio', 'Monóxido de carbono',
      'Oxid uhelnatý'), '1.40', '1.2500'),
    (('Methan', 'Methane', 'Méthane', 'Metano', 'Metano', 'Methan'), '1.31', '0.7175'),
    (('Ethan', 'Ethane', 'Éthane', 'Etano', 'Etano', 'Ethan'), '1.19', '1.3551'),
    (('Propan', 'Propane', 'Propane', 'Propano', 'Propano', 'Propan'), '1.13', '2.0098'),
    (('n-Butan', 'n-Butane', 'n-Butane', 'n-Butano', 'n-Butano', 'n-Butan'), '1.10', '2.7068'),
    (('Ethylen', 'Ethylene', 'Éthylène', 'Etilene', 'Etileno', 'Ethylen'), '1.24', '1.2611'),
    (('Propylen', 'Propylene', 'Propylène', 'Propilene', 'Propileno', 'Propylen'), '1.15', '1.9138'),
    (('Acetylen', 'Acetylene', 'Acétylène', 'Acetilene', 'Acetileno', 'Acetylen'), '1.23', '1.1709'),
    (('Ammoniak', 'Ammonia', 'Ammoniac', 'Ammoniaca', 'Amoníaco', 'Amoniak'), '1.31', '0.7714'),
    (('Chlor', 'Chlorine', 'Chlore', 'Cloro', 'Cloro', 'Chlor'), '1.34', '3.2140'),
    (('Schwefeldioxid', 'Sulphur dioxide', 'Dioxyde de soufre', 'Anidride solforosa', 'Dióxido de azufre',
      'Oxid siřičitý'), '1.29', '2.9263'),
    (('Schwefelwasserstoff', 'Hydrogen sulphide', "Sulfure d'hydrogène", 'Acido solfidrico',
      'Sulfuro de hidrógeno', 'Sulfan'), '1.32', '1.5392'),
    (('Chlorwasserstoff', 'Hydrogen chloride', "Chlorure d'hydrogène", 'Acido cloridrico', 'Cloruro de hidrógeno',
      'Chlorovodík'), '1.40', '1.6391'),
]

# Pure liquids at 20 °C: names, density kg/m3, vapour pressure and critical pressure in bar (absolute), kinematic
# viscosity mm²/s (the dynamic viscosity of the tables divided by the density).
LIQUIDS = [
    (('Wasser', 'Water', 'Eau', 'Acqua', 'Agua', 'Voda'), '998.2', '0.02339', '220.64', '1.004'),
    (('Methanol', 'Methanol', 'Méthanol', 'Metanolo', 'Metanol', 'Methanol'), '791.8', '0.1303', '80.97', '0.751'),
    (('Ethanol', 'Ethanol', 'Éthanol', 'Etanolo', 'Etanol', 'Ethanol'), '789.3', '0.0587', '61.37', '1.52'),
    (('2-Propanol', '2-Propanol', 'Propan-2-ol', '2-Propanolo', '2-Propanol', '2-Propanol'),
     '785.5', '0.0441', '47.64', '3.03'),
    (('Aceton', 'Acetone', 'Acétone', 'Acetone', 'Acetona', 'Aceton'), '790.5', '0.2463', '47.01', '0.405'),
    (('Benzol', 'Benzene', 'Benzène', 'Benzene', 'Benceno', 'Benzen'), '876.5', '0.1001', '48.98', '0.744'),
    (('Toluol', 'Toluene', 'Toluène', 'Toluene', 'Tolueno', 'Toluen'), '866.9', '0.02914', '41.06', '0.681'),
    (('p-Xylol', 'p-Xylene', 'p-Xylène', 'p-Xilene', 'p-Xileno', 'p-Xylen'), '861.0', '0.00872', '35.11', '0.753'),
    (('n-Hexan', 'n-Hexane', 'n-Hexane', 'n-Esano', 'n-Hexano', 'n-Hexan'), '659.0', '0.1613', '30.25', '0.470'),
    (('n-Heptan', 'n-Heptane', 'n-Heptane', 'n-Eptano', 'n-Heptano', 'n-Heptan'),
     '683.8', '0.0474', '27.40', '0.600'),
    (('Cyclohexan', 'Cyclohexane', 'Cyclohexane', 'Cicloesano', 'Ciclohexano', 'Cyklohexan'),
     '778.5', '0.1036', '40.75', '1.26'),
    (('Essigsäure', 'Acetic acid', 'Acide acétique', 'Acido acetico', 'Ácido acético', 'Kyselina octová'),
     '1049.2', '0.0157', '57.86', '1.16'),
    (('Ethylenglykol', 'Ethylene glycol', 'Éthylène glycol', 'Glicole etilenico', 'Etilenglicol', 'Ethylenglykol'),
     '1113.5', '0.00007', '82.0', '17.9'),
    (('Diethylether', 'Diethyl ether', 'Éther diéthylique', 'Etere dietilico', 'Éter dietílico', 'Diethylether'),
     '713.4', '0.5866', '36.44', '0.327'),
    (('Ammoniak', 'Ammonia', 'Ammoniac', 'Ammoniaca', 'Amoníaco', 'Amoniak'), '610.2', '8.57', '113.33', '0.221'),
]

GAS_HEADER = ['SUBSTANZ:text', 'Kappa:double', 'RHON:double', 'RHOUNIT:integer']
LIQUID_HEADER = ['SUBSTANZ:text', 'RHO:double', 'RHOUNIT:integer', 'PSAT:double', 'PKRIT:double', 'PUNIT:integer',
                 'NUE:double', 'NUEUNIT:integer', 'TBEZUG:double', 'TUNIT:integer']


def list_tables():
    """Returns [(table name, header, rows, index lines)] of the ideal-gas and liquid lists."""
    tables = []
    for lang, suffix in enumerate(LANGUAGES):
        name = 'IdealeGase_' + suffix
        # kg/m3 (unit 0) for every gas.
        rows = [[names[lang], kappa, rhon, '0'] for names, kappa, rhon in GASES]
        tables.append((name, GAS_HEADER, rows, [name + '\tPrimaryKey\tSUBSTANZ\tunique']))
    for lang, suffix in enumerate(LANGUAGES):
        name = 'Flüssigkeiten_' + suffix
        # kg/m3, bar abs., mm²/s and °C (each unit 0); the reference temperature is 20 °C throughout.
        rows = [[names[lang], rho, '0', psat, pkrit, '0', nue, '0', '20', '0']
                for names, rho, psat, pkrit, nue in LIQUIDS]
        tables.append((name, LIQUID_HEADER, rows, [name + '\tPrimaryKey\tSUBSTANZ\tunique']))
    return tables


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
