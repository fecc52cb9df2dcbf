#!/usr/bin/env python3
"""Reads the version information of a PE file (its RT_VERSION resource) as Windows' version
API gives it, and, run as a script, checks every binary we ship against VERSION.

Usage: version_info.py VERSION_FILE Glimmora.exe dsmouse.dll
Catches: a binary without version information, with another version than VERSION, another
product or legal notice than the program's, or the wrong original file name or file type."""

import os
import struct
import sys

RT_VERSION = 16
VFT_APP, VFT_DLL = 1, 2


def _resource_data(data, type_id):
    """Bytes of the first resource of the type (first name, first language), or None."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("not a PE file")
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + (112 if magic == 0x20B else 96)
    rva, size = struct.unpack_from("<II", data, directories + 2 * 8)
    if not size:
        return None

    def offset(address):
        for i in range(sections):
            v_size, v_addr, raw_size, raw_ptr = struct.unpack_from("<IIII", data, optional + optional_size + i * 40 + 8)
            if v_addr <= address < v_addr + max(v_size, raw_size):
                return address - v_addr + raw_ptr
        raise ValueError("address 0x%x is in no section" % address)

    root = offset(rva)

    def entries(directory):
        named, numbered = struct.unpack_from("<12xHH", data, directory)
        for i in range(named + numbered):
            yield struct.unpack_from("<II", data, directory + 16 + i * 8)

    for name, target in entries(root):
        if name == type_id and target & 0x80000000:
            names = root + (target & 0x7FFFFFFF)
            languages = next(entries(names))[1]
            if not languages & 0x80000000:
                return None
            entry = next(entries(root + (languages & 0x7FFFFFFF)))[1]
            data_rva, data_size = struct.unpack_from("<II", data, root + entry)
            start = offset(data_rva)
            return data[start:start + data_size]
    return None


def _blocks(data, start, end):
    """(key, value bytes, value type, children start, block end) of the blocks in [start, end)."""
    while start + 6 <= end:
        length, value_length, value_type = struct.unpack_from("<HHH", data, start)
        if length == 0:
            break
        block_end = start + length
        key_end = data.index(b"\0\0", start + 6)
        while (key_end - start - 6) % 2:
            key_end = data.index(b"\0\0", key_end + 1)
        key = data[start + 6:key_end].decode("utf-16-le")
        value_start = (key_end + 2 + 3) & ~3
        value_bytes = value_length * 2 if value_type == 1 else value_length
        yield key, data[value_start:value_start + value_bytes], value_type, (value_start + value_bytes + 3) & ~3, block_end
        start = (block_end + 3) & ~3


def version_info(data):
    """{"FileVersion#": (a, b, c, d), "ProductVersion#": ..., "FileType#": n, and every
    string of the first string table} of the PE file's bytes, or None without one."""
    resource = _resource_data(data, RT_VERSION)
    if resource is None:
        return None
    key, fixed, _, children, end = next(_blocks(resource, 0, len(resource)))
    if key != "VS_VERSION_INFO" or struct.unpack_from("<I", fixed)[0] != 0xFEEF04BD:
        raise ValueError("malformed version information")
    ms, ls, pms, pls = struct.unpack_from("<8xIIII", fixed)
    info = {"FileVersion#": (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF),
            "ProductVersion#": (pms >> 16, pms & 0xFFFF, pls >> 16, pls & 0xFFFF),
            "FileType#": struct.unpack_from("<36xI", fixed)[0]}
    for key, _, _, table_start, table_end in _blocks(resource, children, end):
        if key == "StringFileInfo":
            for _, _, _, string_start, string_end in _blocks(resource, table_start, table_end):
                for name, value, _, _, _ in _blocks(resource, string_start, string_end):
                    info[name] = value.decode("utf-16-le").rstrip("\0")
                break
    return info


def main(version_file, exe, dll):
    with open(version_file) as f:
        version = f.readline().strip()
    numbers = tuple(int(n) for n in version.split(".")) + (0,)
    infos = {}
    for path in (exe, dll):
        with open(path, "rb") as f:
            infos[path] = version_info(f.read())
    faults = ["%s has no version information" % path for path, info in infos.items() if info is None]
    if faults:
        print("\n".join("FAIL: " + fault for fault in faults))
        return 1
    program = infos[exe]
    for path, original, file_type in ((exe, "Glimmora.exe", VFT_APP), (dll, "dsmouse.dll", VFT_DLL)):
        info = infos[path]
        expected = {"FileVersion#": numbers, "ProductVersion#": numbers, "FileType#": file_type,
                    "FileVersion": version, "ProductVersion": version, "ProductName": "Glimmora",
                    "OriginalFilename": original, "LegalCopyright": program.get("LegalCopyright"),
                    "CompanyName": program.get("CompanyName")}
        for key, value in expected.items():
            if info.get(key) != value:
                faults.append("%s: %s is %r, expected %r" % (path, key, info.get(key), value))
        if not info.get("FileDescription"):
            faults.append("%s has no file description" % path)
    if not program.get("LegalCopyright", "").startswith("Copyright"):
        faults.append("%s: no legal notice (%r)" % (exe, program.get("LegalCopyright")))
    for fault in faults:
        print("FAIL: " + fault)
    if not faults:
        for path, info in infos.items():
            print("OK: %s %s, %s, %s" % (os.path.basename(path), info["FileVersion"], info["FileDescription"],
                                        info["LegalCopyright"]))
    return 1 if faults else 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
