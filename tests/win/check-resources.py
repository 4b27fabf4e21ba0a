#!/usr/bin/python3
"""Reads the Windows executable's own resources back, as Explorer, Task Manager and the shell show
them: the version resource, the application manifest and the icon. Needs python3-pefile.
usage: check-resources.py <gaokao-countdown.exe> <version> <LICENSE>"""
import struct
import sys
import xml.etree.ElementTree as ElementTree

import pefile

exe, version, licence = sys.argv[1:4]
pe = pefile.PE(exe)
failures = []


def expect(condition, what):
    if not condition:
        failures.append(what)


def resources(kind):
    """{id: data} of every resource of one kind."""
    found = {}
    directory = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    for entry in directory.entries if directory else []:
        if entry.id == pefile.RESOURCE_TYPE[kind]:
            for named in entry.directory.entries:
                for language in named.directory.entries:
                    data = language.data.struct
                    found[named.id] = pe.get_data(data.OffsetToData, data.Size)
    return found


# The version resource.
strings = {k.decode(): v.decode() for info in getattr(pe, "FileInfo", []) for block in info
           for table in getattr(block, "StringTable", []) for k, v in table.entries.items()}
copyright_line = next(line.strip() for line in open(licence) if line.startswith("Copyright"))
expected = {"FileDescription": "高考倒计时", "ProductName": "高考倒计时", "FileVersion": version,
            "ProductVersion": version, "OriginalFilename": "gaokao-countdown.exe"}
for key, value in expected.items():
    expect(strings.get(key) == value, f"{key} {strings.get(key)!r}")
expect(strings.get("CompanyName"), "no CompanyName")
expect(copyright_line in strings.get("LegalCopyright", ""),
       f"LegalCopyright against {copyright_line!r}")
fixed = getattr(pe, "VS_FIXEDFILEINFO", [None])[0]
major, minor, patch = map(int, version.split("."))
expect(fixed and (fixed.FileVersionMS, fixed.FileVersionLS) == (major << 16 | minor, patch << 16),
       "the numeric file version is not the project's")

# The application manifest: one, under the id a process reads at start.
manifests = resources("RT_MANIFEST")
expect(list(manifests) == [1], f"manifests {list(manifests)}")
tree = ElementTree.fromstring(manifests.get(1, b"<none/>"))
found = {e.tag.split("}")[-1]: e for e in tree.iter()}
systems = [e.get("Id") for e in tree.iter() if e.tag.endswith("supportedOS")]
expect("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}" in systems, "Windows 10 and 11 not supported")
level = found.get("requestedExecutionLevel")
expect(level is not None and level.get("level") == "asInvoker", "not asInvoker")
expect("dpiAwareness" in found and found["dpiAwareness"].text == "PerMonitorV2", "not PerMonitorV2")

# The icon: one group of square 32-bit images, 16 to 256 px, with clear and opaque pixels.
groups, images, sides = resources("RT_GROUP_ICON"), resources("RT_ICON"), []
expect(len(groups) == 1, f"{len(groups)} icon groups")
for group in groups.values():
    for i in range(struct.unpack_from("<H", group, 4)[0]):
        width, height, _, _, _, bits, _, image_id = struct.unpack_from(
            "<BBBBHHIH", group, 6 + 14 * i)
        side = width or 256
        sides.append(side)
        expect(width == height and bits == 32, f"icon {width}x{height}, {bits} bits per pixel")
        image = images.get(image_id, b"")
        if image.startswith(b"\x89PNG"):
            expect(image[25] == 6, f"icon {side} px: PNG without alpha")
        else:
            alphas = set(image[40:40 + side * side * 4][3::4])
            expect({0, 255} <= alphas, f"icon {side} px: no clear and opaque pixels")
expect(sorted(sides) == [16, 24, 32, 48, 64, 256], f"icon sizes {sorted(sides)}")

for failure in failures:
    print("FAIL:", failure)
if failures:
    sys.exit(1)
print(f"{exe}: version {version} \"{strings['ProductName']}\", {strings['LegalCopyright']}; "
      f"manifest asInvoker, Windows 10 and 11, PerMonitorV2; icon {sorted(sides)} px")
