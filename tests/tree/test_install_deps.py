"""Runs cmake/install-deps.sh against stand-ins for dpkg-query, apt-get, dpkg, id and sudo, on
a PATH that holds nothing else but the shell tools it uses, and checks what it would install,
how it says so, and what it does without root."""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "cmake", "install-deps.sh")
TOOLS = ["bash", "dirname", "grep", "mktemp", "tee", "cat", "rm"]

# What each stand-in does; they log their command lines to $STUBS/calls.
STUBS = {
    "dpkg-query": 'grep -qx "${@: -1}" "$STUBS/installed" && echo "install ok installed" || exit 1',
    "apt-get": 'echo "apt-get $*" >>"$STUBS/calls"\n'
               'if [ "$1" = update ]; then cat "$STUBS/update.out"; exit "$(cat "$STUBS/update.status")"; fi',
    "dpkg": 'echo "dpkg $*" >>"$STUBS/calls"',
    "id": 'cat "$STUBS/uid"',
    "sudo": 'echo "sudo" >>"$STUBS/calls"; exec "$@"',
}

SECURITY_I386 = (
    "Get:1 http://deb.debian.org/debian bookworm InRelease [151 kB]\n"
    "Err:5 http://deb.debian.org/debian-security bookworm-security/main i386 Packages\n"
    "  File has unexpected size (151020 != 150548). Mirror sync in progress? [IP: 151.101.2.132 80]\n"
    "E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz"
    "  File has unexpected size (151020 != 150548). Mirror sync in progress? [IP: 151.101.2.132 80]\n"
    "E: Some index files failed to download. They have been ignored, or old ones used instead.\n")
MAIN_AMD64 = (
    "E: Failed to fetch http://deb.debian.org/debian/dists/bookworm/main/binary-amd64/Packages.xz"
    "  Could not resolve 'deb.debian.org'\n"
    "E: Some index files failed to download. They have been ignored, or old ones used instead.\n")
UNSIGNED = SECURITY_I386 + "E: The repository 'http://example.org/debian bookworm Release' is not signed.\n"

BUILD = ["cmake", "make", "python3", "mingw-w64", "lld", "googletest"]
INSTALL_BUILD = "apt-get install -y --no-install-recommends " + " ".join(BUILD)

# name, installed packages, uid, sudo present, update status and output, expected exit status,
# expected calls, a text expected on stderr
CASES = [
    ("nothing missing", BUILD, 1000, False, (0, ""), 0, [], None),
    ("root installs", ["make"] + BUILD[2:], 0, False, (0, ""), 0,
     ["apt-get update", "apt-get install -y --no-install-recommends cmake"], None),
    ("known i386 security index fault", [], 0, False, (100, SECURITY_I386), 0,
     ["apt-get update", INSTALL_BUILD], "known mirror fault"),
    ("any other update failure is shown", [], 0, False, (100, MAIN_AMD64), 0,
     ["apt-get update", INSTALL_BUILD], "apt-get update FAILED (exit 100)"),
    ("the known fault beside another error", [], 0, False, (100, UNSIGNED), 0,
     ["apt-get update", INSTALL_BUILD], "apt-get update FAILED (exit 100)"),
    ("no root and no sudo", [], 1000, False, (0, ""), 1, [], "as root"),
    ("no root, with sudo", [], 1000, True, (0, ""), 0,
     ["sudo", "apt-get update", "sudo", INSTALL_BUILD], None),
]


class InstallDepsTest(unittest.TestCase):
    def run_script(self, installed, uid, with_sudo, update):
        work = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, work)
        stubs, path = os.path.join(work, "stubs"), os.path.join(work, "bin")
        os.makedirs(stubs)
        os.makedirs(path)
        for tool in TOOLS:
            os.symlink(shutil.which(tool), os.path.join(path, tool))
        for name, body in STUBS.items():
            if name == "sudo" and not with_sudo:
                continue
            with open(os.path.join(path, name), "w") as f:
                f.write("#!" + shutil.which("bash") + "\n" + body + "\n")
            os.chmod(os.path.join(path, name), 0o755)
        files = {"installed": "".join(p + "\n" for p in installed), "uid": "%d\n" % uid,
                 "update.status": "%d\n" % update[0], "update.out": update[1], "calls": ""}
        for name, text in files.items():
            with open(os.path.join(stubs, name), "w") as f:
                f.write(text)
        result = subprocess.run([shutil.which("bash"), SCRIPT, "build"], capture_output=True, text=True,
                                env={"PATH": path, "STUBS": stubs})
        with open(os.path.join(stubs, "calls")) as f:
            return result, f.read().splitlines()

    def test_cases(self):
        for name, installed, uid, with_sudo, update, status, calls, message in CASES:
            with self.subTest(name):
                result, logged = self.run_script(installed, uid, with_sudo, update)
                self.assertEqual(result.returncode, status, result.stderr)
                self.assertEqual(logged, calls)
                if update[1]:
                    self.assertIn(update[1], result.stdout, "apt-get update's output is shown")
                if message:
                    self.assertIn(message, result.stderr)
                else:
                    self.assertEqual(result.stderr, "")

    def test_unknown_set(self):
        result = subprocess.run([shutil.which("bash"), SCRIPT, "everything"], capture_output=True, text=True)
        self.assertEqual(result.returncode, 2)
        self.assertIn("unknown set 'everything'", result.stderr)


if __name__ == "__main__":
    sys.exit(unittest.main())
