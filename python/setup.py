"""Builds the extension kernova._kernova with CMake: the project one folder
up is configured with the Python module on and the tests and programs off,
and the module it links (the static, position-independent library inside)
is copied where setuptools packs it. The version is the CMake project's."""

import os
import pathlib
import re
import shutil
import subprocess
import sys
import sysconfig

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent


def project_version():
    cmake_lists = ROOT / "CMakeLists.txt"
    if not cmake_lists.is_file():
        sys.exit(f"kernova: {ROOT} is not the Kernova checkout; build the Python package from python/ inside it")
    found = re.search(r"project\(kernova VERSION ([0-9.]+)", cmake_lists.read_text())
    return found.group(1)


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        build = pathlib.Path(self.build_temp).resolve() / "cmake"
        configure = [
            "cmake", "-S", str(ROOT), "-B", str(build),
            "-DCMAKE_BUILD_TYPE=Release",
            "-DKERNOVA_BUILD_PYTHON=ON",
            "-DKERNOVA_BUILD_TESTS=OFF",
            "-DKERNOVA_BUILD_PROGRAMS=OFF",
            f"-DPython_EXECUTABLE={sys.executable}",
        ]
        try:
            import pybind11

            configure.append(f"-Dpybind11_DIR={pybind11.get_cmake_dir()}")
        except ImportError:
            pass  # CMake looks for pybind11-dev's files itself
        subprocess.run(configure, check=True)
        jobs = str(os.cpu_count() or 1)
        subprocess.run(["cmake", "--build", str(build), "--target", "kernova_python", "-j", jobs], check=True)
        built = build / "python" / "kernova" / ("_kernova" + sysconfig.get_config_var("EXT_SUFFIX"))
        target = pathlib.Path(self.get_ext_fullpath(ext.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(built, target)


setup(
    version=project_version(),
    ext_modules=[Extension("kernova._kernova", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
)
