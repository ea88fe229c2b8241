"""The package as others meet it: its types under mypy, `python3 -m
vantorel` beside vantorel-props, and the sdist."""

import os
import pathlib
import runpy
import shutil
import subprocess
import sys
import tarfile

import pytest

import vantorel

HERE = pathlib.Path(__file__).resolve().parent
SOURCE = HERE.parents[1]
PACKAGE = pathlib.Path(vantorel.__file__).resolve().parent
EXAMPLES = HERE / "readme_examples.py"


def test_the_readme_examples_run():
    runpy.run_path(str(EXAMPLES))


# Text as T, each a line of its own. The module refuses more: bytes, which
# typing counts a sequence of ints, and arrays of text, whose dtype NumPy's
# stubs leave open.
REFUSED = ['"310"', '["300", "310"]', '("300", 310.0)']


def test_the_readme_examples_type_check_and_text_as_t_does_not(tmp_path):
    if shutil.which("mypy") is None:
        pytest.skip("mypy is not installed (Debian: mypy)")
    refused = tmp_path / "refused.py"
    calls = "".join(f"vantorel.lookup('air', {T})\n" for T in REFUSED)
    refused.write_text("import numpy as np\nimport vantorel\n" + calls)
    # One run for both: mypy takes a while to read NumPy's stubs.
    checked = subprocess.run(
        ["mypy", "--no-incremental", "--cache-dir", os.devnull, "--python-executable", sys.executable,
         str(EXAMPLES), str(refused)],
        env={**os.environ, "MYPYPATH": str(PACKAGE.parent)}, capture_output=True, text=True,
    )
    errors = [line for line in checked.stdout.splitlines() if ": error:" in line]
    assert all(line.startswith(str(refused)) for line in errors), checked.stdout
    assert {int(line.split(":")[1]) for line in errors} == set(range(3, 3 + len(REFUSED))), checked.stdout


# ---------------------------------------------------------------------------
# python3 -m vantorel against vantorel-props.

PROPS = pathlib.Path(os.environ.get("VANTOREL_PROPS", PACKAGE.parents[1] / "cli" / "vantorel-props"))


@pytest.mark.skipif(not PROPS.exists(), reason=f"no {PROPS}: build the target vantorel-props")
@pytest.mark.parametrize(
    "args",
    [
        ["air", "310"],
        ["water", "25C", "373.15"],  # degrees; two blocks
        ["saturated-water", "647.3", "430"],  # "INFINITE" and "----"
        ["pbbi", "644"],  # pure numbers: no unit column
        ["Carbon Dioxide", "98.33 °F"],
        ["air", "5000"],  # refused
        ["helum", "300"],
        ["air", "310", "abc"],  # one bad temperature refuses all
        ["air", "310", "--units", "us"],
        ["air", "36.85C", "--units=engineering"],
        ["water", "--pressure", "2bar"],
        ["water", "--pressure", "1atm", "--units", "si"],
        ["water", "--pressure", "1 atm", "--units", "us"],
        ["air", "--units", "engineering", "310"],
        ["air", "--pressure", "1bar"],
        ["water", "--pressure", "2"],
    ],
)
def test_the_module_prints_what_vantorel_props_prints(args):
    options = {arg.partition("=")[0] for arg in args if arg.startswith("--")}
    usage = subprocess.run([str(PROPS), "--help"], capture_output=True, text=True).stdout
    if not all(option in usage for option in options):
        pytest.skip(f"{PROPS} has no {' or '.join(sorted(options))} yet")
    props = subprocess.run([str(PROPS), *args], capture_output=True)
    ours = subprocess.run([sys.executable, "-m", "vantorel", *args], capture_output=True)
    assert ours.stdout == props.stdout
    assert ours.returncode == props.returncode
    assert ours.stderr.removeprefix(b"python3 -m vantorel: ") == props.stderr.removeprefix(b"vantorel-props: ")


# The module's own refusals of its options (what they print is checked
# against vantorel-props above).
@pytest.mark.parametrize(
    "args, lines",
    [
        (["water", "300", "--pressure", "2bar"], ["python3 -m vantorel: give either temperatures or --pressure, not both"]),
        (["air", "310", "--units"], ["python3 -m vantorel: --units needs a value"]),
        (["air", "310", "--units", "us", "--units", "si"], ["python3 -m vantorel: --units is given more than once"]),
    ],
)
def test_the_modules_units_and_pressure_options(args, lines):
    run = subprocess.run([sys.executable, "-m", "vantorel", *args], capture_output=True, text=True)
    assert run.returncode == (2 if run.stderr else 0)
    for line in lines:
        assert line in run.stdout + run.stderr


# ---------------------------------------------------------------------------
# The sdist.


@pytest.fixture(scope="module")
def sdist(tmp_path_factory):
    """The sdist of a copy of what it is made from (building it writes an
    egg-info beside the sources)."""
    pytest.importorskip("build", reason="python3-build is not installed")
    tree = tmp_path_factory.mktemp("source")
    for name in ("include", "tables", "python"):
        shutil.copytree(SOURCE / name, tree / name, ignore=shutil.ignore_patterns("__pycache__", "tests", "*.egg-info"))
    for name in ("setup.py", "pyproject.toml", "MANIFEST.in", "LICENSE", "README.md"):
        shutil.copy(SOURCE / name, tree / name)
    out = tmp_path_factory.mktemp("dist")
    built = subprocess.run(
        [sys.executable, "-m", "build", "--sdist", "--no-isolation", "--outdir", str(out), str(tree)],
        capture_output=True, text=True,
    )
    assert built.returncode == 0, built.stdout + built.stderr
    (path,) = out.glob("vantorel-*.tar.gz")
    return tarfile.open(path)


def test_the_sdist_holds_every_source_the_wheel_is_compiled_from(sdist):
    root = sdist.getnames()[0].split("/")[0]
    names = {name.removeprefix(root + "/") for name in sdist.getnames()}
    sources = [p.relative_to(SOURCE).as_posix() for d in ("tables", "python") for p in (SOURCE / d).glob("*.[ch]*")
               if p.suffix in (".cpp", ".h")]
    headers = [p.relative_to(SOURCE).as_posix() for p in (SOURCE / "include").rglob("*.h")]
    assert set(sources + headers) <= names
    assert {"python/vantorel/_vantorel.pyi", "python/vantorel/py.typed", "python/vantorel/__main__.py"} <= names
    assert not any(name.startswith("data/") for name in names)


def test_the_sdist_says_mit_and_describes_the_python_module(sdist):
    root = sdist.getnames()[0].split("/")[0]
    info = sdist.extractfile(f"{root}/PKG-INFO").read().decode()
    assert "License: MIT" in info and "Classifier: License :: OSI Approved :: MIT License" in info
    assert "Project-URL: Homepage, https://vantorel.org" in info
    description = info.split("\n\n", 1)[1]
    assert description.startswith("# vantorel for Python") and "make test" not in description
