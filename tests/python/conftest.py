# SPDX-FileCopyrightText: 2026 Molvane 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
import json
import os
import pathlib
import subprocess

import pytest

SHARED = pathlib.Path(os.environ.get("MOLVANE_SHARED_DATA", "/nonexistent"))
SOURCE = pathlib.Path(
    os.environ.get("MOLVANE_SOURCE_DIR", pathlib.Path(__file__).parents[2])
)


def shared(relative):
    """A third-party file, or a skip when the shared data are absent."""
    path = SHARED / relative
    if not path.exists():
        pytest.skip(f"{path} is absent")
    return path


def cli_json(*arguments):
    """The command line's JSON answer, for comparison with the module."""
    cli = os.environ.get("MOLVANE_CLI")
    if not cli:
        pytest.skip("MOLVANE_CLI is not set")
    done = subprocess.run(
        [cli, "--json", *map(str, arguments)],
        capture_output=True,
        text=True,
        check=True,
    )
    return json.loads(done.stdout)
