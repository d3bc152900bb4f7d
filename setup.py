"""Builds the quorin package through CMake: pip install --no-build-isolation .

The extension, the shared libraries it loads and cfg/ come from `cmake --install --component
python` of a build tree: build/pip (configured here on first use), or the configured tree that
QUORIN_BUILD_DIR names.
"""

import os
import pathlib
import shutil
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = pathlib.Path(__file__).resolve().parent


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        build = pathlib.Path(os.environ.get("QUORIN_BUILD_DIR") or ROOT / "build" / "pip")
        if not (build / "CMakeCache.txt").exists():
            subprocess.check_call([
                "cmake", "-S", str(ROOT), "-B", str(build), "-G", "Ninja",
                "-DCMAKE_BUILD_TYPE=Release", "-DQUORIN_PYTHON=ON", "-DQUORIN_TESTS=OFF",
                "-DQUORIN_BENCH=OFF", "-DPython3_EXECUTABLE=" + sys.executable,
            ])
        subprocess.check_call(["cmake", "--build", str(build), "--target", "quorin_python"])
        staging = pathlib.Path(self.build_temp).resolve() / "cmake-install"
        shutil.rmtree(staging, ignore_errors=True)
        subprocess.check_call(["cmake", "--install", str(build), "--component", "python",
                               "--prefix", str(staging)])
        package = pathlib.Path(self.get_ext_fullpath(ext.name)).resolve().parent
        shutil.copytree(staging / "lib" / "python3" / "dist-packages" / "quorin", package,
                        dirs_exist_ok=True)


setup(ext_modules=[Extension("quorin._quorin", sources=[])], cmdclass={"build_ext": CMakeBuild})
