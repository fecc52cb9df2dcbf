#!/usr/bin/env python3
"""Checks the version information of every binary we ship against VERSION.

Usage: version_info.py VERSION_FILE Glimmora.exe dsmouse.dll
Catches: a binary without version information, with another version than VERSION, another
product or legal notice than the program's, or the wrong original file name or file type."""

import re
import struct
import sys

KEYS = ("FileVersion", "ProductVersion", "ProductName", "OriginalFilename", "LegalCopyright", "CompanyName",
        "FileDescription")


def version_info(data):
    """The fixed part (file and product version, file type) and the strings of a PE file's
    version resource, found by its signature and its UTF-16 key names; {} without one."""
    at = data.find(struct.pack("<I", 0xFEEF04BD))
    if at < 0:
        return {}
    ms, ls, pms, pls = struct.unpack_from("<IIII", data, at + 8)
    info = {"FileVersion#": (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF),
            "ProductVersion#": (pms >> 16, pms & 0xFFFF, pls >> 16, pls & 0xFFFF),
            "FileType#": struct.unpack_from("<I", data, at + 36)[0]}
    # A String block: its key, one or two NULs up to a 32-bit boundary, its value.
    text = data[at - at % 2:].decode("utf-16-le", "replace")
    for key in KEYS:
        m = re.search(key + "\0\0?([^\0]+)\0", text)
        if m:
            info[key] = m.group(1)
    return info


def main(version_file, exe, dll):
    with open(version_file) as f:
        version = f.readline().strip()
    numbers = tuple(int(n) for n in version.split(".")) + (0,)
    infos = {path: version_info(open(path, "rb").read()) for path in (exe, dll)}
    program, faults = infos[exe], []
    for path, original, file_type in ((exe, "Glimmora.exe", 1), (dll, "dsmouse.dll", 2)):
        expected = {"FileVersion#": numbers, "ProductVersion#": numbers, "FileType#": file_type,
                    "FileVersion": version, "ProductVersion": version, "ProductName": "Glimmora",
                    "OriginalFilename": original, "LegalCopyright": program.get("LegalCopyright"),
                    "CompanyName": program.get("CompanyName")}
        faults += ["%s: %s is %r, expected %r" % (path, key, infos[path].get(key), value)
                   for key, value in expected.items() if infos[path].get(key) != value]
        if not infos[path].get("FileDescription"):
            faults.append("%s has no file description" % path)
    if not program.get("LegalCopyright", "").startswith("Copyright"):
        faults.append("%s: no legal notice (%r)" % (exe, program.get("LegalCopyright")))
    print("\n".join("FAIL: " + f for f in faults) or "OK: %s" % {p: i.get("FileDescription") for p, i in infos.items()})
    return 1 if faults else 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
