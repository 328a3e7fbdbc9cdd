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

# Pure substances: formula, molar mass kg/kmol, normal boiling point K, critical temperature K, critical pressure
# bar, acentric factor, then the names in the six languages. Constants from the published pure-component tables of
# the chemical-engineering reference works (refrigerants from the published reference values of their makers'
# standards); carbon dioxide's "boiling point" is its sublimation point at 1.01325 bar. Water keeps the wizard's
# own defaults for a new record: 100 °C, 374.2 °C, 221.2 bar, 0.344. Stored in °C (two decimals) and bar abs.
WIZARD_SUBSTANCES = [
    # permanent gases
    ('H2', 2.016, 20.28, 33.19, 13.13, -0.216,
     ['Wasserstoff', 'Hydrogen', 'Hydrogène', 'Idrogeno', 'Hidrógeno', 'Vodík']),
    ('He', 4.003, 4.22, 5.19, 2.27, -0.390,
     ['Helium', 'Helium', 'Hélium', 'Elio', 'Helio', 'Helium']),
    ('Ar', 39.948, 87.27, 150.86, 48.98, -0.002,
     ['Argon', 'Argon', 'Argon', 'Argon', 'Argón', 'Argon']),
    ('Kr', 83.798, 119.78, 209.40, 55.02, 0.000,
     ['Krypton', 'Krypton', 'Krypton', 'Kripton', 'Kriptón', 'Krypton']),
    ('N2', 28.014, 77.35, 126.20, 33.98, 0.037,
     ['Stickstoff', 'Nitrogen', 'Azote', 'Azoto', 'Nitrógeno', 'Dusík']),
    ('O2', 31.999, 90.17, 154.58, 50.43, 0.022,
     ['Sauerstoff', 'Oxygen', 'Oxygène', 'Ossigeno', 'Oxígeno', 'Kyslík']),
    ('CO', 28.010, 81.66, 132.85, 34.94, 0.045,
     ['Kohlenmonoxid', 'Carbon monoxide', 'Monoxyde de carbone', 'Monossido di carbonio', 'Monóxido de carbono',
      'Oxid uhelnatý']),
    ('CO2', 44.010, 194.67, 304.12, 73.74, 0.225,
     ['Kohlendioxid', 'Carbon dioxide', 'Dioxyde de carbone', 'Anidride carbonica', 'Dióxido de carbono',
      'Oxid uhličitý']),
    ('N2O', 44.013, 184.67, 309.57, 72.45, 0.142,
     ['Distickstoffmonoxid', 'Nitrous oxide', "Protoxyde d'azote", 'Protossido di azoto', 'Óxido nitroso',
      'Oxid dusný']),
    # hydrocarbons
    ('CH4', 16.043, 111.66, 190.56, 45.99, 0.011,
     ['Methan', 'Methane', 'Méthane', 'Metano', 'Metano', 'Methan']),
    ('C2H6', 30.070, 184.55, 305.32, 48.72, 0.099,
     ['Ethan', 'Ethane', 'Éthane', 'Etano', 'Etano', 'Ethan']),
    ('C2H4', 28.054, 169.42, 282.34, 50.41, 0.087,
     ['Ethylen', 'Ethylene', 'Éthylène', 'Etilene', 'Etileno', 'Ethylen']),
    ('C3H8', 44.097, 231.02, 369.83, 42.48, 0.152,
     ['Propan', 'Propane', 'Propane', 'Propano', 'Propano', 'Propan']),
    ('C3H6', 42.081, 225.46, 364.90, 46.00, 0.142,
     ['Propylen', 'Propylene', 'Propylène', 'Propilene', 'Propileno', 'Propylen']),
    ('C4H10', 58.123, 272.66, 425.12, 37.96, 0.200,
     ['n-Butan', 'n-Butane', 'n-Butane', 'n-Butano', 'n-Butano', 'n-Butan']),
    ('C4H10', 58.123, 261.34, 407.85, 36.40, 0.186,
     ['Isobutan', 'Isobutane', 'Isobutane', 'Isobutano', 'Isobutano', 'Isobutan']),
    ('C5H12', 72.150, 309.22, 469.70, 33.70, 0.252,
     ['n-Pentan', 'n-Pentane', 'n-Pentane', 'n-Pentano', 'n-Pentano', 'n-Pentan']),
    ('C5H12', 72.150, 300.99, 460.39, 33.81, 0.229,
     ['Isopentan', 'Isopentane', 'Isopentane', 'Isopentano', 'Isopentano', 'Isopentan']),
    ('C6H14', 86.177, 341.88, 507.60, 30.25, 0.300,
     ['n-Hexan', 'n-Hexane', 'n-Hexane', 'n-Esano', 'n-Hexano', 'n-Hexan']),
    ('C7H16', 100.204, 371.57, 540.20, 27.40, 0.350,
     ['n-Heptan', 'n-Heptane', 'n-Heptane', 'n-Eptano', 'n-Heptano', 'n-Heptan']),
    ('C8H18', 114.231, 398.82, 568.70, 24.90, 0.399,
     ['n-Octan', 'n-Octane', 'n-Octane', 'n-Ottano', 'n-Octano', 'n-Oktan']),
    ('C6H12', 84.161, 353.87, 553.50, 40.73, 0.211,
     ['Cyclohexan', 'Cyclohexane', 'Cyclohexane', 'Cicloesano', 'Ciclohexano', 'Cyklohexan']),
    ('C6H6', 78.114, 353.24, 562.05, 48.95, 0.210,
     ['Benzol', 'Benzene', 'Benzène', 'Benzene', 'Benceno', 'Benzen']),
    ('C7H8', 92.141, 383.79, 591.75, 41.08, 0.264,
     ['Toluol', 'Toluene', 'Toluène', 'Toluene', 'Tolueno', 'Toluen']),
    ('C8H10', 106.167, 411.51, 616.20, 35.11, 0.322,
     ['p-Xylol', 'p-Xylene', 'p-Xylène', 'p-Xilene', 'p-Xileno', 'p-Xylen']),
    # water, inorganic gases
    ('H2O', 18.015, 373.15, 647.35, 221.2, 0.344,
     ['Wasser', 'Water', 'Eau', 'Acqua', 'Agua', 'Voda']),
    ('NH3', 17.031, 239.82, 405.40, 113.53, 0.257,
     ['Ammoniak', 'Ammonia', 'Ammoniac', 'Ammoniaca', 'Amoníaco', 'Amoniak']),
    ('H2S', 34.082, 212.84, 373.40, 89.63, 0.090,
     ['Schwefelwasserstoff', 'Hydrogen sulphide', "Sulfure d'hydrogène", 'Acido solfidrico', 'Sulfuro de hidrógeno',
      'Sirovodík']),
    ('SO2', 64.065, 263.13, 430.80, 78.84, 0.245,
     ['Schwefeldioxid', 'Sulphur dioxide', 'Dioxyde de soufre', 'Anidride solforosa', 'Dióxido de azufre',
      'Oxid siřičitý']),
    ('Cl2', 70.905, 239.12, 416.90, 79.91, 0.069,
     ['Chlor', 'Chlorine', 'Chlore', 'Cloro', 'Cloro', 'Chlor']),
    ('HCl', 36.461, 188.15, 324.65, 83.10, 0.131,
     ['Chlorwasserstoff', 'Hydrogen chloride', "Chlorure d'hydrogène", 'Cloruro di idrogeno', 'Cloruro de hidrógeno',
      'Chlorovodík']),
    # solvents
    ('CH3OH', 32.042, 337.69, 512.64, 80.97, 0.565,
     ['Methanol', 'Methanol', 'Méthanol', 'Metanolo', 'Metanol', 'Methanol']),
    ('C2H5OH', 46.069, 351.44, 513.92, 61.48, 0.649,
     ['Ethanol', 'Ethanol', 'Éthanol', 'Etanolo', 'Etanol', 'Ethanol']),
    ('C3H8O', 60.096, 355.41, 508.30, 47.62, 0.665,
     ['Isopropanol', 'Isopropanol', 'Isopropanol', 'Isopropanolo', 'Isopropanol', 'Isopropanol']),
    ('CH3COCH3', 58.080, 329.22, 508.20, 47.01, 0.307,
     ['Aceton', 'Acetone', 'Acétone', 'Acetone', 'Acetona', 'Aceton']),
    ('C2H5OC2H5', 74.123, 307.58, 466.70, 36.40, 0.281,
     ['Diethylether', 'Diethyl ether', 'Éther diéthylique', 'Etere dietilico', 'Éter dietílico', 'Diethylether']),
    ('CH3OCH3', 46.069, 248.31, 400.10, 53.70, 0.200,
     ['Dimethylether', 'Dimethyl ether', 'Éther diméthylique', 'Etere dimetilico', 'Éter dimetílico',
      'Dimethylether']),
    ('CH2Cl2', 84.933, 312.90, 510.00, 60.80, 0.199,
     ['Dichlormethan', 'Dichloromethane', 'Dichlorométhane', 'Diclorometano', 'Diclorometano', 'Dichlormethan']),
    ('CHCl3', 119.377, 334.33, 536.40, 54.72, 0.222,
     ['Chloroform', 'Chloroform', 'Chloroforme', 'Cloroformio', 'Cloroformo', 'Chloroform']),
    ('CCl4', 153.822, 349.79, 556.35, 45.60, 0.193,
     ['Tetrachlormethan', 'Carbon tetrachloride', 'Tétrachlorure de carbone', 'Tetracloruro di carbonio',
      'Tetracloruro de carbono', 'Tetrachlormethan']),
    # refrigerants
    ('CH2FCF3', 102.031, 247.08, 374.21, 40.59, 0.327,
     ['R134a', 'R134a', 'R134a', 'R134a', 'R134a', 'R134a']),
    ('CHClF2', 86.468, 232.34, 369.30, 49.90, 0.221,
     ['R22', 'R22', 'R22', 'R22', 'R22', 'R22']),
    ('CH2F2', 52.024, 221.50, 351.26, 57.82, 0.277,
     ['R32', 'R32', 'R32', 'R32', 'R32', 'R32']),
    ('CHF3', 70.014, 191.13, 299.29, 48.32, 0.263,
     ['R23', 'R23', 'R23', 'R23', 'R23', 'R23']),
]

WIZARD_HEADER = ['SUBSTANZ:text', 'FORMEL:text', 'M:double', 'TS:double', 'TKRIT:double', 'PKRIT:double',
                 'W:double', 'PUNIT:integer', 'TUNIT:integer']


def celsius(kelvin):
    return '%.2f' % round(kelvin - 273.15, 2)


def plain(x):
    """Shortest decimal text of a tabled number ('221.2', not '221.20')."""
    text = repr(float(x))
    return text[:-2] if text.endswith('.0') else text


def wizard_tables():
    """Returns [(table name, header, rows, index lines)] of the wizard's substance base data."""
    tables = []
    for lang, suffix in enumerate(LANGUAGES):
        name = 'Assistent_' + suffix
        rows = []
        for formula, m, tb, tc, pc, w, names in WIZARD_SUBSTANCES:
            ts, tk = celsius(tb), celsius(tc)
            rows.append([names[lang], formula, plain(m), plain(ts), plain(tk), plain(pc), plain(w), '0', '0'])
        if len({r[0] for r in rows}) != len(rows):
            raise SystemExit(name + ': a substance name occurs twice')
        tables.append((name, WIZARD_HEADER, rows, [name + '\tPrimaryKey\tSUBSTANZ\tunique']))
    return tables


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
