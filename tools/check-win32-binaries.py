#!/usr/bin/env python3
"""Checks the Windows files without running them, from what objdump shows.

- Every import of each file is in the allowlist (functions that Windows 95 and
  NT 4.0 both have): Wine exports everything, so no test run would notice a newer one.
- velkdrv.dll exports exactly the functions that platform/host_win.cpp looks up,
  undecorated, and imports from kernel32 alone. In a 32-bit file each export must
  also return as the calling convention of host_win.cpp's typedef requires: a
  stdcall function pops its own arguments ("ret $N"), a cdecl one does not.
- The subsystem (GUI or console) and, with --subsystem-version, its version.

Exits 1 listing every fault, 0 when there is none.
"""
import argparse
import re
import subprocess
import sys
from collections import defaultdict


def run(objdump, *args):
    return subprocess.run([objdump, *args], check=True, capture_output=True, text=True).stdout


def read_allowlist(path):
    """{dll (lower case): set of names}. "[dll]" starts a library; '#' starts a comment."""
    allowed = defaultdict(set)
    dll = None
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.split("#", 1)[0].strip()
            if not line:
                continue
            m = re.fullmatch(r"\[([\w.\-]+)\]", line)
            if m:
                dll = m.group(1).lower()
            elif dll is None:
                raise SystemExit(f"{path}:{number}: a name before any [library] line")
            else:
                allowed[dll].add(line)
    return allowed


class PeFile:
    """What `objdump -p` says about one file."""

    def __init__(self, objdump, path):
        self.path = path
        self.text = run(objdump, "-p", path)
        self.header = {}
        for m in re.finditer(r"^(\w+)\s+([0-9a-fA-F]+)", self.text, re.M):
            self.header.setdefault(m.group(1), m.group(2))
        self.imports = self._imports()
        self.exports = self._exports()

    def number(self, field, base=10):
        value = self.header.get(field)
        return None if value is None else int(value, base)

    def is_pe32(self):
        return self.header.get("Magic") == "010b"

    def _imports(self):
        """[(dll, name)]; an import by ordinal is named "ordinal N"."""
        found = []
        dll = None
        for line in self.text.splitlines():
            m = re.match(r"\s+DLL Name: (\S+)", line)
            if m:
                dll = m.group(1)
            elif dll is None or line.strip().startswith("vma:"):
                continue
            elif not line.strip():
                dll = None  # a blank line ends the library's list
            else:
                fields = line.split()
                if len(fields) >= 3 and fields[2] != "<none>":
                    found.append((dll, fields[2]))
                else:
                    found.append((dll, f"ordinal {fields[1] if len(fields) > 1 else fields[0]}"))
        return found

    def _exports(self):
        """{name: RVA}."""
        rvas = {}
        for m in re.finditer(r"^\s+\[\s*(\d+)\] \+base\[\s*\d+\] ([0-9a-fA-F]+) Export RVA", self.text, re.M):
            rvas[int(m.group(1))] = int(m.group(2), 16)
        names = {}
        table = self.text.split("[Ordinal/Name Pointer] Table", 1)
        if len(table) == 2:
            for line in table[1].splitlines()[1:]:
                m = re.match(r"\s+\[\s*(\d+)\] (\S+)\s*$", line)
                if not m:
                    break
                names[m.group(2)] = rvas.get(int(m.group(1)))
        return names


def driver_calls(source):
    """{export name: bytes the callee pops} from host_win.cpp's typedefs and look-ups."""
    with open(source, encoding="utf-8") as f:
        text = f.read()
    typedefs = {}
    for m in re.finditer(r"typedef\s+int\s*\(\s*(WINAPI\s*|__stdcall\s*)?\*\s*(\w+)\s*\)\s*\(([^)]*)\)\s*;", text):
        params = [p for p in m.group(3).split(",") if p.strip() and p.strip() != "void"]
        typedefs[m.group(2)] = 4 * len(params) if m.group(1) else 0
    calls = {}
    for m in re.finditer(r"Proc<(\w+)>\(\s*\w+\s*,\s*\"(\w+)\"\s*\)", text):
        if m.group(1) in typedefs:
            calls[m.group(2)] = typedefs[m.group(1)]
    return calls


def returns_of(objdump, pe, address):
    """What the ret instructions of the function at address pop: all of them up to the
    next symbol, or only the first where the file has no symbol there (stripped)."""
    listing = run(objdump, "-d", "--start-address", hex(address), "--stop-address", hex(address + 0x2000), pe.path)
    named = False  # a function symbol starts at address
    rets = []
    for line in listing.splitlines():
        label = re.match(r"^([0-9a-f]+) <([^>]+)>:", line)
        if label:
            is_function = not label.group(2).startswith(".")
            if int(label.group(1), 16) == address:
                named = is_function
            elif is_function and named:
                break
            continue
        m = re.match(r"^\s*[0-9a-f]+:\s+(?:[0-9a-f]{2} )+\s*ret[lw]?\s*(\$0x[0-9a-f]+)?", line)
        if m:
            rets.append(int(m.group(1)[1:], 16) if m.group(1) else 0)
            if not named:
                break
    return rets


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--objdump", required=True)
    parser.add_argument("--allowlist", help="check the imports against this file")
    parser.add_argument("--driver-source", required=True, help="platform/host_win.cpp")
    parser.add_argument("--library", required=True, help="velkdrv.dll")
    parser.add_argument("--gui", help="lumetra.exe")
    parser.add_argument("--console", help="lumetra-cli.exe")
    parser.add_argument("--subsystem-version", help="for example 4.0")
    args = parser.parse_args()

    faults = []
    files = [(args.library, None), (args.gui, 2), (args.console, 3)]
    pes = {path: PeFile(args.objdump, path) for path, _ in files if path}
    allowed = read_allowlist(args.allowlist) if args.allowlist else None

    for path, subsystem in files:
        if not path:
            continue
        pe = pes[path]
        name = path.replace("\\", "/").rsplit("/", 1)[-1]
        if allowed is not None:
            for dll, function in pe.imports:
                if function not in allowed.get(dll.lower(), ()):
                    faults.append(f"{name}: imports {dll} {function}, which is not in {args.allowlist}")
        if subsystem is not None and pe.number("Subsystem", 16) != subsystem:
            faults.append(f"{name}: subsystem {pe.header.get('Subsystem')}, expected {subsystem} "
                          f"({'Windows GUI' if subsystem == 2 else 'Windows CUI'})")
        if args.subsystem_version:
            major, minor = (int(x) for x in args.subsystem_version.split("."))
            got = (pe.number("MajorSubsystemVersion"), pe.number("MinorSubsystemVersion"))
            if got != (major, minor):
                faults.append(f"{name}: subsystem version {got[0]}.{got[1]}, expected {major}.{minor}")

    library = pes[args.library]
    libname = args.library.replace("\\", "/").rsplit("/", 1)[-1]
    calls = driver_calls(args.driver_source)
    if len(calls) != 5:
        faults.append(f"{args.driver_source}: found {len(calls)} library look-ups with their typedefs, expected 5: "
                      f"{sorted(calls)}")
    exported = set(library.exports)
    for missing in sorted(set(calls) - exported):
        faults.append(f"{libname}: does not export {missing}")
    for extra in sorted(exported - set(calls)):
        faults.append(f"{libname}: exports {extra}, which host_win.cpp does not look up")
    others = sorted({dll for dll, _ in library.imports if dll.lower() != "kernel32.dll"})
    if others:
        faults.append(f"{libname}: imports from {', '.join(others)}; kernel32.dll alone is expected")
    if library.is_pe32():
        base = library.number("ImageBase", 16) or 0
        for export, pops in sorted(calls.items()):
            rva = library.exports.get(export)
            if rva is None:
                continue
            rets = returns_of(args.objdump, library, base + rva)
            if not rets:
                faults.append(f"{libname}: {export}: no return instruction found")
            elif any(r != pops for r in rets):
                faults.append(f"{libname}: {export} returns popping {sorted(set(rets))} bytes; "
                              f"host_win.cpp's typedef needs {pops}")

    for fault in faults:
        print(fault)
    checked = ", ".join(p.replace("\\", "/").rsplit("/", 1)[-1] for p in pes)
    if faults:
        print(f"{len(faults)} fault(s) in {checked}")
        return 1
    print(f"checked {checked}: {sum(len(p.imports) for p in pes.values())} imports, "
          f"{len(library.exports)} exports, no faults")
    return 0


if __name__ == "__main__":
    sys.exit(main())
