"""The extension of the wheel that pyproject.toml describes: the binding and
the tables' C++ sources, compiled as the CMake build compiles them. The
sdist carries the same sources (MANIFEST.in)."""

import re
from glob import glob
from pathlib import Path

from pybind11.setup_helpers import Pybind11Extension, build_ext
from setuptools import setup


def version():
    text = Path("include/vantorel/version.h").read_text()
    parts = [re.search(rf"#define VANTOREL_VERSION_{p} (\d+)", text).group(1) for p in ("MAJOR", "MINOR", "PATCH")]
    return ".".join(parts)


extension = Pybind11Extension(
    "vantorel._vantorel",
    [*sorted(glob("python/*.cpp")), *sorted(glob("tables/*.cpp"))],
    include_dirs=["include"],
    cxx_std=20,
    # Every digit must match the book: IEEE double semantics, no fused multiply-add.
    extra_compile_args=["-ffp-contract=off", "-fno-fast-math"],
)

setup(
    version=version(),
    ext_modules=[extension],
    cmdclass={"build_ext": build_ext},
    # Not build/: that is CMake's.
    options={"build": {"build_base": "build-wheel"}},
)
