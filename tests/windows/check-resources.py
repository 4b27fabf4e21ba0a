#!/usr/bin/python3
"""Reads the Windows executable's own resources back: the version resource, the application
manifest and the icon, as Explorer, Task Manager and the shell would show them.
(Debian's python3 with python3-pefile.)
usage: check-resources.py <gaokao-countdown.exe> <version> <LICENSE>"""
import re
import struct
import sys
import xml.etree.ElementTree as ElementTree

import pefile

NAME = "高考倒计时"
ICON_SIDES = [16, 24, 32, 48, 64, 256]
WINDOWS_10_AND_11 = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"

exe, version, licence = sys.argv[1:4]
failures = []


def expect(condition, what):
    if not condition:
        failures.append(what)


def resources(pe, kind):
    """{id: [data, ...]} of every resource of one kind, all languages."""
    found = {}
    if not hasattr(pe, "DIRECTORY_ENTRY_RESOURCE"):
        return found
    for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if entry.id != kind:
            continue
        for named in entry.directory.entries:
            for language in named.directory.entries:
                data = language.data.struct
                found.setdefault(named.id, []).append(
                    pe.get_data(data.OffsetToData, data.Size))
    return found


pe = pefile.PE(exe)

# Version resource.
strings = {}
for info in getattr(pe, "FileInfo", []):
    for block in info:
        for table in getattr(block, "StringTable", []):
            strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
copyright_line = next(line.strip() for line in open(licence, encoding="utf-8")
                      if line.startswith("Copyright"))
expect(strings.get("FileDescription") == NAME, f"FileDescription {strings.get('FileDescription')!r}")
expect(strings.get("ProductName") == NAME, f"ProductName {strings.get('ProductName')!r}")
expect(strings.get("FileVersion") == version, f"FileVersion {strings.get('FileVersion')!r}")
expect(strings.get("ProductVersion") == version, f"ProductVersion {strings.get('ProductVersion')!r}")
expect(strings.get("CompanyName", "") != "", "no CompanyName")
expect(copyright_line in strings.get("LegalCopyright", ""),
       f"LegalCopyright {strings.get('LegalCopyright')!r} against LICENSE's {copyright_line!r}")
expect(strings.get("OriginalFilename") == "gaokao-countdown.exe",
       f"OriginalFilename {strings.get('OriginalFilename')!r}")
fixed = getattr(pe, "VS_FIXEDFILEINFO", [None])[0]
numbers = [int(part) for part in version.split(".")] + [0]
expect(fixed is not None and (fixed.FileVersionMS, fixed.FileVersionLS)
       == ((numbers[0] << 16) | numbers[1], (numbers[2] << 16) | numbers[3]),
       "the numeric file version differs from the project's")

# Application manifest: one, under the id a process reads at start.
manifests = resources(pe, pefile.RESOURCE_TYPE["RT_MANIFEST"])
expect(list(manifests) == [1] and len(manifests[1]) == 1, f"manifests {list(manifests)}")
manifest = manifests.get(1, [b"<none/>"])[0].decode("utf-8")
tree = ElementTree.fromstring(manifest)
supported = [e.get("Id") for e in tree.iter() if e.tag.endswith("}supportedOS")]
levels = [e.get("level") for e in tree.iter() if e.tag.endswith("}requestedExecutionLevel")]
awareness = [e.text for e in tree.iter() if e.tag.endswith("}dpiAwareness")]
expect(WINDOWS_10_AND_11 in supported, f"supportedOS {supported}")
expect(levels == ["asInvoker"], f"requestedExecutionLevel {levels}")
expect(awareness == ["PerMonitorV2"], f"dpiAwareness {awareness}")

# The icon: one group, square images of each size, 32-bit with real transparency.
groups = resources(pe, pefile.RESOURCE_TYPE["RT_GROUP_ICON"])
images = {key: data[0] for key, data in resources(pe, pefile.RESOURCE_TYPE["RT_ICON"]).items()}
expect(len(groups) == 1, f"{len(groups)} icon groups")
sides = []
for group in groups.values():
    data = group[0]
    count = struct.unpack_from("<H", data, 4)[0]
    for i in range(count):
        width, height, _, _, _, bits, _, icon_id = struct.unpack_from("<BBBBHHIH", data, 6 + 14 * i)
        width, height = width or 256, height or 256
        expect(width == height, f"icon {width}x{height} is not square")
        expect(bits == 32, f"icon {width} px has {bits} bits per pixel")
        sides.append(width)
        image = images.get(icon_id, b"")
        if image.startswith(b"\x89PNG"):
            expect(image[25] == 6, f"icon {width} px: PNG without alpha")
            continue
        header = struct.unpack_from("<IiiHH", image)
        pixels = image[header[0]:header[0] + width * height * 4]
        alphas = set(pixels[3::4])
        expect(0 in alphas and 255 in alphas, f"icon {width} px: no clear and opaque pixels")
expect(sorted(sides) == ICON_SIDES, f"icon sizes {sorted(sides)}")

if failures:
    for failure in failures:
        print("FAIL:", failure)
    sys.exit(1)
print(f"{exe}: version {strings['FileVersion']} \"{strings['FileDescription']}\", "
      f"{strings['LegalCopyright']}; manifest asInvoker, Windows 10/11, PerMonitorV2; "
      f"icon {', '.join(map(str, sorted(sides)))} px")
