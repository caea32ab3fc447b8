#!/usr/bin/python3
"""The README's ways to get the program, tried from a clean clone of the
commit under test as a new user would: make run, make package (the .deb
unpacked into a throwaway root) and make install. Each program they give
must start and send through its real window."""

import os
import re
import shutil
import subprocess
import unittest
from pathlib import Path

from vellum_e2e import EndToEndTest, body_text, wait_until

SOURCE_DIR = Path(os.environ.get("VELLUM_SOURCE_DIR", Path(__file__).resolve().parents[2]))
# Building from nothing takes minutes on a busy machine.
MAKE_SECONDS = 1800


def run_logged(command, log, cwd=None):
    """Runs a build step; its output goes to the log, whose end a failure shows."""
    with open(log, "ab") as output:
        output.write(f"\n$ {' '.join(map(str, command))}\n".encode())
        output.flush()
        result = subprocess.run(command, cwd=cwd, stdin=subprocess.DEVNULL, stdout=output,
                                stderr=subprocess.STDOUT, timeout=MAKE_SECONDS)
    if result.returncode != 0:
        tail = Path(log).read_text(errors="replace")[-6000:]
        raise AssertionError(f"{' '.join(map(str, command))} failed ({result.returncode}):\n{tail}")


def package_owners(paths):
    """{path: Debian package} for the paths that an installed package owns."""
    owners = {}
    for path in paths:
        # Debian's merged /usr: a package may list the file under /lib.
        candidates = [path, re.sub(r"^/usr/lib/", "/lib/", path), os.path.realpath(path)]
        for candidate in candidates:
            result = subprocess.run(["dpkg-query", "-S", candidate], capture_output=True, text=True)
            if result.returncode == 0:
                owners[path] = result.stdout.split(":", 1)[0].split(",")[0].strip()
                break
    return owners


def dependency_closure(depends):
    """Every package that installing a package with these Depends brings in."""
    names = [re.split(r"[ (]", alternative.strip())[0]
             for field in depends.split(",") for alternative in field.split("|") if alternative.strip()]
    output = subprocess.run(["apt-cache", "depends", "--recurse", "--no-recommends", "--no-suggests",
                             "--no-conflicts", "--no-breaks", "--no-replaces", "--no-enhances", *names],
                            capture_output=True, text=True, check=True).stdout
    closure = set()
    for line in output.splitlines():
        name = line.split(":", 1)[1] if ":" in line and line.startswith(" ") else line
        closure.add(name.strip().strip("<>").split(":")[0])
    return closure


def mapped_libraries(pid):
    with open(f"/proc/{pid}/maps") as maps:
        return sorted({line.split()[-1] for line in maps if re.search(r"\.so(\.[0-9.]+)?$", line.strip())})


def wait_for_library(pid, name):
    """Every library the process has mapped, once name is among them."""
    def loaded():
        libraries = mapped_libraries(pid)
        return libraries if any(path.endswith("/" + name) for path in libraries) else None
    return wait_until(loaded, f"{name} to be loaded")


class UserPaths(EndToEndTest):
    @classmethod
    def setUpClass(cls):
        if not (SOURCE_DIR / ".git").exists():
            raise unittest.SkipTest("a clean clone needs the source folder's git repository")
        super().setUpClass()
        work = Path(cls.class_work)
        cls.clone = work / "clone"
        cls.build_log = work / "build.log"
        # What a new user has: the committed tree, nothing built.
        run_logged(["git", "clone", "--quiet", "--no-hardlinks", str(SOURCE_DIR), str(cls.clone)], cls.build_log)
        # The build that make run does before it starts the program.
        run_logged(["make", "--no-print-directory", "program"], cls.build_log, cwd=cls.clone)

    def send_one_message(self, command, environment=None):
        """Starts the program with command, sets the server up and sends through its window."""
        program = self.start(command=command, environment=environment)
        program.set_up_server(self.server)
        program.compose(to="ann@example.org", subject="From a clean clone", body="It sends.")
        return program

    def assertSent(self, program):
        program.click("cmdSend")
        self.assertEnded(program)
        message, _, envelope = self.received_one()
        self.assertEqual(envelope["rcpt_tos"], ["ann@example.org"])
        self.assertEqual(message["Subject"], "From a clean clone")
        self.assertEqual(body_text(message), "It sends.")

    def test_make_run_gives_a_program_that_sends(self):
        program = self.send_one_message(["make", "--no-print-directory", "-C", str(self.clone), "run"])
        self.assertSent(program)

    def test_make_install_installs_a_program_that_sends(self):
        prefix = self.work / "prefix"
        run_logged(["make", "--no-print-directory", "install", f"PREFIX={prefix}"], self.build_log, cwd=self.clone)
        program = self.send_one_message([str(prefix / "bin" / "vellum")])
        self.assertSent(program)

    def test_unpacked_package_sends_with_only_its_declared_dependencies(self):
        run_logged(["make", "--no-print-directory", "package"], self.build_log, cwd=self.clone)
        [deb] = (self.clone / "build").glob("vellum_*.deb")
        root = self.work / "root"
        subprocess.run(["dpkg-deb", "-x", str(deb), str(root)], check=True)
        depends = subprocess.run(["dpkg-deb", "-f", str(deb), "Depends"], capture_output=True, text=True,
                                 check=True).stdout
        closure = dependency_closure(depends)

        shipped = [path for path in root.rglob("*") if path.is_file() and not path.is_symlink()
                   and path.read_bytes()[:4] == b"\x7fELF"]
        self.assertTrue(shipped, "no program in the package")
        for binary in shipped:
            ldd = subprocess.run(["ldd", str(binary)], capture_output=True, text=True).stdout
            self.assertNotIn("not found", ldd, f"ldd {binary.relative_to(root)}")

        # With a history to complete from, typing the recipient loads the
        # mail component, so all the program loads is mapped before it sends.
        self.home.data_folder.mkdir(parents=True)
        (self.home.data_folder / "To History.DAT").write_text("bob@example.org\n", encoding="utf-8")
        program = self.send_one_message([str(root / "usr" / "bin" / "vellum")])
        loaded = wait_for_library(program.process.pid, "libvellummail.so")
        outside = [path for path in loaded if not path.startswith(str(root) + "/")]
        owners = package_owners(outside)
        self.assertEqual([path for path in outside if path not in owners], [],
                         "libraries loaded that no package owns")
        foreign = {path: owner for path, owner in owners.items() if owner not in closure}
        self.assertEqual(foreign, {}, f"libraries from packages that Depends ({depends.strip()}) does not bring")
        self.assertSent(program)



if __name__ == "__main__":
    unittest.main()
