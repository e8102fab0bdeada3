#!/usr/bin/env python3
"""release_zip.py DIST_DIR STEM: writes the archive a shop receives, beside DIST_DIR.

DIST_DIR holds KORA.exe, README.txt and win2k\\. When win2k's six Unidrv core files are the
real Windows files, the archive is STEM.zip. Otherwise (a build without KORA_UNIDRV_DIR, whose
win2k holds text stand-ins) it is STEM-test.zip with TEST-ONLY.txt inside, so that nobody
ships it by mistake. Whichever is written, the other name is removed: dist holds the archive
of this build only.
"""
import os
import sys
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "check"))
import unidrvcheck  # noqa: E402

UNIDRV_FILES = ["uniDRVui.DLL", "uniDRV.DLL", "UNIDRV.HLP", "UNIRES.DLL", "TTFSUB.GPD", "STDNAMES.GPD"]
WARNING_NAME = "TEST-ONLY.txt"


def warning_text(stem, not_real):
    names = "、".join(not_real)
    names_en = ", ".join(not_real)
    lines = [
        "仅供测试，不得发给用户",
        "",
        f"构建本压缩包时没有 Windows 的 Unidrv 文件：win2k 文件夹中的 {names}",
        "不是 Windows 的文件（只是替代品），用它安装的打印机不能打印。",
        f"请把 KORA_UNIDRV_DIR 设为存放真实文件的文件夹，再运行 build.sh，得到 {stem}.zip。",
        "",
        "FOR TESTING ONLY - DO NOT SHIP",
        "",
        f"This archive was built without Windows' Unidrv files: {names_en} in the win2k folder",
        "are not the Windows files (stand-ins only); a printer installed with them cannot print.",
        f"Set KORA_UNIDRV_DIR to a folder with the real files and run build.sh again to get {stem}.zip.",
    ]
    return "\ufeff" + "\r\n".join(lines) + "\r\n"


def not_real_files(win2k):
    return [name for name in UNIDRV_FILES if unidrvcheck.faults(os.path.join(win2k, name))]


def package_files(dist):
    """(path on disk, name in the archive) of KORA.exe, README.txt and win2k's files, those of
    its sub-folders (x64, arm64) included, sorted."""
    files = [(os.path.join(dist, name), name) for name in ("KORA.exe", "README.txt")]
    found = []
    for folder, subfolders, names in os.walk(os.path.join(dist, "win2k")):
        subfolders.sort()
        relative = os.path.relpath(folder, dist).replace(os.sep, "/")
        found += [(os.path.join(folder, name), relative + "/" + name) for name in names]
    return files + sorted(found, key=lambda pair: pair[1])


def write(dist, stem):
    """Writes the archive; returns its path and the Unidrv files that are not the real ones."""
    parent = os.path.dirname(os.path.abspath(dist))
    not_real = not_real_files(os.path.join(dist, "win2k"))
    name = f"{stem}-test.zip" if not_real else f"{stem}.zip"
    other = f"{stem}.zip" if not_real else f"{stem}-test.zip"
    path = os.path.join(parent, name)
    for stale in (path, os.path.join(parent, other)):
        if os.path.exists(stale):
            os.remove(stale)
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as archive:
        for source, arcname in package_files(dist):
            archive.write(source, arcname)
        if not_real:
            archive.writestr(WARNING_NAME, warning_text(stem, not_real).encode("utf-8"))
    return path, not_real


def main(argv):
    if len(argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    path, not_real = write(argv[0], argv[1])
    print(f"Wrote {path}")
    if not_real:
        print(f"WARNING: {os.path.basename(path)} is for testing only: {', '.join(not_real)} "
              "are not the Windows files.")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
