#!/usr/bin/env python3
"""Reads back from the built programs what Windows reads about them before
they run: the manifest, the version resource and the icon's sizes.

    program_identity_test.py PINWELL_EXE PINWELL_CLI_EXE VERSION
"""

import struct
import sys
import xml.etree.ElementTree as ElementTree
from pathlib import Path

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
ICON_SIZES = [16, 20, 24, 32, 40, 48, 64, 256]
WINDOWS_7_TO_11 = {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                   "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}
ABOUT_TEXT = b"Pinwell log to pushpin converter. Version "

failures = []


def expect(what, wanted, found):
    if wanted != found:
        failures.append(f"{what}: wanted {wanted!r}, found {found!r}")


def resources(image):
    """{(type, name): data} of a PE file; names are numbers or upper-case texts."""
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    sections, optional_size = struct.unpack_from("<H12xH", image, pe + 6)
    optional = pe + 24
    directories = optional + (112 if struct.unpack_from("<H", image, optional)[0] == 0x20B else 96)
    root_rva = struct.unpack_from("<I", image, directories + 2 * 8)[0]
    table = optional + optional_size
    spans = [struct.unpack_from("<8xIIII", image, table + 40 * i) for i in range(sections)]

    def offset(rva):
        for size, address, raw_size, raw in spans:
            if address <= rva < address + max(size, raw_size):
                return rva - address + raw
        raise ValueError(f"address {rva:#x} in no section")

    root = offset(root_rva)

    def entries(directory):
        named, numbered = struct.unpack_from("<12xHH", image, directory)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", image, directory + 16 + 8 * i)
            if name & 0x80000000:
                length = struct.unpack_from("<H", image, root + (name & 0x7FFFFFFF))[0]
                start = root + (name & 0x7FFFFFFF) + 2
                name = image[start:start + 2 * length].decode("utf-16-le").upper()
            yield name, target

    found = {}
    for kind, names in entries(root):
        for name, languages in entries(root + (names & 0x7FFFFFFF)):
            for _, leaf in entries(root + (languages & 0x7FFFFFFF)):
                rva, size = struct.unpack_from("<II", image, root + leaf)
                found[(kind, name)] = image[offset(rva):offset(rva) + size]
    return found


def version_strings(data):
    """The fixed version (four numbers) and the StringFileInfo values."""
    def node(at):
        length, value_length, is_text = struct.unpack_from("<HHH", data, at)
        end = data.index(b"\0\0", at + 6)
        end += (end - at) % 2  # the key's NUL on a character boundary
        key = data[at + 6:end].decode("utf-16-le")
        value = (end + 2 + 3) & ~3
        children = (value + value_length * (2 if is_text else 1) + 3) & ~3
        return key, value, value_length, children, at + length

    _, fixed, _, child, end = node(0)
    ms, ls = struct.unpack_from("<8xII", data, fixed)
    numbers = (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
    texts = {}

    def walk(at, end):
        while at < end:
            key, value, value_length, children, next_at = node(at)
            if value_length and key not in ("Translation",):
                texts[key] = data[value:value + 2 * value_length].decode("utf-16-le").rstrip("\0")
            walk(children, next_at)
            at = (next_at + 3) & ~3

    walk(child, end)
    return numbers, texts


def check_manifest(program, data, version, gui):
    try:
        root = ElementTree.fromstring(data)
    except ElementTree.ParseError as error:
        return failures.append(f"{program}: the manifest is not well-formed: {error}")
    tags = {}
    for element in root.iter():
        tags.setdefault(element.tag.split("}")[-1], []).append(element)
    identity = tags["assemblyIdentity"][0].attrib
    expect(f"{program}: the manifest's version", version, identity.get("version"))
    expect(f"{program}: the Windows it supports", WINDOWS_7_TO_11,
           {e.get("Id") for e in tags.get("supportedOS", [])})
    expect(f"{program}: long paths", ["true"], [e.text for e in tags.get("longPathAware", [])])
    controls = [e.get("version") for e in tags["assemblyIdentity"][1:]
                if e.get("name") == "Microsoft.Windows.Common-Controls"]
    expect(f"{program}: common controls", ["6.0.0.0"] if gui else [], controls)
    expect(f"{program}: display scaling, Windows 10 and later", ["PerMonitorV2, PerMonitor"] if gui else [],
           [e.text for e in tags.get("dpiAwareness", [])])
    expect(f"{program}: display scaling, older Windows", ["true"] if gui else [],
           [e.text for e in tags.get("dpiAware", [])])


def check_icon(program, found):
    groups = [data for (kind, _), data in found.items() if kind == RT_GROUP_ICON]
    if len(groups) != 1:
        return failures.append(f"{program}: {len(groups)} icons, wanted 1")
    group = groups[0]
    count = struct.unpack_from("<4xH", group)[0]
    sizes = []
    for i in range(count):
        width, _, _, _, _, bits, _, image_id = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
        size = width or 256
        sizes.append(size)
        image = found[(RT_ICON, image_id)]
        expect(f"{program}: bits of the {size}-pixel icon", 32, bits)
        stored = "PNG" if image.startswith(b"\x89PNG") else f"{struct.unpack_from('<14xH', image)[0]}-bit DIB"
        expect(f"{program}: the {size}-pixel icon's image", "PNG" if size == 256 else "32-bit DIB", stored)
    expect(f"{program}: icon sizes", ICON_SIZES, sorted(sizes))


def main(arguments):
    if len(arguments) != 4:
        sys.exit(__doc__)
    gui_path, cli_path, version = Path(arguments[1]), Path(arguments[2]), arguments[3]
    major, minor = (int(n) for n in version.split("."))
    for path, gui, description in ((gui_path, True, "Pinwell log to pushpin converter"),
                                   (cli_path, False, "Pinwell command-line converter")):
        program = path.name
        image = path.read_bytes()
        found = resources(image)
        manifest = found.get((RT_MANIFEST, 1))
        if manifest is None:
            failures.append(f"{program}: no manifest")
        else:
            check_manifest(program, manifest, f"{major}.{minor}.0.0", gui)
        if (RT_VERSION, 1) not in found:
            failures.append(f"{program}: no version resource")
        else:
            numbers, texts = version_strings(found[(RT_VERSION, 1)])
            expect(f"{program}: the file's version numbers", (major, minor, 0, 0), numbers)
            for key, wanted in (("FileDescription", description), ("ProductName", "Pinwell"),
                                ("ProductVersion", version), ("FileVersion", version),
                                ("OriginalFilename", program), ("CompanyName", "Pinwell"),
                                ("LegalCopyright", "Copyright (C) 2003 Pinwell")):
                expect(f"{program}: {key}", wanted, texts.get(key))
        check_icon(program, found)
        if gui:
            # The About box names the version the program's properties name.
            at = image.find(ABOUT_TEXT)
            about = image[at + len(ABOUT_TEXT):image.index(b",", at)].decode() if at >= 0 else None
            expect("the About text's version", version, about)
    for failure in failures:
        print("FAILED:", failure)
    if not failures:
        print("manifests, versions and icons as expected in", gui_path.name, "and", cli_path.name)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
