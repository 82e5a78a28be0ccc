#!/usr/bin/env python3
"""Writes the tables name_folding.cc folds names with, from Unicode's own data files.

    make_unicode_tables.py UnicodeData.txt CaseFolding.txt OUTPUT

The tables: each code point's compatibility decomposition (NFKD, fully applied), the same
after case folding (full folding, as CaseFolding.txt's C and F lines give it), the canonical
combining classes, and the ranges of letters and digits and of marks. Hangul syllables are
left to the code, which decomposes them by the standard's formula.
"""
import sys


def read_unicode_data(path):
    """Each code point's general category, combining class and decomposition."""
    category, combining, decomposition = {}, {}, {}
    first = None
    with open(path, encoding="utf-8") as data:
        for line in data:
            fields = line.rstrip("\n").split(";")
            code = int(fields[0], 16)
            name = fields[1]
            if name.endswith(", First>"):
                first = code
                continue
            codes = [code]
            if name.endswith(", Last>"):
                codes = range(first, code + 1)
            for c in codes:
                category[c] = fields[2]
                if int(fields[3]) != 0:
                    combining[c] = int(fields[3])
            if fields[5]:
                parts = fields[5].split()
                if parts[0].startswith("<"):
                    parts = parts[1:]
                decomposition[code] = [int(p, 16) for p in parts]
    return category, combining, decomposition


def read_case_folding(path):
    folding = {}
    with open(path, encoding="utf-8") as data:
        for line in data:
            line = line.split("#")[0].strip()
            if not line:
                continue
            code, status, mapping = [f.strip() for f in line.split(";")[:3]]
            if status in ("C", "F"):
                folding[int(code, 16)] = [int(p, 16) for p in mapping.split()]
    return folding


def main():
    category, combining, decomposition = read_unicode_data(sys.argv[1])
    folding = read_case_folding(sys.argv[2])

    def decompose(codes):
        out = []
        for c in codes:
            out.extend(decompose(decomposition[c]) if c in decomposition else [c])
        return out

    def fold(codes):
        # Decompose, fold case, decompose again, until nothing changes.
        while True:
            folded = decompose([x for c in decompose(codes) for x in folding.get(c, [c])])
            if folded == codes:
                return folded
            codes = folded

    decomposed, folded = {}, {}
    for c in sorted(set(decomposition) | set(folding)):
        if 0xAC00 <= c <= 0xD7A3:
            continue
        if decompose([c]) != [c]:
            decomposed[c] = decompose([c])
        if fold([c]) != [c]:
            folded[c] = fold([c])

    def ranges(test):
        out, start = [], None
        for c in range(0x110000 + 1):
            inside = c < 0x110000 and test(category.get(c, "Cn"))
            if inside and start is None:
                start = c
            elif not inside and start is not None:
                out.append((start, c - 1))
                start = None
        return out

    lines = ["// Written by make_unicode_tables.py from UnicodeData.txt and CaseFolding.txt.", ""]

    def mapping_table(name, table):
        pool = []
        lines.append(f"constexpr Mapping k{name}[] = {{")
        for c, codes in table.items():
            lines.append(f"    {{0x{c:X}, {len(pool)}, {len(codes)}}},")
            pool.extend(codes)
        lines.append("};")
        lines.append(f"constexpr char32_t k{name}Pool[] = {{")
        for at in range(0, len(pool), 10):
            lines.append("    " + " ".join(f"0x{c:X}," for c in pool[at:at + 10]))
        lines.append("};")

    def range_table(name, table):
        lines.append(f"constexpr Range k{name}[] = {{")
        for start, end in table:
            lines.append(f"    {{0x{start:X}, 0x{end:X}}},")
        lines.append("};")

    mapping_table("Decomposed", decomposed)
    mapping_table("Folded", folded)
    lines.append("constexpr CombiningClass kCombiningClasses[] = {")
    for c in sorted(combining):
        lines.append(f"    {{0x{c:X}, {combining[c]}}},")
    lines.append("};")
    range_table("LettersAndDigits", ranges(lambda gc: gc[0] in "LN"))
    range_table("Marks", ranges(lambda gc: gc[0] == "M"))
    with open(sys.argv[3], "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
