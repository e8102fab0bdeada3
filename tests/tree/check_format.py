"""check_format.py <clang-format> <source root>: fails when a C++ file of the tree is not laid
out as .clang-format says, naming each such file with its first difference and the command
that lays them all out. The build and dist folders hold no sources of ours."""
import os
import subprocess
import sys

EXTENSIONS = (".cpp", ".h", ".hpp", ".cc", ".c")
SKIPPED = {"build", "dist", ".git"}


def cxx_files(root):
    found = []
    for folder, subfolders, files in os.walk(root):
        if folder == root:
            subfolders[:] = [d for d in subfolders if d not in SKIPPED]
        subfolders.sort()
        found += [os.path.relpath(os.path.join(folder, f), root) for f in sorted(files) if f.endswith(EXTENSIONS)]
    return found


def first_difference(clang_format, root, path):
    """None when the file is laid out; else clang-format's first complaint about it."""
    result = subprocess.run([clang_format, "--dry-run", "--Werror", "--ferror-limit=1", path], cwd=root,
                            capture_output=True, text=True)
    if result.returncode == 0:
        return None
    return "\n".join(result.stderr.strip().splitlines()[:3]) or "clang-format exited %d" % result.returncode


def main(argv):
    if len(argv) != 3:
        print("usage: check_format.py <clang-format> <source root>", file=sys.stderr)
        return 2
    clang_format, root = argv[1], os.path.abspath(argv[2])
    files = cxx_files(root)
    if not files:
        print("check_format.py: no C++ files under %s" % root, file=sys.stderr)
        return 1
    unformatted = []
    for path in files:
        difference = first_difference(clang_format, root, path)
        if difference is not None:
            unformatted.append(path)
            print(difference)
    if unformatted:
        print("\n%d of %d C++ files are not laid out as .clang-format says:\n  %s" %
              (len(unformatted), len(files), "\n  ".join(unformatted)))
        print("Lay them out with (from %s):\n  %s -i %s" % (root, clang_format, " ".join(unformatted)))
        return 1
    print("%d C++ files laid out as .clang-format says" % len(files))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
