"""The module's arrays are the tools' CSV cells, to the last digit, for the same calls."""

import numpy as np
import pytest

import torlin
from conftest import SOURCE, assert_cells_equal, run_tool


@pytest.mark.parametrize("lever,eccentric,rpm", [(60, 200, None), (37.25, 613.5, 6000)])
def test_svaj_is_the_tools(window, lever, eccentric, rpm):
    arguments = ["--svaj", f"{lever},{eccentric}", "--step", 2, "--tdc", 360]
    if rpm:
        arguments += ["--rpm", rpm]
    header, rows, _ = run_tool("modes", *arguments)
    table = torlin.svaj(window, lever, eccentric, step=2, rpm=rpm, tdc=360)
    assert_cells_equal(header, rows, table, "svaj")


def test_loads_with_every_layer_are_the_tools(smooth):
    design = f"{SOURCE}/designs/smooth-lever.json"
    header, rows, notes = run_tool(
        "modes", "--design", design, "--loads", "71,700", "--rpm", 6000, "--step", 4, "--friction", 0.05,
        "--free-roller-mass", 17.8, "--second-roller-mass", 20, "--dynamics", "--cylinders", 4,
        "--allowable-hertz", 2500, "--min-film-ratio", 0.01, "--max-seating-velocity", 3)
    table = torlin.loads(smooth, 71, 700, rpm=6000, step=4, friction=0.05, free_roller_mass=17.8,
                         second_roller_mass=20, dynamics=True, cylinders=4,
                         limits={"allowable_hertz": 2500, "min_film_ratio": 0.01, "max_seating_velocity": 3})
    assert_cells_equal(header, rows, table, "loads")
    # The summary lines the tool writes are the table's summary, where both have them.
    for note in notes:
        name, _, cell = note[2:].partition(",")
        if name in table.summary and not isinstance(table.summary[name], str):
            value = table.summary[name]
            assert (cell == "" and np.isnan(value)) or float(cell) == value, name
    # Its warnings are the tool's lines for the limits crossed, and name them.
    warnings = [cell for note in notes for name, _, cell in [note[2:].partition(",")] if name == "warning"]
    flagged = [line for line in warnings if line.partition(":")[0] in table.summary["exceededLimits"].split("+")]
    assert table.summary["warnings"].split("\n") == flagged and flagged


def test_the_exact_map_with_loads_is_the_tools(window):
    header, rows, _ = run_tool("modes", "--lever", "0:115:23", "--eccentric", "-95:700:159", "--exact", "--loads",
                               "--rpm", 6000, "--free-roller-mass", 17.8, "--max-pressure-angle", 68,
                               "--min-separation-rpm", 8000)
    table = torlin.mode_map(window, range(0, 116, 23), range(-95, 701, 159), loads=True, rpm=6000,
                            free_roller_mass=17.8, limits={"max_pressure_angle": 68, "min_separation_rpm": 8000})
    assert len(set(table["exceededLimits"])) > 2  # the limits set tell the modes apart
    assert_cells_equal(header, rows, table, "map")


def test_the_window_map_from_tdc_is_the_tools(smooth):
    header, rows, _ = run_tool("modes", "--design", f"{SOURCE}/designs/smooth-lever.json", "--lever", "0:115:40",
                               "--eccentric", "0:700:350", "--tdc", 340, "--speed", 250)
    table = torlin.mode_map(smooth, range(0, 116, 40), range(0, 701, 350), exact=False, tdc=340, speed=250)
    assert_cells_equal(header, rows, table, "window map")


def test_target_is_the_tools(window):
    header, rows, _ = run_tool("modes", "--target", "8,250")
    assert_cells_equal(header, rows, torlin.target(window, 8, 250), "target")


def test_frames_are_the_lifts(window):
    header, rows, _ = run_tool("lift", "--lever", 60, "--eccentric", 200, "--speed", 300, "--revolutions", 1)
    assert_cells_equal(header, rows, torlin.frames(window, 60, 200, speed=300, revolutions=1), "frames")
