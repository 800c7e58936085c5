"""What the module's tests share: the tools built beside it, and their CSV read back."""

import csv
import io
import math
import os
import subprocess

import numpy as np
import pytest

import torlin

SOURCE = os.environ.get("TORLIN_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))


def tool(name):
    path = os.environ.get("TORLIN_" + name.upper())
    if not path:
        pytest.skip(f"TORLIN_{name.upper()} names no {name} program")
    return path


def run_tool(program, *arguments):
    """The table a tool writes: header, rows (lists of cells), and its '#' lines."""
    result = subprocess.run([tool(program), *map(str, arguments)], capture_output=True, text=True, check=False)
    assert result.returncode == 0, result.stderr
    lines = [line for line in result.stdout.splitlines() if not line.startswith("#")]
    rows = list(csv.reader(io.StringIO("\n".join(lines))))
    notes = [line for line in result.stdout.splitlines() if line.startswith("#")]
    return rows[0], rows[1:], notes


def assert_cells_equal(header, rows, table, what):
    """Every cell equals the array's value to the last digit; an empty cell is NaN."""
    assert set(header) <= set(table), (what, set(header) - set(table))
    for column, name in enumerate(header):
        values = table[name]
        assert len(values) == len(rows), (what, name)
        for row, cells in enumerate(rows):
            cell, value = cells[column], values[row]
            if isinstance(value, str):
                assert cell == value, (what, name, row)
            elif cell == "":
                assert math.isnan(value), (what, name, row, value)
            else:
                assert float(cell) == value, (what, name, row, cell, value)


@pytest.fixture(scope="session")
def window():
    return torlin.Design.window()


@pytest.fixture(scope="session")
def smooth():
    return torlin.Design.load(os.path.join(SOURCE, "designs", "smooth-lever.json"))
