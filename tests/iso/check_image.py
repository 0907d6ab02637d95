#!/usr/bin/python3
"""Writes disc images with `mnx iso` and reads them back with independent readers: xorriso lists
and extracts the Joliet tree (compared with the source byte for byte, with modification times),
pycdlib reads the volume descriptors.

    check_image.py MNX WORK [--wine]         a planted folder of awkward names
    check_image.py MNX WORK --big            a sparse file over 4 GiB (skipped, exit 77, where
                                             the file system cannot hold it)
    ... --demo FOLDER ARTIFACTS              also the image of the demo disc, kept as an artifact
    check_image.py WIN_TESTS WORK --designer the designer's Make ISO Image dialog (win_tests.exe
                                             under Wine) writes the planted folder's image

Runs under Debian's own Python: pycdlib is a Debian package.
"""
import os
import shutil
import subprocess
import sys

import pycdlib

SKIP = 77
FOUR_GIB = 4 << 30


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def windows_path(path):
    # Wine maps the Unix root to drive Z:.
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def run_mnx(mnx, wine, args, expect, verb="iso", cwd=None):
    if wine:
        args = [windows_path(a) if a.startswith("/") else a for a in args]
        command = ["wine", mnx, verb] + args
    else:
        command = [mnx, verb] + args
    # The "C" locale is where names beyond U+00FF used to go missing. Wine itself needs UTF-8 to
    # read the Unix names; the Windows C runtime starts in "C" whatever the environment says.
    locale = "C.UTF-8" if wine else "C"
    env = dict(os.environ, LC_ALL=locale, LANG=locale)
    done = subprocess.run(command, env=env, cwd=cwd, capture_output=True, text=True, errors="replace", timeout=600)
    if done.returncode != expect:
        fail(f"{' '.join(args)}: exit {done.returncode}, expected {expect}\n{done.stdout}{done.stderr}")
    return done


def xorriso(*args):
    # -rockridge off before loading: the Joliet tree is what is read.
    done = subprocess.run(["xorriso", "-abort_on", "FAILURE", "-rockridge", "off"] + list(args),
                          capture_output=True, timeout=600)
    if done.returncode != 0:
        fail("xorriso " + " ".join(args) + "\n" + done.stderr.decode(errors="replace"))
    return done.stdout.decode()


def joliet_paths(image):
    paths = set()
    for line in xorriso("-indev", image, "-find", "/").splitlines():
        if line.startswith("'/") and line.endswith("'"):
            paths.add(line[2:-1])
    paths.discard("")
    return paths


def plant(folder):
    """The awkward cases, with the paths expected in the image (relative, "/"-separated)."""
    files = {
        "a.txt": b"first\n",
        "zero-bytes": b"",
        "deep/er/and/deeper/still/down/here/at/level9.txt": b"nine folders down\n",
        "x" * 60 + ".txt": b"64 characters\n",
        "n" * 96 + ".dat": os.urandom(3 << 20),  # 100 characters; larger than one read chunk
        "Ελληνικά/αρχείο.txt": "Καλημέρα\n".encode(),
        "Кириллица/файл.txt": "Привет\n".encode(),
        "日本語/ファイル名.txt": "こんにちは\n".encode(),
        "notes.tmp": b"a plain file that happens to end in .tmp\n",
    }
    left_out = {"AutoRun.mnx.tmp": b"half a save", "autorun.inf.saving": b"half a save"}
    folders = ["empty", "deep/er/empty too"]
    for name, data in list(files.items()) + list(left_out.items()):
        path = os.path.join(folder, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
    for name in folders:
        os.makedirs(os.path.join(folder, name), exist_ok=True)
    # Links stay out of the image: one leads out of the folder, one back up it for ever, one
    # nowhere. Wine shows links to folders to the Windows programs as reparse points, links to
    # files as the files themselves, and dangling ones not at all.
    outside = os.path.join(os.path.dirname(folder), "outside")
    os.makedirs(outside, exist_ok=True)
    with open(os.path.join(outside, "elsewhere.txt"), "w") as f:
        f.write("not on the disc\n")
    os.symlink(outside, os.path.join(folder, "link out"))
    os.symlink(folder, os.path.join(folder, "deep", "er", "loop"))
    os.symlink(os.path.join(folder, "gone"), os.path.join(folder, "dangling"))
    # Distinct whole-second times, deepest first so that a folder's own time stays.
    expected = set()
    for number, (top, dirs, names) in enumerate(sorted(os.walk(folder, topdown=False), reverse=True)):
        for k, name in enumerate(sorted(dirs) + sorted(names)):
            path = os.path.join(top, name)
            os.utime(path, (1_000_000_000 + number * 1000 + k * 7,) * 2, follow_symlinks=False)
            if not os.path.islink(path):
                expected.add(os.path.relpath(path, folder))
    return expected - set(left_out)


def compare_tree(source, extracted, expected):
    for rel in sorted(expected):
        s, e = os.path.join(source, rel), os.path.join(extracted, rel)
        if not os.path.lexists(e):
            fail(f"{rel} was not extracted")
        if os.path.isdir(s) != os.path.isdir(e):
            fail(f"{rel}: file and folder mixed up")
        if not os.path.isdir(s):
            with open(s, "rb") as a, open(e, "rb") as b:
                if a.read() != b.read():
                    fail(f"{rel}: extracted bytes differ")
        if int(os.stat(s).st_mtime) != int(os.stat(e).st_mtime):
            fail(f"{rel}: modified {int(os.stat(e).st_mtime)} in the image, {int(os.stat(s).st_mtime)} on disk")


def read_back(image, source, extracted, expected):
    """The Joliet tree lists what was planted, and every file extracts byte for byte."""
    # Folders deeper than eight move to "rr_moved" in the ISO 9660 tree (Rock Ridge links them
    # back); the Joliet tree keeps them in place and shows only the empty "rr_moved".
    found = joliet_paths(image) - {"rr_moved"}
    if found != expected:
        fail(f"Joliet tree differs\n missing: {sorted(expected - found)}\n extra: {sorted(found - expected)}")
    xorriso("-indev", image, "-osirrox", "on", "-extract", "/", extracted)
    compare_tree(source, extracted, expected)


def check_planted(mnx, work, wine):
    source, image, extracted = (os.path.join(work, n) for n in ("cd", "planted.iso", "extracted"))
    expected = plant(source)
    # A folder with no menu fails the disc check: no image unless the user insists, and the old
    # one stays as it was; the complete image then takes its place.
    old = b"yesterday's image"
    with open(image, "wb") as f:
        f.write(old)
    run_mnx(mnx, wine, [source, image], 1)
    if file_bytes(image) != old:
        fail("the old image changed although the disc check found errors")
    run_mnx(mnx, wine, [source, image, "--force", "--label", "Café Ünïcode – test disc, 2nd edition!"], 0)
    if os.path.exists(image + ".saving"):
        fail("the temporary image was left behind")

    read_back(image, source, extracted, expected)

    iso = pycdlib.PyCdlib()
    iso.open(image)
    label = b"CAFE_UNICODE_TEST_DISC_2ND_EDITI"
    if iso.pvd.volume_identifier.rstrip(b" ") != label:
        fail(f"volume label {iso.pvd.volume_identifier!r}")
    if not iso.has_joliet():
        fail("no Joliet volume descriptor")
    # Joliet's name, the one Explorer shows, keeps the label's first 16 characters as they are.
    if iso.joliet_vd.volume_identifier != "Café Ünïcode – t".encode("utf-16-be"):
        fail(f"Joliet volume label {iso.joliet_vd.volume_identifier!r}")
    long_name = "/" + "n" * 96 + ".dat"
    if iso.get_record(joliet_path=long_name).data_length != 3 << 20:
        fail("pycdlib does not find the 100-character Joliet name")
    iso.close()

    run_mnx(mnx, wine, [source], 2)
    missing_image = os.path.join(work, "none.iso")
    run_mnx(mnx, wine, [os.path.join(work, "no such folder"), missing_image, "--force"], 1)
    if os.path.exists(missing_image):
        fail("a failed write left an image behind")
    check_relative(mnx, work, wine)


def file_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def check_relative(mnx, work, wine):
    """Every command takes paths relative to the current directory: a sound disc made, dumped,
    checked and imaged from beside it."""
    disc = os.path.join(work, "MyDisc")
    os.makedirs(disc)
    shutil.copy(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "fuzz", "seeds", "new.json"),
                os.path.join(work, "menu.json"))
    inside = ("MyDisc\\" if wine else "MyDisc/") + "AutoRun.mnx"
    run_mnx(mnx, wine, ["menu.json", inside], 0, verb="build", cwd=work)
    run_mnx(mnx, wine, [inside], 0, verb="dump", cwd=work)
    for name, data in (("autorun.inf", b"[autorun]\r\nopen=AutoRun.exe\r\nicon=AutoRun.ico\r\n"),
                       ("AutoRun.exe", b"MZ"), ("AutoRun.ico", b"\0\0\1\0")):
        with open(os.path.join(disc, name), "wb") as f:
            f.write(data)
    done = run_mnx(mnx, wine, ["MyDisc"], 0, verb="check", cwd=work)
    if "0 errors, 0 warnings" not in done.stdout:
        fail("mnx check MyDisc:\n" + done.stdout)
    run_mnx(mnx, wine, ["MyDisc", "MyDisc.iso"], 0, cwd=work)
    found = joliet_paths(os.path.join(work, "MyDisc.iso"))
    if found != {"AutoRun.mnx", "autorun.inf", "AutoRun.exe", "AutoRun.ico"}:
        fail(f"the image of MyDisc holds {sorted(found)}")


def check_designer(win_tests, work):
    source, image, extracted = (os.path.join(work, n) for n in ("cd", "designer.iso", "extracted"))
    expected = plant(source)
    env = dict(os.environ, LC_ALL="C.UTF-8", LANG="C.UTF-8", CORVELA_ISO_SOURCE=windows_path(source),
               CORVELA_ISO_IMAGE=windows_path(image))
    test = "MakeIsoDialog.WritesTheImageAndEndsWithItsSizeAndMedium"
    done = subprocess.run(["wine", win_tests, "--gtest_filter=" + test], env=env, capture_output=True, text=True,
                          errors="replace", timeout=300)
    if done.returncode != 0 or "[  PASSED  ] 1 test" not in done.stdout:
        fail(f"{test}: exit {done.returncode}\n{done.stdout}{done.stderr}")
    read_back(image, source, extracted, expected)
    iso = pycdlib.PyCdlib()
    iso.open(image)
    if iso.pvd.volume_identifier.rstrip(b" ") != b"CAFE_MENU" or not iso.has_joliet():
        fail(f"volume label {iso.pvd.volume_identifier!r}, Joliet {iso.has_joliet()}")
    iso.close()


def check_big(mnx, work, wine):
    source = os.path.join(work, "cd")
    os.makedirs(source)
    big = os.path.join(source, "big.bin")
    size = FOUR_GIB + 3 * 2048 + 123
    # Marks at the start, on both sides of the 4 GiB boundary and at the end; zeros elsewhere.
    marks = {0: os.urandom(4096), FOUR_GIB - 2048 - 1000: os.urandom(4096), size - 4096: os.urandom(4096)}
    try:
        with open(big, "wb") as f:
            f.truncate(size)
            for offset, data in marks.items():
                f.seek(offset)
                f.write(data)
    except OSError as e:
        print(f"skipped: cannot make a sparse file over 4 GiB here ({e})")
        sys.exit(SKIP)
    if os.stat(big).st_blocks * 512 > 1 << 26:
        print("skipped: the file system does not keep files sparse")
        sys.exit(SKIP)
    # The writer's temporary copy and the image: two copies.
    if shutil.disk_usage(work).free < 2 * size + (2 << 30):
        print("skipped: not enough free space for two copies of a 4 GiB file")
        sys.exit(SKIP)
    with open(os.path.join(source, "small.txt"), "w") as f:
        f.write("beside the big one\n")

    image = os.path.join(work, "big.iso")
    try:
        run_mnx(mnx, wine, [source, image, "--force"], 0)
        listing = xorriso("-indev", image, "-find", "/big.bin", "-exec", "lsdl")
        if f" {size} " not in listing:
            fail(f"big.bin has the wrong size in the image: {listing}")
        for offset, data in marks.items():
            cut = os.path.join(work, f"cut-{offset}")
            xorriso("-indev", image, "-osirrox", "on", "-extract_cut", "/big.bin", str(offset - 100 if offset else 0),
                    str(len(data) + 100), cut)
            with open(cut, "rb") as f:
                got = f.read()
            want = (b"\0" * 100 if offset else b"") + data
            if got[: len(want)] != want:
                fail(f"big.bin differs near byte {offset}")
        xorriso("-indev", image, "-osirrox", "on", "-extract", "/small.txt", os.path.join(work, "small.txt"))
        with open(os.path.join(work, "small.txt")) as f:
            if f.read() != "beside the big one\n":
                fail("small.txt differs")
    finally:
        for name in (image, big):
            if os.path.exists(name):
                os.remove(name)


def check_demo(mnx, wine, folder, artifacts):
    os.makedirs(artifacts, exist_ok=True)
    image = os.path.join(artifacts, "demo.iso")
    run_mnx(mnx, wine, [os.path.abspath(folder), os.path.abspath(image)], 0)
    expected = set()
    for top, dirs, names in os.walk(folder):
        expected.update(os.path.relpath(os.path.join(top, n), folder) for n in dirs + names)
    found = joliet_paths(image)
    if found != expected:
        fail(f"demo image differs\n missing: {sorted(expected - found)}\n extra: {sorted(found - expected)}")
    extracted = os.path.join(os.path.dirname(image), "demo-extracted")
    shutil.rmtree(extracted, ignore_errors=True)
    xorriso("-indev", image, "-osirrox", "on", "-extract", "/", extracted)
    compare_tree(folder, extracted, expected)
    shutil.rmtree(extracted, ignore_errors=True)
    # The menu's disc label names the volume and the stick.
    iso = pycdlib.PyCdlib()
    iso.open(image)
    names = (iso.pvd.volume_identifier.rstrip(b" "), iso.joliet_vd.volume_identifier.decode("utf-16-be").rstrip())
    iso.close()
    if names != (b"AURORA_PHOTO_SUITE", "Aurora Photo Sui"):
        fail(f"demo volume names {names!r}")
    with open(os.path.join(folder, "autorun.inf"), "rb") as f:
        if b"\r\nlabel=Aurora Photo Suite\r\n" not in f.read():
            fail("autorun.inf of the demo names no label")


def main():
    args = sys.argv[1:]
    if len(args) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    mnx, work = args[0], args[1]
    wine = "--wine" in args
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    if "--designer" in args:
        check_designer(mnx, work)
    elif "--big" in args:
        check_big(mnx, work, wine)
    elif "--demo" not in args:
        check_planted(mnx, work, wine)
    if "--demo" in args:
        at = args.index("--demo")
        check_demo(mnx, wine, args[at + 1], args[at + 2])
    shutil.rmtree(work, ignore_errors=True)
    print("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
